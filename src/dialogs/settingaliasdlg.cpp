#include "settingaliasdlg.h"

#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

SettingAliasDlg::SettingAliasDlg(QWidget *parent) : BaseSettingDlg(parent)
{
    setWindowTitle(tr("Alias Setting"));
    initContent();
    initDialog();
}

void SettingAliasDlg::initContent()
{
    m_pDefaultLabel = new QLabel(tr("Default"));
    m_pAliasLabel = new QLabel(tr("Alias"));
    m_pDefaultEdit = new QLineEdit;
    m_pDefaultEdit->setEnabled(false);
    m_pDefaultEdit->setAlignment(Qt::AlignCenter);
    m_pAliasEdit = new QLineEdit;
    m_pAliasEdit->setAlignment(Qt::AlignCenter);

    auto *pForm = new QFormLayout;
    pForm->setSpacing(10);
    pForm->setContentsMargins(0, 0, 0, 0);
    pForm->addRow(m_pDefaultLabel, m_pDefaultEdit);
    pForm->addRow(m_pAliasLabel, m_pAliasEdit);
    m_pContentLayout->addLayout(pForm);
}

void SettingAliasDlg::setDefault(const QString &strDefault)
{
    m_pDefaultEdit->setText(strDefault);
}

void SettingAliasDlg::setAlias(const QString &strAlias)
{
    m_pAliasEdit->setText(strAlias);
}

QString SettingAliasDlg::alias() const
{
    return m_pAliasEdit->text();
}

void SettingAliasDlg::changeEvent(QEvent *event)
{
    BaseSettingDlg::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        m_pDefaultLabel->setText(tr("Default"));
        m_pAliasLabel->setText(tr("Alias"));
        setWindowTitle(tr("Alias Setting"));
    }
}
