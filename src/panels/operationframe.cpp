#include "operationframe.h"

#include "positionframe.h"
#include "sceneframe.h"
#include "signalframe.h"
#include "spliceframe.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QVariant>

OperationFrame::OperationFrame(QWidget *parent) : QFrame(parent)
{
    initLayout();
    initConnections();
    setProperty("class", "OperationFrame");
}

OperationFrame::~OperationFrame() = default;

SpliceScene::LoadResult OperationFrame::recallPreset(int nID)
{
    return m_pSpliceFrame->recallPreset(nID, false);
}

bool OperationFrame::savePreset(int nID, QString *pError)
{
    return m_pSpliceFrame->savePreset(nID, pError);
}

SpliceScene::LoadResult OperationFrame::loadLayout(const QString &strFile)
{
    return m_pSpliceFrame->loadFile(strFile, false);
}

void OperationFrame::switchInput(int nSignal)
{
    m_pSignalFrame->switchInput(nSignal);
}

void OperationFrame::resetUnits(int nTarget)
{
    m_pSpliceFrame->onResetUnits(nTarget);
}

bool OperationFrame::moveWindow(int nAddress, const Position &pos, QString *pError, QString *pNote)
{
    return m_pSpliceFrame->moveWindow(nAddress, pos, pError, pNote);
}

const SpliceScene *OperationFrame::scene() const
{
    return m_pSpliceFrame->scene();
}

void OperationFrame::initLayout()
{
    // The view comes first: it builds the scene, which restores the last layout, before any panel exists.
    m_pSpliceFrame = new SpliceFrmae(this);
    m_pSceneFrame = new SceneFrame(this);
    m_pSignalFrame = new signalframe(this);
    m_pPositionFrame = new PositionFrame(this);

    auto *pInner = new QHBoxLayout;
    pInner->setSpacing(10);
    pInner->setContentsMargins(0, 0, 0, 0);
    pInner->addWidget(m_pSpliceFrame, 1);
    pInner->addWidget(m_pSceneFrame, 0);

    auto *pOuter = new QVBoxLayout;
    pOuter->setSpacing(10);
    pOuter->setContentsMargins(10, 10, 10, 10);
    pOuter->addWidget(m_pSignalFrame);
    pOuter->addLayout(pInner, 4);
    pOuter->addWidget(m_pPositionFrame);
    setLayout(pOuter);
}

// Signatures stay normalised (no spaces), as Qt compares them.
// clang-format off
void OperationFrame::initConnections()
{
    connect(m_pSignalFrame, SIGNAL(changeOpenModel()), m_pSpliceFrame, SLOT(onChangeOpenModel()));
    connect(m_pSpliceFrame, SIGNAL(selectedChanged(Position,Address,int)),
            m_pPositionFrame, SLOT(onUpdate(Position,Address,int)));
    connect(m_pSpliceFrame, SIGNAL(onpositionchanged(Position)), m_pPositionFrame, SLOT(onUpDate(Position)));
    connect(m_pSignalFrame, SIGNAL(savesignal(QString)), m_pSpliceFrame, SIGNAL(savesignal(QString)));
    connect(m_pSignalFrame, SIGNAL(loadsignal(QString)), m_pSpliceFrame, SIGNAL(loadsignal(QString)));
    connect(m_pPositionFrame, SIGNAL(setAddr(int,int)), m_pSpliceFrame, SLOT(onSetAddr(int,int)));
    connect(m_pPositionFrame, SIGNAL(setPos(Position)), m_pSpliceFrame, SLOT(onSetPos(Position)));
    connect(m_pSignalFrame, SIGNAL(changeOpenModel()), m_pPositionFrame, SLOT(onChangeOpenModel()));
    connect(m_pPositionFrame, SIGNAL(changeOpenModel()), m_pSpliceFrame, SLOT(onChangeOpenModel()));
    connect(m_pPositionFrame, SIGNAL(changeOpenModel()), m_pPositionFrame, SLOT(onChangeOpenModel()));
    connect(this, SIGNAL(changeSize(int)), m_pSpliceFrame, SLOT(onChangedSize(int)));
    connect(this, SIGNAL(sendLayout()), m_pSpliceFrame, SLOT(onSendLayout()));
    connect(this, SIGNAL(undo()), m_pSpliceFrame, SLOT(onUndo()));
    connect(this, SIGNAL(redo()), m_pSpliceFrame, SLOT(onRedo()));
    connect(this, SIGNAL(wallSetup()), m_pSpliceFrame, SLOT(onWallSetup()));
    connect(m_pSceneFrame, SIGNAL(saveModel(int)), m_pSpliceFrame, SLOT(onSaveModel(int)));
    connect(m_pSceneFrame, SIGNAL(loadModel(int)), m_pSpliceFrame, SLOT(onLoadModel(int)));
    connect(m_pSpliceFrame, SIGNAL(presetRecalled(int)), m_pSceneFrame, SLOT(onPresetRecalled(int)));
    connect(m_pSpliceFrame, SIGNAL(presetSaved(int)), m_pSceneFrame, SLOT(onPresetSaved(int)));
    connect(m_pSpliceFrame, SIGNAL(wallEdited()), m_pSceneFrame, SLOT(onWallEdited()));
    connect(m_pSignalFrame, SIGNAL(resetUnits(int)), m_pSpliceFrame, SLOT(onResetUnits(int)));
    connect(m_pSpliceFrame, SIGNAL(switchModel(int)), m_pPositionFrame, SLOT(switchSplice(int)));
    connect(m_pSpliceFrame, SIGNAL(differencesChanged(QStringList)), this, SIGNAL(differencesChanged(QStringList)));
    connect(m_pSpliceFrame, SIGNAL(undoAvailable(bool)), this, SIGNAL(undoAvailable(bool)));
    connect(m_pSpliceFrame, SIGNAL(redoAvailable(bool)), this, SIGNAL(redoAvailable(bool)));
}
// clang-format on
