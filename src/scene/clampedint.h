#ifndef CLAMPEDINT_H
#define CLAMPEDINT_H

#include <QtGlobal>

#include <climits>
#include <cmath>

// Layout files take rectangles as they stand, so a window's numbers may be anything a JSON number can
// hold. Converting a double beyond the int range to int is undefined, so these hold it to the range first.

// Truncated toward zero.
inline int truncatedToInt(double dValue)
{
    if (std::isnan(dValue))
        return 0;
    if (dValue >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (dValue <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(dValue);
}

// Rounded as qRound does (halves upward).
inline int roundedToInt(double dValue)
{
    if (std::isnan(dValue))
        return 0;
    if (dValue >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (dValue <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return qRound(dValue);
}

#endif // CLAMPEDINT_H
