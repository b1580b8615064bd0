#include "presetbutton.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>

PresetButton::PresetButton(QWidget *parent) : QPushButton(parent)
{
    setContextMenuPolicy(Qt::CustomContextMenu);
}

bool PresetButton::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip)
        emit toolTipWanted();
    return QPushButton::event(event);
}

// The modifiers of the click itself: the application's state may lag behind synthetic input.
void PresetButton::mousePressEvent(QMouseEvent *event)
{
    m_isCtrlHeld = event->modifiers() & Qt::ControlModifier;
    QPushButton::mousePressEvent(event);
}

void PresetButton::mouseReleaseEvent(QMouseEvent *event)
{
    m_isCtrlHeld = event->modifiers() & Qt::ControlModifier;
    QPushButton::mouseReleaseEvent(event);
}

void PresetButton::keyPressEvent(QKeyEvent *event)
{
    m_isCtrlHeld = event->modifiers() & Qt::ControlModifier;
    QPushButton::keyPressEvent(event);
}
