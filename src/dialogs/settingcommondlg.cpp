#include "settingcommondlg.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

SettingCommonDlg::SettingCommonDlg(QWidget *parent, int nType) : BaseSettingDlg(parent), m_nType(nType)
{
    setWindowTitle(titleText());
    initContent();
    initDialog();
}

void SettingCommonDlg::initContent()
{
    m_pLabel = new QLabel(labelText());
    m_pCombo = new QComboBox;
    fillItems();

    auto *pRow = new QHBoxLayout;
    pRow->setSpacing(10);
    pRow->setContentsMargins(0, 0, 0, 0);
    pRow->addWidget(m_pLabel, 1);
    pRow->addWidget(m_pCombo, 2);
    m_pContentLayout->addLayout(pRow);
}

QString SettingCommonDlg::titleText() const
{
    return m_nType == 0 ? tr("Resolution Setting") : tr("Mode Setting");
}

QString SettingCommonDlg::labelText() const
{
    return m_nType == 0 ? tr("Resolution") : tr("Mode");
}

void SettingCommonDlg::fillItems()
{
    m_pCombo->clear();
    // The caller tells the resolutions apart by the "1920" / "1280" in these texts.
    if (m_nType == 0)
        m_pCombo->addItems(
            {QStringLiteral("1920\u00D71080"), QStringLiteral("1280*720"), QStringLiteral("1024*768")});
    else
        m_pCombo->addItems({QStringLiteral("HDMI"), QStringLiteral("DVI")});
}

void SettingCommonDlg::setType(int nType)
{
    m_nType = nType;
    m_pLabel->setText(labelText());
    setWindowTitle(titleText());
    fillItems();
}

QString SettingCommonDlg::currentText() const
{
    return m_pCombo->currentText();
}

void SettingCommonDlg::changeEvent(QEvent *event)
{
    BaseSettingDlg::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        m_pLabel->setText(labelText());
        setWindowTitle(titleText());
    }
}
