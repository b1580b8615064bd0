#include "labelline.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

LabelLine::LabelLine(const QString &strLabel, const QString &strText, QWidget *parent) : QWidget(parent)
{
    m_pLabel = new QLabel(this);
    m_pLineEdit = new QLineEdit(this);
    m_pLineEdit->setMaxLength(38);

    QHBoxLayout *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pLabel);
    layout->addWidget(m_pLineEdit);

    setLabelText(strLabel);
    setText(strText);
}

void LabelLine::setLabelText(const QString &strLabel)
{
    m_strLabel = strLabel;
    m_pLabel->setText(m_strLabel);
}

void LabelLine::setText(const QString &strText)
{
    m_strText = strText;
    m_pLineEdit->setText(m_strText);
}

void LabelLine::setText(int nValue)
{
    setText(QString::number(nValue));
}

void LabelLine::setValidator(const QValidator *pValidator)
{
    m_pLineEdit->setValidator(pValidator);
}

QString LabelLine::text() const
{
    return m_pLineEdit->text();
}
