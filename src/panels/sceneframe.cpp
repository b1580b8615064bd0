#include "sceneframe.h"

#include "appstatus.h"
#include "buttonwithmenu.h"
#include "settingaliasdlg.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalMapper>
#include <QVBoxLayout>

SceneFrame::SceneFrame(QWidget *parent) : QFrame(parent)
{
    initLayout();
    m_strScene = tr("Scene");
    setProperty("class", "SceneFrame");
}

void SceneFrame::initLayout()
{
    m_pClickMapper = new QSignalMapper(this);
    m_pRenameMapper = new QSignalMapper(this);
    auto *pInner = new QVBoxLayout;
    auto *pGrid = new QGridLayout;
    m_pGroupBox = new QGroupBox(tr("Scene"));

    for (int i = 0; i < buttonCount; ++i) {
        auto *pButton = new ButtonWithMenu(AppStatus::theAppStatus()->sceneAlias(i));
        pButton->setActionText(tr("Rename"));
        connect(pButton, SIGNAL(clicked()), m_pClickMapper, SLOT(map()));
        connect(pButton, SIGNAL(trigger()), m_pRenameMapper, SLOT(map()));
        m_pClickMapper->setMapping(pButton, i);
        m_pRenameMapper->setMapping(pButton, i);
        pGrid->addWidget(pButton, i / 8, i % 8 + 1);
        m_buttons.append(pButton);
    }
    connect(m_pClickMapper, SIGNAL(mapped(int)), this, SLOT(slotClicked(int)));
    connect(m_pRenameMapper, SIGNAL(mapped(int)), this, SLOT(slotRightClicked(int)));

    m_pHintLabel = new QLabel(tr("'Ctrl'+click button to Save, click button to Load."));
    pInner->addLayout(pGrid);
    pInner->addWidget(m_pHintLabel);
    m_pGroupBox->setLayout(pInner);

    auto *pOuter = new QVBoxLayout;
    pOuter->setSpacing(0);
    pOuter->setContentsMargins(0, 0, 0, 0);
    pOuter->addWidget(m_pGroupBox);
    setLayout(pOuter);
}

void SceneFrame::slotClicked(int nID)
{
    if (m_isCtrlHeld)
        emit saveModel(nID);
    else
        emit loadModel(nID);
}

void SceneFrame::slotRightClicked(int nID)
{
    if (nID < 0 || nID >= m_buttons.size())
        return;
    if (!m_pAliasDlg)
        m_pAliasDlg = new SettingAliasDlg(nullptr);
    m_pAliasDlg->setDefault(QStringLiteral("%1%2").arg(m_strScene).arg(nID));
    m_pAliasDlg->setAlias(AppStatus::theAppStatus()->sceneAlias(nID));
    if (m_pAliasDlg->exec() != QDialog::Accepted)
        return;
    const QString alias = m_pAliasDlg->alias();
    m_buttons.at(nID)->setText(alias);
    AppStatus::theAppStatus()->setSceneAlias(nID, alias);
}

void SceneFrame::keyPressEvent(QKeyEvent *event)
{
    QFrame::keyPressEvent(event);
    if (event->key() == Qt::Key_Control)
        m_isCtrlHeld = true;
}

void SceneFrame::keyReleaseEvent(QKeyEvent *event)
{
    QFrame::keyReleaseEvent(event);
    if (event->key() == Qt::Key_Control)
        m_isCtrlHeld = false;
}

void SceneFrame::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void SceneFrame::retranslate()
{
    m_pHintLabel->setText(tr("'Ctrl'+click button to Save, click button to Load."));
    for (ButtonWithMenu *pButton : qAsConst(m_buttons))
        pButton->setActionText(tr("Rename"));
    m_pGroupBox->setTitle(tr("Scene"));
    m_strScene = tr("Scene");
}
