#include "splicescene.h"

#include "address.h"
#include "appstatus.h"
#include "clampedint.h"
#include "modelfile.h"
#include "seriallink.h"
#include "settingaddressdlg.h"
#include "settingcommondlg.h"
#include "settingposdlg.h"
#include "settingrotatedlg.h"
#include "unitwnd.h"

#include <QAction>
#include <QCoreApplication>
#include <QDebug>
#include <QGraphicsRectItem>
#include <QGraphicsSceneContextMenuEvent>
#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPen>
#include <QProgressDialog>
#include <QTransform>
#include <QUndoStack>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

// Smallest window the rubber band creates, in scene units.
const double minimumBand = 16;
// The landscape canvas of the controller, in wall units, on which the standard grid is laid out.
const int canvasWidth = 3840;
const int canvasHeight = 2160;
// A layout of more windows than this shows its progress while it is sent.
const int progressFrom = 3;
// The splice frame carries each count in one byte; more rows or columns are no wall.
const int maxSpliceCount = 255;

bool isZeroAddress(const Address &address)
{
    return address.first == 0 && address.second == 0;
}

// One step of the operator's and how to take it back. It is pushed once done, so its first redo, which
// the stack calls on the push, does nothing; drop runs when the stack forgets the step.
class EditCommand : public QUndoCommand
{
public:
    EditCommand(std::function<void()> undo, std::function<void()> redo, std::function<void()> drop = {})
        : m_undo(std::move(undo)), m_redo(std::move(redo)), m_drop(std::move(drop))
    {}
    ~EditCommand() override
    {
        if (m_drop)
            m_drop();
    }
    void undo() override { m_undo(); }
    void redo() override
    {
        if (m_isDone)
            m_redo();
        m_isDone = true;
    }

private:
    std::function<void()> m_undo;
    std::function<void()> m_redo;
    std::function<void()> m_drop;
    bool m_isDone = false;
};

} // namespace

SpliceScene::SpliceScene(QObject *parent) : QGraphicsScene(parent)
{
    m_pUndo = new QUndoStack(this);
    m_pUndo->setUndoLimit(100);
    // Every edit, and every step taken back or done again, changes the wall.
    connect(m_pUndo, &QUndoStack::indexChanged, this, &SpliceScene::wallEdited);
    initMenus();
    initConnections();

    m_strWarningTitle = tr("Waring");
    m_strWarningText = tr("Address conflict, setting is failed!");

    m_pStateFile = new ModelFile(QString());
    loadConfig(m_pStateFile);
}

SpliceScene::~SpliceScene()
{
    // Closed windows kept for an undo go with it, while the scene still stands.
    m_pUndo->clear();
    collectRecords(m_pStateFile);
    delete m_pAddWndAction;
    delete m_pFullAction;
    delete m_pAddressAction;
    delete m_pPositionAction;
    delete m_pRotateAction;
    delete m_pResAction;
    delete m_pModeAction;
    delete m_pCloseAction;
    delete m_pResetAction;
    delete m_pEmptyMenu;
    delete m_pWndMenu;
    // Writes "SpliceState.data".
    delete m_pStateFile;
}

void SpliceScene::initMenus()
{
    m_pEmptyMenu = new QMenu;
    m_pAddWndAction = new QAction(tr("New Window"), nullptr);
    m_pEmptyMenu->addAction(m_pAddWndAction);

    m_pWndMenu = new QMenu;
    m_pFullAction = new QAction(tr("Full"), nullptr);
    m_pAddressAction = new QAction(tr("Address"), nullptr);
    m_pPositionAction = new QAction(tr("Position"), nullptr);
    m_pRotateAction = new QAction(tr("Rotate"), nullptr);
    m_pResAction = new QAction(tr("Resolution"), nullptr);
    m_pModeAction = new QAction(tr("Mode"), nullptr);
    m_pCloseAction = new QAction(tr("Close"), nullptr);
    m_pResetAction = new QAction(tr("Reset"), nullptr);
    m_pWndMenu->addAction(m_pFullAction);
    m_pWndMenu->addAction(m_pAddressAction);
    m_pWndMenu->addAction(m_pPositionAction);
    m_pWndMenu->addAction(m_pRotateAction);
    m_pWndMenu->addAction(m_pResetAction);
    m_pWndMenu->addAction(m_pCloseAction);
}

void SpliceScene::initConnections()
{
    connect(m_pAddWndAction, SIGNAL(triggered(bool)), this, SLOT(slotAddWnd()));
    connect(m_pFullAction, SIGNAL(triggered(bool)), this, SLOT(slotFull()));
    connect(m_pAddressAction, SIGNAL(triggered(bool)), this, SLOT(slotAddress()));
    connect(m_pPositionAction, SIGNAL(triggered(bool)), this, SLOT(slotPosition()));
    connect(m_pRotateAction, SIGNAL(triggered(bool)), this, SLOT(slotRotate()));
    connect(m_pResAction, SIGNAL(triggered(bool)), this, SLOT(slotRes()));
    connect(m_pModeAction, SIGNAL(triggered(bool)), this, SLOT(slotMode()));
    connect(m_pCloseAction, SIGNAL(triggered(bool)), this, SLOT(slotClose()));
    connect(m_pResetAction, SIGNAL(triggered(bool)), this, SLOT(slotRest()));
}

void SpliceScene::retranslate()
{
    m_pAddWndAction->setText(tr("New Window"));
    m_pAddressAction->setText(tr("Address"));
    m_pPositionAction->setText(tr("Position"));
    m_pRotateAction->setText(tr("Rotate"));
    m_pResAction->setText(tr("Resolution"));
    m_pModeAction->setText(tr("Mode"));
    m_pCloseAction->setText(tr("Close"));
    m_pResetAction->setText(tr("Reset"));
    m_pFullAction->setText(tr("Full"));
    // The windows' own texts are translated when they are painted; their cached pictures are not.
    for (UnitWnd *pWnd : qAsConst(m_windows))
        pWnd->update();
}

UnitWnd *SpliceScene::windowOf(QGraphicsItem *item) const
{
    if (!item)
        return nullptr;
    for (UnitWnd *pWnd : m_windows) {
        if (static_cast<QGraphicsItem *>(pWnd) == item)
            return pWnd;
    }
    return nullptr;
}

UnitWnd *SpliceScene::targetWnd() const
{
    return windowOf(focusItem());
}

void SpliceScene::addWnd(UnitWnd *pWnd)
{
    addItem(pWnd);
    connect(pWnd, SIGNAL(onpositionchanged(Position)), this, SIGNAL(onpositionchanged(Position)));
    watchWnd(pWnd);
}

void SpliceScene::watchWnd(UnitWnd *pWnd)
{
    connect(pWnd, &UnitWnd::edited, this,
            [this, pWnd](const WndState &before) { recordEdit(pWnd, before, Resend::Position); });
    connect(pWnd, &UnitWnd::positionSent, this,
            [this, pWnd](bool bWritten) { onWindowSent(pWnd, bWritten); });
}

void SpliceScene::onWindowSent(UnitWnd *pWnd, bool bWritten)
{
    // The controller's window of that address shows this one now, not a closed one.
    if (bWritten) {
        const int address = pWnd->address().first;
        for (int i = m_closedOnWall.size() - 1; i >= 0; --i) {
            if (m_closedOnWall.at(i).address == address && m_closedOnWall.at(i).pWnd != pWnd)
                m_closedOnWall.removeAt(i);
        }
    }
    if (!m_isSending)
        emit differencesChanged();
}

void SpliceScene::recordEdit(UnitWnd *pWnd, const WndState &before, Resend how)
{
    const WndState after = pWnd->state();
    if (after == before)
        return;
    // The position panel shows the selected window: it reads it again.
    m_pUndo->push(new EditCommand(
        [this, pWnd, before, how] {
            pWnd->restoreState(before);
            resend(pWnd, how);
            emit selectionChanged();
        },
        [this, pWnd, after, how] {
            pWnd->restoreState(after);
            resend(pWnd, how);
            emit selectionChanged();
        }));
}

void SpliceScene::resend(UnitWnd *pWnd, Resend how)
{
    if (how == Resend::Position || how == Resend::PositionAlways)
        pWnd->sendPosition(how == Resend::PositionAlways);
    else if (how == Resend::Rotation)
        pWnd->sendRotation();
}

void SpliceScene::recordPresence(UnitWnd *pWnd, bool bAdded)
{
    // Out of the scene, the window belongs to the step that took it out.
    auto isOut = std::make_shared<bool>(!bAdded);
    const std::function<void()> takeOut = [this, pWnd, isOut] {
        removeItem(pWnd);
        m_windows.removeAll(pWnd);
        *isOut = true;
        emit selectionChanged();
    };
    const std::function<void()> putBack = [this, pWnd, isOut] {
        addItem(pWnd);
        m_windows.append(pWnd);
        *isOut = false;
        for (int i = m_closedOnWall.size() - 1; i >= 0; --i) {
            if (m_closedOnWall.at(i).pWnd == pWnd)
                m_closedOnWall.removeAt(i);
        }
        pWnd->sendPosition();
        emit differencesChanged();
    };
    m_pUndo->push(new EditCommand(bAdded ? takeOut : putBack, bAdded ? putBack : takeOut, [pWnd, isOut] {
        if (*isOut)
            delete pWnd;
    }));
}

void SpliceScene::closeWnd(UnitWnd *pWnd)
{
    removeItem(pWnd);
    m_windows.removeAll(pWnd);
    // The controller has no command to close a window: what it showed stays until its unit is reset.
    if (pWnd->isOnWall())
        m_closedOnWall.append(ClosedWnd{pWnd->address().first, pWnd});
    recordPresence(pWnd, false);
    emit differencesChanged();
}

void SpliceScene::dropWnd(UnitWnd *pWnd)
{
    removeItem(pWnd);
    disconnect(pWnd, SIGNAL(onpositionchanged(Position)), this, SIGNAL(onpositionchanged(Position)));
    delete pWnd;
}

void SpliceScene::deleteRubberBand()
{
    if (!m_pRubberBand)
        return;
    removeItem(m_pRubberBand);
    delete m_pRubberBand;
    m_pRubberBand = nullptr;
}

void SpliceScene::slotAddWnd()
{
    const AppStatus *status = AppStatus::theAppStatus();
    double baseWidth = 960;
    double baseHeight = 540;
    if (status->sceneType() == 1) {
        baseWidth = 1080;
        baseHeight = 1920;
    } else if (status->sceneType() == 0 || status->sceneType() == 2) {
        baseWidth = 1920;
        baseHeight = 1080;
    }
    auto *pWnd = new UnitWnd(baseWidth / 3, baseHeight / 3);
    pWnd->setType(1);

    const double width = pWnd->boundingRect().width();
    const double height = pWnd->boundingRect().height();
    double x = m_menuX;
    double y = m_menuY;
    if (x + width > status->unitWidth())
        x = status->unitWidth() - width;
    if (y + height > status->unitHeight())
        y = status->unitHeight() - height;
    pWnd->setX(x);
    pWnd->setY(y);

    addWnd(pWnd);
    pWnd->updatePosition();
    m_windows.append(pWnd);
    recordPresence(pWnd, true);
}

void SpliceScene::slotAddress()
{
    UnitWnd *pWnd = targetWnd();
    if (!pWnd)
        return;
    if (!m_pAddressDlg)
        m_pAddressDlg = new SettingAddressDlg;
    m_pAddressDlg->setAddr1(pWnd->address().first);
    m_pAddressDlg->setAddr2(pWnd->address().second);
    if (m_pAddressDlg->exec() == QDialog::Accepted)
        setWndAddress(pWnd, Address(m_pAddressDlg->addr1(), m_pAddressDlg->addr2()));
}

bool SpliceScene::setWndAddress(UnitWnd *pWnd, const Address &address)
{
    for (UnitWnd *pOther : qAsConst(m_windows)) {
        if (pOther == pWnd || isZeroAddress(pOther->address()))
            continue;
        if (pOther->address() == address) {
            QMessageBox::warning(nullptr, m_strWarningTitle, m_strWarningText, QMessageBox::Ok);
            return false;
        }
    }
    const WndState before = pWnd->state();
    pWnd->setAddress(address.first, address.second);
    recordEdit(pWnd, before, Resend::Nothing);
    // The position panel shows the selected window's address.
    emit selectionChanged();
    return true;
}

void SpliceScene::slotPosition()
{
    UnitWnd *pWnd = targetWnd();
    if (!pWnd)
        return;
    if (!m_pPosDlg)
        m_pPosDlg = new SettingPosDlg;
    const AppStatus *status = AppStatus::theAppStatus();
    m_pPosDlg->setWallSize(6 * status->unitWidth(), 6 * status->unitHeight());
    // Rounded as the wire has them, so that Ok without a change sends the same rectangle.
    const Position current = pWnd->position();
    m_pPosDlg->setValues(roundedToInt(current.x), roundedToInt(current.y), roundedToInt(current.width),
                         roundedToInt(current.height));
    if (m_pPosDlg->exec() != QDialog::Accepted)
        return;

    const Address address = pWnd->address();
    if (isZeroAddress(address)) {
        qDebug() << "XXX";
        return;
    }
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    m_pPosDlg->getValues(&x, &y, &width, &height);
    pWnd->applyPosition(Position(x, y, width, height));
}

void SpliceScene::slotRotate()
{
    UnitWnd *pWnd = targetWnd();
    if (!pWnd)
        return;
    if (!m_pRotateDlg)
        m_pRotateDlg = new SettingRotateDlg;
    m_pRotateDlg->setCurrentIndex(pWnd->rotate());
    if (m_pRotateDlg->exec() != QDialog::Accepted)
        return;
    const WndState before = pWnd->state();
    pWnd->setRotate(m_pRotateDlg->currentIndex());
    pWnd->update();
    pWnd->sendRotation();
    recordEdit(pWnd, before, Resend::Rotation);
}

void SpliceScene::slotRes()
{
    UnitWnd *pWnd = targetWnd();
    if (!pWnd)
        return;
    if (!m_pCommonDlg)
        m_pCommonDlg = new SettingCommonDlg(nullptr, 0);
    m_pCommonDlg->setType(0);
    if (m_pCommonDlg->exec() != QDialog::Accepted)
        return;
    const Address address = pWnd->address();
    if (isZeroAddress(address) || address.first == -1)
        return;
    const QString text = m_pCommonDlg->currentText();
    int nRes = 2;
    if (text.contains(QLatin1String("1920")))
        nRes = 0;
    else if (text.contains(QLatin1String("1280")))
        nRes = 1;
    // A window loaded from a layout file has no sub address (-1), which would pack into the broadcast
    // target: it is the unit's first input, 0.
    SerialLink::theSerialLink()->setResolution(nRes, address.first, qMax(0, address.second));
}

void SpliceScene::slotMode()
{
    UnitWnd *pWnd = targetWnd();
    if (!pWnd)
        return;
    if (!m_pCommonDlg)
        m_pCommonDlg = new SettingCommonDlg(nullptr, 0);
    m_pCommonDlg->setType(1);
    if (m_pCommonDlg->exec() != QDialog::Accepted)
        return;
    if (isZeroAddress(pWnd->address()))
        return;
    // The input mode command has no target: it switches the whole wall.
    const int nMode = m_pCommonDlg->currentText().contains(QLatin1String("HDMI")) ? 2 : 3;
    SerialLink::theSerialLink()->setInputMode(nMode);
}

void SpliceScene::slotClose()
{
    if (UnitWnd *pWnd = targetWnd())
        closeWnd(pWnd);
}

void SpliceScene::slotRest()
{
    UnitWnd *pWnd = targetWnd();
    if (!pWnd)
        return;
    // -1 (no address) would go out as the broadcast target and reset the whole wall.
    if (pWnd->address().first == -1)
        return;
    resetUnits(pWnd->address().first);
}

void SpliceScene::resetUnits(int nTarget)
{
    if (nTarget != SerialLink::allUnits && (nTarget < 0 || nTarget > SerialLink::maxAddress))
        return;
    if (!SerialLink::theSerialLink()->resetUnit(nTarget))
        return;
    for (int i = m_closedOnWall.size() - 1; i >= 0; --i) {
        if (nTarget == SerialLink::allUnits || m_closedOnWall.at(i).address == nTarget)
            m_closedOnWall.removeAt(i);
    }
    emit differencesChanged();
}

void SpliceScene::slotFull()
{
    UnitWnd *pWnd = targetWnd();
    if (!pWnd)
        return;
    const WndState before = pWnd->state();
    if (AppStatus::theAppStatus()->sceneType() == 1)
        pWnd->setPosition(Position(0, 0, canvasHeight, canvasWidth));
    else
        pWnd->setPosition(Position(0, 0, canvasWidth, canvasHeight));
    pWnd->updatePosition();
    pWnd->sendPosition(true);
    recordEdit(pWnd, before, Resend::PositionAlways);
}

void SpliceScene::removeAllWnd()
{
    m_pUndo->clear();
    for (UnitWnd *pWnd : qAsConst(m_windows))
        dropWnd(pWnd);
    qDebug() << "remove wnd";
    m_windows.clear();
    m_cutOffSent = -1;
    emit wallEdited();
    emit differencesChanged();
}

void SpliceScene::loadConfig(ModelFile *model)
{
    qDebug() << "loadConfig";
    if (!model)
        return;
    m_pUndo->clear();
    for (UnitWnd *pWnd : qAsConst(m_windows)) {
        qDebug() << "removeItem";
        dropWnd(pWnd);
    }
    m_windows.clear();

    const bool isOpen = AppStatus::theAppStatus()->isOpenModel();
    const QList<WndRecord> records = model->items();
    QList<UnitWnd *> toSend;
    for (const WndRecord &record : records) {
        qDebug() << "add pwnd";
        auto *pWnd = new UnitWnd;
        if (record.type == 0) {
            pWnd->setType(0);
            pWnd->setVisible(isOpen);
        } else {
            pWnd->setType(1);
            pWnd->setVisible(!isOpen);
        }
        pWnd->setAddress(record.address, record.subAddress);
        pWnd->setPosition(Position(record.x, record.y, record.width, record.height));
        pWnd->setRotate(record.rotate);
        // Hidden windows too: the controller holds both models' windows.
        if (!isZeroAddress(pWnd->address()) || record.type == 1)
            toSend << pWnd;
        addWnd(pWnd);
        m_windows.append(pWnd);
    }
    emit wallEdited();
    sendWindows(toSend);
}

SpliceScene::LoadResult SpliceScene::loadLayout(const QString &strFile, bool bAsk)
{
    LoadResult result;
    // Loading never writes the file back.
    ModelFile model(strFile, false);
    if (!model.read()) {
        result.strError = tr("%1 holds no wall layout; the wall is unchanged.").arg(strFile);
        if (bAsk)
            QMessageBox::warning(nullptr, tr("Load"), result.strError);
        return result;
    }
    // A layout keeps the windows of the model it was saved in; loaded into the other model they would go
    // to the wall unseen.
    const QList<WndRecord> &records = model.items();
    const bool isOpen = AppStatus::theAppStatus()->isOpenModel();
    const bool isOtherModel = std::all_of(records.begin(), records.end(), [isOpen](const WndRecord &record) {
        return (record.type == 0) != isOpen;
    });
    if (bAsk && isOtherModel &&
        QMessageBox::question(nullptr, tr("Load"),
                              tr("The windows of this layout belong to the %1, but the %2 is shown. Switch "
                                 "to the %1 to see them?")
                                  .arg(isOpen ? tr("standard model") : tr("irregular model"),
                                       isOpen ? tr("irregular model") : tr("standard model")),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes)
        emit switchModel(isOpen ? 0 : 1);
    loadConfig(&model);
    result.isLoaded = true;
    result.windowCount = m_windows.size();
    for (UnitWnd *pWnd : qAsConst(m_windows)) {
        result.sentCount += pWnd->isOnWall() ? 1 : 0;
        result.hiddenCount += pWnd->isVisible() ? 0 : 1;
    }
    return result;
}

void SpliceScene::sendLayout()
{
    QList<UnitWnd *> toSend;
    for (UnitWnd *pWnd : qAsConst(m_windows)) {
        if (pWnd->isVisible() && pWnd->address().first >= 0 &&
            (!isZeroAddress(pWnd->address()) || pWnd->type() == 1))
            toSend << pWnd;
    }
    sendWindows(toSend);
}

// More than a few windows take seconds. A modal dialog shows how far it got, and takes the clicks and
// keys of that time, which would otherwise all run once the last frame is out.
int SpliceScene::sendWindows(const QList<UnitWnd *> &windows)
{
    SerialLink *link = SerialLink::theSerialLink();
    m_cutOffSent = -1;
    if (!link->isConnected()) {
        for (UnitWnd *pWnd : windows)
            pWnd->markUnsent();
        emit differencesChanged();
        return 0;
    }
    m_isSending = true;
    std::unique_ptr<QProgressDialog> pProgress;
    if (windows.size() > progressFrom) {
        pProgress = std::make_unique<QProgressDialog>();
        pProgress->setWindowModality(Qt::ApplicationModal);
        pProgress->setCancelButton(nullptr);
        pProgress->setMinimumDuration(0);
        pProgress->setRange(0, windows.size());
        pProgress->show();
    }
    int sent = 0;
    for (int i = 0; i < windows.size(); ++i) {
        if (pProgress) {
            pProgress->setLabelText(tr("Sending the layout: %1 of %2 windows").arg(i).arg(windows.size()));
            pProgress->setValue(i);
            QCoreApplication::processEvents();
        }
        UnitWnd *pWnd = windows.at(i);
        if (!link->isConnected()) {
            pWnd->markUnsent();
            continue;
        }
        if (pWnd->sendAsLayout(m_rebuildPause)) {
            ++sent;
            pWnd->setSentHidden(!pWnd->isVisible());
        }
    }
    if (pProgress) {
        pProgress->setValue(windows.size());
        QCoreApplication::processEvents();
    }
    m_isSending = false;
    // Counted among the windows that have a unit to go to.
    const int sendable = int(
        std::count_if(windows.begin(), windows.end(), [](UnitWnd *pWnd) { return pWnd->canBeSent(true); }));
    if (!link->isConnected() && sent < sendable) {
        m_cutOffSent = sent;
        m_cutOffTotal = sendable;
    }
    emit differencesChanged();
    return sent;
}

QStringList SpliceScene::differences() const
{
    QStringList reasons;
    int unsent = 0;
    int hidden = 0;
    for (UnitWnd *pWnd : m_windows) {
        unsent += pWnd->isVisible() && pWnd->isUnsent() ? 1 : 0;
        hidden += !pWnd->isVisible() && pWnd->isSentHidden() ? 1 : 0;
    }
    if (m_cutOffSent >= 0)
        reasons << tr("%1 of %2 windows sent before the link was lost").arg(m_cutOffSent).arg(m_cutOffTotal);
    else if (unsent > 0)
        reasons << tr("windows not sent (no link): %1").arg(unsent);
    if (hidden > 0)
        reasons << tr("windows of the other model sent unseen: %1").arg(hidden);
    QStringList closed;
    for (const ClosedWnd &entry : m_closedOnWall) {
        if (!closed.contains(QString::number(entry.address)))
            closed << QString::number(entry.address);
    }
    if (!closed.isEmpty())
        reasons << tr("closed windows still on the wall: %1 (reset their units)").arg(closed.join(", "));
    return reasons;
}

void SpliceScene::collectRecords(ModelFile *model)
{
    if (!model)
        return;
    QList<WndRecord> records;
    for (UnitWnd *pWnd : qAsConst(m_windows)) {
        if (!pWnd->isVisible())
            continue;
        const Position pos = pWnd->position();
        WndRecord record;
        record.x = pos.x;
        record.y = pos.y;
        record.width = pos.width;
        record.height = pos.height;
        record.address = pWnd->address().first;
        record.subAddress = pWnd->address().second;
        record.type = pWnd->type();
        record.rotate = pWnd->rotate();
        records.append(record);
    }
    model->setItems(records);
}

void SpliceScene::saveModel(QString strFile)
{
    qDebug() << "111111111122222222222";
    QString strError;
    if (!saveLayout(strFile, &strError))
        QMessageBox::warning(nullptr, tr("Save"), strError);
}

bool SpliceScene::saveLayout(const QString &strFile, QString *pError)
{
    ModelFile model(strFile, false);
    collectRecords(&model);
    if (model.write())
        return true;
    if (pError)
        *pError = tr("The layout could not be saved in %1 (%2).").arg(strFile, model.errorString());
    return false;
}

int SpliceScene::shownWindowCount() const
{
    return int(
        std::count_if(m_windows.begin(), m_windows.end(), [](UnitWnd *pWnd) { return pWnd->isVisible(); }));
}

int SpliceScene::placedWindowCount() const
{
    const bool isOpen = AppStatus::theAppStatus()->isOpenModel();
    return int(std::count_if(m_windows.begin(), m_windows.end(), [isOpen](UnitWnd *pWnd) {
        return isOpen || pWnd->type() != 1 || pWnd->address().first >= 0;
    }));
}

void SpliceScene::loadModel(QString strFile)
{
    loadLayout(strFile, true);
}

void SpliceScene::applyOpenModel(bool bOpen)
{
    m_pUndo->clear();
    const QList<UnitWnd *> windows = m_windows;
    for (UnitWnd *pWnd : windows) {
        if (pWnd->type() == 1) {
            m_windows.removeAll(pWnd);
            dropWnd(pWnd);
        } else {
            pWnd->setVisible(bOpen);
            // Shown again, the window the wall got is in the picture.
            if (bOpen)
                pWnd->setSentHidden(false);
        }
    }
    emit wallEdited();
    emit differencesChanged();
    if (bOpen)
        return;

    const int rows = AppStatus::theAppStatus()->spliceRow();
    const int columns = AppStatus::theAppStatus()->spliceColumn();
    // The grid covers the wall picture: the portrait wall is the landscape canvas turned upright.
    const bool isPortrait = AppStatus::theAppStatus()->sceneType() == 1;
    const int wallWidth = isPortrait ? canvasHeight : canvasWidth;
    const int wallHeight = isPortrait ? canvasWidth : canvasHeight;
    qDebug() << "spliceRow" << rows << "spliceColumn" << columns;
    // The counts come from the settings file: a grid needs at least one cell, and no more than the
    // controller can be told.
    if (rows < 1 || columns < 1 || rows > maxSpliceCount || columns > maxSpliceCount)
        return;
    const int cellWidth = wallWidth / columns;
    const int cellHeight = wallHeight / rows;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto *pWnd = new UnitWnd;
            qDebug() << "new Normal wnd";
            pWnd->setType(1);
            pWnd->setPosition(Position(c * cellWidth, r * cellHeight, cellWidth, cellHeight));
            m_windows.append(pWnd);
            qDebug() << "Add Normal wnd";
            addItem(pWnd);
            watchWnd(pWnd);
        }
    }
}

void SpliceScene::contextMenuEvent(QGraphicsSceneContextMenuEvent *event)
{
    const AppStatus *status = AppStatus::theAppStatus();
    const QPointF p = event->scenePos();
    if (p.x() < 0 || p.y() < 0 || p.x() > status->unitWidth() || p.y() > status->unitHeight())
        return;

    QGraphicsItem *item = itemAt(p, QTransform());
    UnitWnd *pWnd = windowOf(item);
    if (pWnd) {
        if (!pWnd->isVisible())
            return;
        m_pPositionAction->setVisible(pWnd->type() != 1);
        // The window the menu acts on is the selected one, which the keys move and the panel shows.
        clearSelection();
        pWnd->setSelected(true);
        setFocusItem(pWnd, Qt::OtherFocusReason);
        m_pWndMenu->exec(event->screenPos());
    } else if (!AppStatus::theAppStatus()->isOpenModel()) {
        // No window here, only the wall and its lines: offer a new window where the click was. Its
        // units would cover the operator's own windows in the open model.
        m_menuX = static_cast<int>(p.x());
        m_menuY = static_cast<int>(p.y());
        m_pEmptyMenu->exec(event->screenPos());
    }
    QGraphicsScene::contextMenuEvent(event);
}

void SpliceScene::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (selectedItems().isEmpty() && AppStatus::theAppStatus()->isOpenModel() &&
        event->button() == Qt::LeftButton) {
        deleteRubberBand();
        m_pRubberBand = new QGraphicsRectItem;
        m_pRubberBand->setZValue(3.0);
        QPen pen;
        pen.setStyle(Qt::DashLine);
        m_pRubberBand->setPen(pen);
        addItem(m_pRubberBand);
    }
    QGraphicsScene::mousePressEvent(event);
}

void SpliceScene::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if (selectedItems().isEmpty() && AppStatus::theAppStatus()->isOpenModel() &&
        event->buttons() == Qt::LeftButton) {
        const QPointF start = event->buttonDownScenePos(Qt::LeftButton);
        const QPointF current = event->scenePos();
        qDebug() << "mouseMoveEvent::event->scenePos()" << current;
        qDebug() << "MouseMoveEvent::this.rect" << sceneRect();
        if (!sceneRect().contains(current))
            return;
        const double x1 = qMin(start.x(), current.x());
        const double x2 = qMax(start.x(), current.x());
        const double y1 = qMin(start.y(), current.y());
        const double y2 = qMax(start.y(), current.y());
        // The band repaints its old and its new rectangle itself; nothing else on the wall changes.
        if (m_pRubberBand)
            m_pRubberBand->setRect(x1, y1, x2 - x1, y2 - y1);
    }
    QGraphicsScene::mouseMoveEvent(event);
}

void SpliceScene::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    qDebug() << "mouseReleaseEvent SpliceScene ";
    if (m_pRubberBand) {
        const QRectF rect = m_pRubberBand->rect();
        if (rect.width() >= minimumBand && rect.height() >= minimumBand) {
            auto *pWnd = new UnitWnd(rect.width(), rect.height());
            pWnd->setType(0);
            pWnd->setPos(rect.topLeft());
            addWnd(pWnd);
            pWnd->updatePosition();
            deleteRubberBand();
            m_windows.append(pWnd);
            recordPresence(pWnd, true);
        } else {
            deleteRubberBand();
        }
    }
    QGraphicsScene::mouseReleaseEvent(event);
}

void SpliceScene::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        clearSelection();
        setFocusItem(nullptr);
        return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        const QList<QGraphicsItem *> selected = selectedItems();
        if (UnitWnd *pWnd = windowOf(selected.value(0)); pWnd && pWnd->isVisible()) {
            closeWnd(pWnd);
            return;
        }
    }
    QGraphicsScene::keyPressEvent(event);
}
