#include "settingaddressdlg.h"

#include "rangevalidator.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

SettingAddressDlg::SettingAddressDlg(QWidget *parent) : BaseSettingDlg(parent)
{
    setWindowTitle(tr("Address Setting"));
    initContent();
    initDialog();
}

void SettingAddressDlg::initContent()
{
    m_pLabel = new QLabel(tr("Address"));
    m_pAddrEdit = new QLineEdit;
    m_pAddrEdit->setValidator(new RangeValidator(0, 63, m_pAddrEdit));
    m_pAddrEdit->setToolTip(tr("0 to 63"));
    m_pAddrEdit->setPlaceholderText(tr("0 to 63"));

    // Owned by the dialog but in no layout and hidden for good: nothing can edit it.
    m_pSubAddrEdit = new QLineEdit(this);
    m_pSubAddrEdit->setValidator(new RangeValidator(0, 255, m_pSubAddrEdit));
    m_pSubAddrEdit->hide();

    auto *pRow = new QHBoxLayout;
    pRow->setSpacing(10);
    pRow->setContentsMargins(0, 0, 0, 0);
    pRow->addWidget(m_pLabel, 1);
    pRow->addWidget(m_pAddrEdit, 2);
    m_pContentLayout->addLayout(pRow);
}

void SettingAddressDlg::setAddr1(int nAddr)
{
    m_pAddrEdit->setText(QString::number(nAddr));
}

void SettingAddressDlg::setAddr2(int nAddr)
{
    m_pSubAddrEdit->setText(QString::number(nAddr));
}

int SettingAddressDlg::addr1() const
{
    return m_pAddrEdit->text().toInt();
}

int SettingAddressDlg::addr2() const
{
    return m_pSubAddrEdit->text().toInt();
}

void SettingAddressDlg::changeEvent(QEvent *event)
{
    BaseSettingDlg::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(tr("Address Setting"));
        m_pLabel->setText(tr("Address"));
        m_pAddrEdit->setToolTip(tr("0 to 63"));
        m_pAddrEdit->setPlaceholderText(tr("0 to 63"));
    }
}
