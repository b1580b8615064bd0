#include "switchcontrol.h"

#include <QDebug>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

SwitchControl::SwitchControl(QWidget *parent, bool bChecked)
    : QWidget(parent), m_isChecked(bChecked), m_background(198, 201, 204), m_checkedColor(33, 150, 243),
      m_disabledColor(190, 190, 190), m_thumbColor(33, 150, 243), m_radius(8.0), m_thumbHeight(16),
      m_margin(4)
{
    // The first resize places the thumb; until then it stands where that resize would put it.
    m_y = m_thumbHeight / 2;
    m_x = m_isChecked ? m_thumbHeight + m_radius : m_thumbHeight / 2;
    setCursor(Qt::PointingHandCursor);
    connect(&m_timer, SIGNAL(timeout()), this, SLOT(onTimeout()));
}

QSize SwitchControl::sizeHint() const
{
    return minimumSizeHint();
}

QSize SwitchControl::minimumSizeHint() const
{
    return QSize(2 * (m_thumbHeight + m_margin), m_thumbHeight + 2 * m_margin);
}

void SwitchControl::onTimeout()
{
    if (m_isChecked) {
        m_x += 1;
        if (m_x >= width() - m_thumbHeight)
            m_timer.stop();
    } else {
        m_x -= 1;
        if (m_x <= m_thumbHeight / 2)
            m_timer.stop();
    }
    update();
}

void SwitchControl::mousePressEvent(QMouseEvent *event)
{
    if (!isEnabled())
        return;
    if (event->buttons() & Qt::LeftButton)
        event->accept();
    else
        event->ignore();
}

void SwitchControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (!isEnabled())
        return;
    if (event->type() == QEvent::MouseButtonRelease && event->button() == Qt::LeftButton) {
        event->accept();
        m_isChecked = !m_isChecked;
        emit toggled(m_isChecked);
        m_timer.start(10);
    } else {
        event->ignore();
    }
}

void SwitchControl::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    painter.setPen(Qt::NoPen);
    painter.setRenderHint(QPainter::Antialiasing);

    QColor trackColor;
    QColor thumbColor;
    qreal opacity;
    if (!isEnabled()) {
        trackColor = m_background;
        thumbColor = m_disabledColor;
        opacity = 0.26;
    } else if (m_isChecked) {
        trackColor = m_checkedColor;
        thumbColor = m_checkedColor;
        opacity = 0.6;
    } else {
        trackColor = m_background;
        thumbColor = m_thumbColor;
        opacity = 0.8;
    }

    QPainterPath track;
    track.addRoundedRect(QRectF(m_margin, m_margin, width() - 2 * m_margin, height() - 2 * m_margin),
                         m_radius, m_radius);
    painter.setOpacity(opacity);
    painter.fillPath(track.simplified(), trackColor);

    painter.setOpacity(1.0);
    painter.setBrush(thumbColor);
    painter.drawEllipse(QRectF(m_x - m_thumbHeight / 2, m_y - m_thumbHeight / 2, height(), height()));
}

void SwitchControl::resizeEvent(QResizeEvent *event)
{
    m_y = m_thumbHeight / 2;
    m_x = m_isChecked ? m_thumbHeight + m_radius : m_thumbHeight / 2;
    qDebug() << m_x;
    QWidget::resizeEvent(event);
}
