#include "settingrotatedlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QVBoxLayout>

SettingRotateDlg::SettingRotateDlg(QWidget *parent) : BaseSettingDlg(parent)
{
    setWindowTitle(tr("Rotate Setting"));
    initContent();
    initDialog();
}

void SettingRotateDlg::initContent()
{
    m_pLabel = new QLabel(tr("Rotate"));
    m_pCombo = new QComboBox;
    // A list view popup lets the style sheet style the items like those of the other combo boxes.
    m_pCombo->setView(new QListView);
    m_pCombo->addItems(
        {QStringLiteral("close"), QStringLiteral("90"), QStringLiteral("180"), QStringLiteral("270")});

    auto *pRow = new QHBoxLayout;
    pRow->setSpacing(10);
    pRow->setContentsMargins(0, 0, 0, 0);
    pRow->addWidget(m_pLabel, 1);
    pRow->addWidget(m_pCombo, 2);
    m_pContentLayout->addLayout(pRow);
}

void SettingRotateDlg::setCurrentIndex(int nIndex)
{
    m_pCombo->setCurrentIndex(nIndex);
}

int SettingRotateDlg::currentIndex() const
{
    return m_pCombo->currentIndex();
}
