#ifndef CLAMPEDINT_H
#define CLAMPEDINT_H

#include <QtGlobal>

#include <climits>
#include <cmath>

// Layout files take rectangles as they stand, so a window's numbers may be anything a JSON number can
// hold. Converting a double beyond the int range to int is undefined, so these hold it to the range first.

// INT_MIN or INT_MAX for values at or beyond the range, 0 for NaN, otherwise convert() of the value.
template <typename Convert>
inline int toIntRange(double dValue, Convert convert)
{
    if (std::isnan(dValue))
        return 0;
    if (dValue >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (dValue <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return convert(dValue);
}

// Truncated toward zero.
inline int truncatedToInt(double dValue)
{
    return toIntRange(dValue, [](double dInRange) { return static_cast<int>(dInRange); });
}

// Rounded as qRound does (halves upward).
inline int roundedToInt(double dValue)
{
    return toIntRange(dValue, [](double dInRange) { return qRound(dInRange); });
}

#endif // CLAMPEDINT_H
