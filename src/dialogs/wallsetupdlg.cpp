#include "wallsetupdlg.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

WallSetupDlg::WallSetupDlg(QWidget *parent) : BaseSettingDlg(parent)
{
    initContent();
    initDialog();
    retranslate();
}

void WallSetupDlg::initContent()
{
    m_pRowsLabel = new QLabel;
    m_pColumnsLabel = new QLabel;
    m_pTypeLabel = new QLabel;
    m_pRows = new QSpinBox;
    m_pRows->setRange(1, maxUnits);
    m_pColumns = new QSpinBox;
    m_pColumns->setRange(1, maxUnits);
    m_pType = new QComboBox;
    m_pType->addItems({QString(), QString(), QString()});

    auto *pForm = new QFormLayout;
    pForm->setSpacing(10);
    pForm->setContentsMargins(0, 0, 0, 0);
    pForm->addRow(m_pRowsLabel, m_pRows);
    pForm->addRow(m_pColumnsLabel, m_pColumns);
    pForm->addRow(m_pTypeLabel, m_pType);
    m_pContentLayout->addLayout(pForm);
}

void WallSetupDlg::setValues(int nRows, int nColumns, int nSceneType)
{
    m_pRows->setValue(nRows);
    m_pColumns->setValue(nColumns);
    m_pType->setCurrentIndex(qBound(0, nSceneType, 2));
}

int WallSetupDlg::rows() const
{
    return m_pRows->value();
}

int WallSetupDlg::columns() const
{
    return m_pColumns->value();
}

int WallSetupDlg::sceneType() const
{
    return m_pType->currentIndex();
}

void WallSetupDlg::changeEvent(QEvent *event)
{
    BaseSettingDlg::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void WallSetupDlg::retranslate()
{
    setWindowTitle(tr("Wall setup"));
    m_pRowsLabel->setText(tr("Unit rows"));
    m_pColumnsLabel->setText(tr("Unit columns"));
    m_pTypeLabel->setText(tr("Scene type"));
    m_pRows->setToolTip(tr("Display units of the wall from top to bottom, 1 to %1").arg(maxUnits));
    m_pColumns->setToolTip(tr("Display units of the wall from left to right, 1 to %1").arg(maxUnits));
    m_pType->setToolTip(tr("How the display units stand: landscape, portrait, or stretch (a portrait wall "
                           "drawn wide); changing it clears the wall"));
    m_pType->setItemText(0, tr("landscape"));
    m_pType->setItemText(1, tr("portrait"));
    m_pType->setItemText(2, tr("stretch"));
}
