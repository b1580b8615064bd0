#include "elidedbutton.h"

#include <QStyle>
#include <QStyleOptionButton>

ElidedButton::ElidedButton(QWidget *parent) : QPushButton(parent) {}

void ElidedButton::setFullText(const QString &strText)
{
    m_strText = strText;
    updateGeometry();
    elide();
}

QSize ElidedButton::minimumSizeHint() const
{
    return QSize(0, QPushButton::minimumSizeHint().height());
}

// As wide as the whole text would make it; the layout gives what it has.
QSize ElidedButton::sizeHint() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = m_strText;
    const QSize text = fontMetrics().size(Qt::TextSingleLine, m_strText);
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, text, this);
}

void ElidedButton::resizeEvent(QResizeEvent *event)
{
    QPushButton::resizeEvent(event);
    elide();
}

void ElidedButton::elide()
{
    // The style's own margins around the text: the hint of the whole text minus the text itself.
    const int margins = qMax(0, sizeHint().width() - fontMetrics().horizontalAdvance(m_strText));
    setText(fontMetrics().elidedText(m_strText, Qt::ElideRight, qMax(0, width() - margins)));
}
