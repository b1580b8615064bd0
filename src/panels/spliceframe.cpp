#include "spliceframe.h"

#include "appstatus.h"
#include "presetstore.h"
#include "unitwnd.h"
#include "wallsetupdlg.h"

#include <QDebug>
#include <QEvent>
#include <QFile>
#include <QGraphicsLineItem>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QImage>
#include <QMessageBox>
#include <QPen>
#include <QTimer>
#include <QUndoStack>
#include <QVariant>

namespace {

// The portrait wall is twice as tall as the landscape one; this scale keeps it inside the view.
const double portraitScale = 0.5743491774985174;
const double maximisedScale = 2.0;
const qreal gridZ = 0.1;
// Every third grid line is drawn solid so that the operator can count units at a glance.
const int solidEvery = 3;

template <typename Item>
void dropItems(QGraphicsScene *scene, QList<Item *> &items)
{
    for (Item *item : qAsConst(items)) {
        scene->removeItem(item);
        delete item;
    }
    items.clear();
}

QGraphicsLineItem *newLine(int nX1, int nY1, int nX2, int nY2, const QPen &pen)
{
    auto *line = new QGraphicsLineItem(nX1, nY1, nX2, nY2);
    line->setPen(pen);
    line->setSelected(false);
    // Dashed lines are stroked pixel by pixel; these never change, so each is stroked once into a pixmap
    // and blitted under every window or band that moves over it.
    line->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    return line;
}

} // namespace

SpliceFrmae::SpliceFrmae(QWidget *parent) : QFrame(parent)
{
    initView();

    const int nType = AppStatus::theAppStatus()->sceneType();
    onChangSceneType(nType, nType);
    m_isInitialised = true;

    setProperty("class", "SpliceFrame");
    initConnections();
}

SpliceFrmae::~SpliceFrmae()
{
    // The scene writes the state file when it goes; its teardown must not call back into this frame.
    m_pScene->disconnect(this);
    delete m_pScene;
    m_pScene = nullptr;
    delete m_pView;
    m_pView = nullptr;
}

void SpliceFrmae::initView()
{
    auto *pLayout = new QHBoxLayout;
    m_pView = new QGraphicsView;
    m_pView->setRenderHint(QPainter::Antialiasing, false);
    m_pView->setDragMode(QGraphicsView::NoDrag);
    m_pView->setOptimizationFlags(QGraphicsView::DontSavePainterState);
    m_pView->setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    m_pView->setTransformationAnchor(QGraphicsView::AnchorUnderMouse);

    const AppStatus *status = AppStatus::theAppStatus();
    const int width = status->unitWidth();
    const int height = status->unitHeight();
    m_pScene = new SpliceScene(nullptr);
    m_pScene->setSceneRect(0, 0, width, height);

    const QString strBackground = QStringLiteral("background.png");
    const QImage background = QFile::exists(strBackground) ? QImage(strBackground) : QImage();
    if (!background.isNull())
        m_pScene->setBackgroundBrush(
            QBrush(background.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    else
        m_pScene->setBackgroundBrush(QBrush(QColor(142, 142, 142, 255)));

    m_pView->setScene(m_pScene);
    // The zoomed wall is larger than the view: every part of it stays in reach.
    m_pView->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pView->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    pLayout->addWidget(m_pView);
    pLayout->setMargin(0);
    pLayout->setSpacing(0);
    setLayout(pLayout);
}

void SpliceFrmae::initConnections()
{
    connect(m_pScene, SIGNAL(selectionChanged()), this, SLOT(onSelectedChanged()));
    connect(m_pScene, SIGNAL(onpositionchanged(Position)), this, SLOT(onWndMoved()));
    connect(this, SIGNAL(savesignal(QString)), m_pScene, SLOT(saveModel(QString)));
    connect(this, SIGNAL(loadsignal(QString)), m_pScene, SLOT(loadModel(QString)));
    connect(m_pScene, SIGNAL(differencesChanged()), this, SLOT(onDifferences()));
    connect(m_pScene, SIGNAL(wallEdited()), this, SIGNAL(wallEdited()));
    connect(m_pScene, SIGNAL(switchModel(int)), this, SIGNAL(switchModel(int)));
    connect(m_pScene->undoStack(), SIGNAL(canUndoChanged(bool)), this, SIGNAL(undoAvailable(bool)));
    connect(m_pScene->undoStack(), SIGNAL(canRedoChanged(bool)), this, SIGNAL(redoAvailable(bool)));
    // The layout restored at start-up was not sent (the link opens later): told once everything is wired.
    QTimer::singleShot(0, this, &SpliceFrmae::onDifferences);
}

void SpliceFrmae::onDifferences()
{
    emit differencesChanged(m_pScene->differences());
}

void SpliceFrmae::onResetUnits(int nTarget)
{
    m_pScene->resetUnits(nTarget);
}

void SpliceFrmae::updateSceneUnit()
{
    dropItems(m_pScene, m_gridLines);

    const AppStatus *status = AppStatus::theAppStatus();
    const int width = status->unitWidth();
    const int height = status->unitHeight();
    const int rows = status->sceneRow();
    const int columns = status->sceneColumn();

    QPen dashed;
    dashed.setWidthF(0.5);
    dashed.setStyle(Qt::DashLine);
    QPen solid = dashed;
    solid.setStyle(Qt::SolidLine);
    solid.setWidthF(0.8);

    QList<QGraphicsLineItem *> lines;
    // The counts come from the settings file: a count below 1, or one so large that a unit would be
    // narrower than a scene unit, draws no lines in that direction (and never billions of them).
    if (columns >= 1 && columns <= width) {
        const int cellWidth = width / columns;
        for (int i = 1; i < columns; ++i)
            lines << newLine(i * cellWidth, 0, i * cellWidth, height, i % solidEvery == 0 ? solid : dashed);
    }
    if (rows >= 1 && rows <= height) {
        const int cellHeight = height / rows;
        for (int j = 1; j < rows; ++j)
            lines << newLine(0, j * cellHeight, width, j * cellHeight, j % solidEvery == 0 ? solid : dashed);
    }
    for (QGraphicsLineItem *line : qAsConst(lines)) {
        line->setZValue(gridZ);
        m_gridLines.append(line);
        m_pScene->addItem(line);
    }
}

void SpliceFrmae::drawBorder()
{
    dropItems(m_pScene, m_borderLines);
    const int width = AppStatus::theAppStatus()->unitWidth();
    const int height = AppStatus::theAppStatus()->unitHeight();
    QPen pen;
    pen.setWidthF(1.0);
    m_borderLines << newLine(0, 0, width, 0, pen) << newLine(width, 0, width, height, pen)
                  << newLine(width, height, 0, height, pen) << newLine(0, height, 0, 0, pen);
    for (QGraphicsLineItem *line : qAsConst(m_borderLines))
        m_pScene->addItem(line);
}

void SpliceFrmae::drawDimensionMarks()
{
    dropItems(m_pScene, m_marks);
    const int nType = AppStatus::theAppStatus()->sceneType();
    const int w = AppStatus::theAppStatus()->unitWidth();
    const int h = AppStatus::theAppStatus()->unitHeight();
    const int w2 = w / 2;
    const int h2 = h / 2;

    QPen pen;
    pen.setWidthF(0.5);
    m_marks << newLine(w + 4, 0, w + 24, 0, pen) << newLine(w + 4, h, w + 24, h, pen)
            << newLine(0, h + 4, 0, h + 24, pen) << newLine(w, h + 4, w, h + 24, pen)
            << newLine(w + 14, 4, w + 14, h2 - 20, pen) << newLine(w + 14, h2 + 20, w + 14, h - 4, pen)
            << newLine(4, h + 14, w2 - 20, h + 14, pen) << newLine(w2 + 20, h + 14, w - 4, h + 14, pen);

    // The wall resolution in the controller's pixels; the stretch type shows a portrait wall drawn wide.
    QString strWidth;
    QString strHeight;
    if (nType == 0) {
        strWidth = QStringLiteral("3840");
        strHeight = QStringLiteral("2160");
    } else if (nType == 1 || nType == 2) {
        strWidth = QStringLiteral("1080");
        strHeight = QStringLiteral("1920");
    }
    if (!strWidth.isEmpty()) {
        auto *pWidthLabel = new QGraphicsTextItem(strWidth);
        pWidthLabel->setPos(w2 - 18, h + 2);
        auto *pHeightLabel = new QGraphicsTextItem(strHeight);
        pHeightLabel->setRotation(90);
        pHeightLabel->setPos(w + 26, h2 - 18);
        m_marks << pWidthLabel << pHeightLabel;
    }
    for (QGraphicsItem *item : qAsConst(m_marks))
        m_pScene->addItem(item);
}

void SpliceFrmae::onSaveModel(int nIndex)
{
    QString strError;
    if (!savePreset(nIndex, &strError))
        QMessageBox::warning(window(), tr("Save"), strError);
}

void SpliceFrmae::onLoadModel(int nIndex)
{
    recallPreset(nIndex, true);
}

SpliceScene::LoadResult SpliceFrmae::recallPreset(int nID, bool bAsk)
{
    if (nID < 0 || nID >= PresetStore::count)
        return SpliceScene::LoadResult();
    const SpliceScene::LoadResult result = loadFile(PresetStore::fileName(nID + 1), bAsk);
    if (result.isLoaded)
        emit presetRecalled(nID);
    return result;
}

bool SpliceFrmae::savePreset(int nID, QString *pError)
{
    if (nID < 0 || nID >= PresetStore::count)
        return false;
    if (!m_pScene->saveLayout(PresetStore::fileName(nID + 1), pError))
        return false;
    emit presetSaved(nID);
    return true;
}

SpliceScene::LoadResult SpliceFrmae::loadFile(const QString &strFile, bool bAsk)
{
    return m_pScene->loadLayout(strFile, bAsk);
}

bool SpliceFrmae::moveWindow(int nAddress, const Position &pos, QString *pError, QString *pNote)
{
    const AppStatus *status = AppStatus::theAppStatus();
    const int wallWidth = 6 * status->unitWidth();
    const int wallHeight = 6 * status->unitHeight();
    // The control port's parser holds each value to its field (a size of at least 1); the whole rectangle
    // is the wall's to judge.
    if (pos.x + pos.width > wallWidth || pos.y + pos.height > wallHeight) {
        *pError = QStringLiteral("the rectangle does not lie on the wall of %1 x %2")
                      .arg(wallWidth)
                      .arg(wallHeight);
        return false;
    }
    UnitWnd *pFound = nullptr;
    for (QGraphicsItem *pItem : m_pScene->items(Qt::AscendingOrder)) {
        auto *pWnd = dynamic_cast<UnitWnd *>(pItem);
        if (pWnd && pWnd->isVisible() && pWnd->type() != 1 && pWnd->address().first == nAddress) {
            pFound = pWnd;
            break;
        }
    }
    if (!pFound) {
        *pError =
            QStringLiteral("no window with address %1 is shown (cells of the standard grid are not moved)")
                .arg(nAddress);
        return false;
    }
    const bool canSend = pFound->canBeSent(false);
    if (!pFound->applyPosition(pos))
        *pNote = canSend ? QStringLiteral("not sent: no link")
                         : QStringLiteral("not sent: a free window at address (0, 0) stays local");
    return true;
}

void SpliceFrmae::onWallSetup()
{
    if (!m_pWallDlg)
        m_pWallDlg = new WallSetupDlg(window());
    AppStatus *status = AppStatus::theAppStatus();
    m_pWallDlg->setValues(status->sceneRow(), status->sceneColumn(), status->sceneType());
    if (m_pWallDlg->exec() != QDialog::Accepted)
        return;
    const int nOldType = status->sceneType();
    const int nType = m_pWallDlg->sceneType();
    // Another scene type is another wall: its windows go.
    if (nType != nOldType && m_pScene->placedWindowCount() > 0 &&
        QMessageBox::question(
            window(), tr("Wall setup"),
            tr("Another scene type clears the wall: its %1 windows are removed from the picture "
               "(the wall keeps showing them until a layout is sent). Go on?")
                .arg(m_pScene->placedWindowCount()),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    if (m_pWallDlg->rows() != status->sceneRow() || m_pWallDlg->columns() != status->sceneColumn()) {
        status->setSceneRow(m_pWallDlg->rows());
        status->setSceneColumn(m_pWallDlg->columns());
        updateSceneUnit();
    }
    if (nType != nOldType) {
        status->setSceneType(nType);
        onChangSceneType(nOldType, nType);
        // The grid of the standard model covers the new wall.
        if (!status->isOpenModel())
            m_pScene->applyOpenModel(false);
    }
}

void SpliceFrmae::onChangSceneType(int oldType, int nType)
{
    qDebug() << "onChangSceneType" << oldType << nType;
    if (oldType == nType) {
        if (m_isInitialised)
            return;
    } else if (m_isInitialised) {
        m_pScene->removeAllWnd();
    }

    const AppStatus *status = AppStatus::theAppStatus();
    m_pScene->setSceneRect(0, 0, status->unitWidth(), status->unitHeight());
    drawBorder();
    updateSceneUnit();
    drawDimensionMarks();

    if (nType == 1)
        m_pView->setTransform(QTransform::fromScale(portraitScale, portraitScale));
    else if (nType == 0 || nType == 2)
        m_pView->resetTransform();
}

void SpliceFrmae::onChangeOpenModel()
{
    const bool isOpen = AppStatus::theAppStatus()->isOpenModel();
    qDebug() << "XXXXXXXXXXXXXXXXXXX AppStatus::theAppStatus()->isOpenModel()" << isOpen;
    m_pScene->applyOpenModel(isOpen);
}

UnitWnd *SpliceFrmae::firstSelected() const
{
    const QList<QGraphicsItem *> selected = m_pScene->selectedItems();
    return selected.isEmpty() ? nullptr : dynamic_cast<UnitWnd *>(selected.first());
}

void SpliceFrmae::onSetAddr(int nFirst, int nSecond)
{
    UnitWnd *pWnd = firstSelected();
    // A grid window covers whole units: its address is the units' own.
    if (pWnd && pWnd->type() != 1)
        m_pScene->setWndAddress(pWnd, Address(nFirst, nSecond));
    // The panel shows the address the window has, also when another window has the one typed.
    onSelectedChanged();
}

void SpliceFrmae::onSetPos(Position pos)
{
    UnitWnd *pWnd = firstSelected();
    if (pWnd && pWnd->type() != 1)
        pWnd->applyPosition(pos);
}

void SpliceFrmae::onSendLayout()
{
    m_pScene->sendLayout();
}

void SpliceFrmae::onUndo()
{
    m_pScene->undoStack()->undo();
}

void SpliceFrmae::onRedo()
{
    m_pScene->undoStack()->redo();
}

void SpliceFrmae::onWndMoved()
{
    // Every window reports its moves; the panel shows the selected one only.
    if (UnitWnd *pWnd = firstSelected())
        emit onpositionchanged(pWnd->position());
}

void SpliceFrmae::onChangedSize(int nType)
{
    if (nType == 1)
        m_pView->scale(maximisedScale, maximisedScale);
    else
        m_pView->resetTransform();
    m_pScene->update(QRectF());
}

void SpliceFrmae::onSelectedChanged()
{
    UnitWnd *pWnd = firstSelected();
    // Nothing selected (the window went, or the operator clicked beside it): the panel lets go of it.
    if (!pWnd) {
        emit selectedChanged(Position(), Address(), -1);
        return;
    }
    const Position pos = pWnd->position();
    const Address address = pWnd->address();
    const int nType = pWnd->type();
    qDebug() << "pos" << pos.x << pos.y << pos.width << pos.height;
    qDebug() << "address" << nType << address.first << address.second;
    emit selectedChanged(pos, address, nType);
}

void SpliceFrmae::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        m_pScene->retranslate();
        onDifferences();
    }
}
