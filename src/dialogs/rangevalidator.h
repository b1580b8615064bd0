#ifndef RANGEVALIDATOR_H
#define RANGEVALIDATOR_H

#include <QIntValidator>

// An integer field that takes bottom to top only. QIntValidator lets a number above the top stand as
// intermediate input (with a top of 63 it accepts "64" while typing, and the field then returns it);
// with a bottom of 0 or more, more digits only make a number larger, so such input is refused at once.
class RangeValidator : public QIntValidator
{
public:
    RangeValidator(int nBottom, int nTop, QObject *parent) : QIntValidator(nBottom, nTop, parent) {}

    State validate(QString &strInput, int &nPos) const override
    {
        const State state = QIntValidator::validate(strInput, nPos);
        if (state != Intermediate || bottom() < 0)
            return state;
        bool isNumber = false;
        const qlonglong nValue = locale().toLongLong(strInput, &isNumber);
        return isNumber && nValue > top() ? Invalid : state;
    }
};

#endif // RANGEVALIDATOR_H
