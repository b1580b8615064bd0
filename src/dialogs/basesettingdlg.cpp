#include "basesettingdlg.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

BaseSettingDlg::BaseSettingDlg(QWidget *parent) : QDialog(parent, Qt::WindowFlags())
{
    m_pContentLayout = new QVBoxLayout;
    m_pContentLayout->setSpacing(10);
    m_pContentLayout->setContentsMargins(0, 0, 0, 0);
}

void BaseSettingDlg::initDialog()
{
    Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint;
    // Without a window type a dialog that was given a parent would be embedded in it.
    if (parentWidget())
        flags |= Qt::Dialog;
    setWindowFlags(flags);

    auto *pMainLayout = new QVBoxLayout;
    pMainLayout->addLayout(m_pContentLayout);

    m_pOkButton = new QPushButton(tr("Ok"));
    m_pCancelButton = new QPushButton(tr("Cancel"));
    auto *pButtonLayout = new QHBoxLayout;
    pButtonLayout->addStretch(20);
    pButtonLayout->addWidget(m_pOkButton);
    pButtonLayout->addWidget(m_pCancelButton);
    pButtonLayout->setSpacing(10);
    pMainLayout->addLayout(pButtonLayout);

    setLayout(pMainLayout);

    connect(m_pOkButton, SIGNAL(clicked(bool)), this, SLOT(doOK()));
    connect(m_pCancelButton, SIGNAL(clicked(bool)), this, SLOT(doCancel()));
}

void BaseSettingDlg::doOK()
{
    accept();
}

void BaseSettingDlg::doCancel()
{
    reject();
}

void BaseSettingDlg::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange && m_pOkButton) {
        m_pOkButton->setText(tr("Ok"));
        m_pCancelButton->setText(tr("Cancel"));
    }
}
