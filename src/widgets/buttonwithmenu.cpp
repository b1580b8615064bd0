#include "buttonwithmenu.h"

#include <QAction>

ButtonWithMenu::ButtonWithMenu(const QString &strText, QWidget *parent) : QPushButton(strText, parent)
{
    setContextMenuPolicy(Qt::ActionsContextMenu);
    m_pAction = new QAction(this);
    addAction(m_pAction);
    connect(m_pAction, SIGNAL(triggered(bool)), this, SLOT(actionOnMenu()));
}

void ButtonWithMenu::setActionText(const QString &strText)
{
    m_pAction->setText(strText);
}

void ButtonWithMenu::actionOnMenu()
{
    emit trigger();
}
