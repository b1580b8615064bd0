#ifndef LABELSPINBOX_H
#define LABELSPINBOX_H

#include <QWidget>

class QLabel;
class QSpinBox;

// A label followed by a spin box that reports a typed value only once it is confirmed.
class LabelSpinBox : public QWidget
{
    Q_OBJECT

public:
    explicit LabelSpinBox(const QString &strLabel = QString(), int nValue = 0, QWidget *parent = nullptr);

    void setLabelText(const QString &strLabel);
    void setValue(int nValue);
    // True when the range changed.
    bool setRange(int nMin, int nMax);
    int value() const;

signals:
    void valueChanged(int);

private:
    QLabel *m_pLabel;
    QSpinBox *m_pSpinBox;
    QString m_strLabel;
    int m_nValue;
    // What the spin box showed after the last value was set into it.
    QString m_strShown;
};

#endif // LABELSPINBOX_H
