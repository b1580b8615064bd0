#include "labelspinbox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

LabelSpinBox::LabelSpinBox(const QString &strLabel, int nValue, QWidget *parent)
    : QWidget(parent), m_nValue(0)
{
    m_pLabel = new QLabel(this);
    m_pSpinBox = new QSpinBox(this);
    m_pSpinBox->setMinimumWidth(80);
    m_pSpinBox->setKeyboardTracking(false);

    QHBoxLayout *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pLabel);
    layout->addWidget(m_pSpinBox);

    connect(m_pSpinBox, SIGNAL(valueChanged(int)), this, SIGNAL(valueChanged(int)));

    setLabelText(strLabel);
    setValue(nValue);
}

void LabelSpinBox::setLabelText(const QString &strLabel)
{
    m_strLabel = strLabel;
    m_pLabel->setText(m_strLabel);
}

void LabelSpinBox::setValue(int nValue)
{
    m_nValue = nValue;
    // QSpinBox repaints itself on every setValue, also of the value it shows already; the position panel
    // sets all four fields at every step of a drag, which changes one or two of them.
    if (nValue == m_pSpinBox->value() && m_pSpinBox->text() == m_strShown)
        return;
    m_pSpinBox->setValue(m_nValue);
    m_strShown = m_pSpinBox->text();
}

// Setting a range repaints the spin box even when it is the same, as setValue does.
bool LabelSpinBox::setRange(int nMin, int nMax)
{
    if (nMin == m_pSpinBox->minimum() && nMax == m_pSpinBox->maximum())
        return false;
    m_pSpinBox->setRange(nMin, nMax);
    return true;
}

int LabelSpinBox::value() const
{
    return m_pSpinBox->value();
}
