#include "unitwnd.h"

#include "appstatus.h"
#include "clampedint.h"
#include "seriallink.h"

#include <QCursor>
#include <QDebug>
#include <QFont>
#include <QGraphicsScene>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPen>
#include <QStyle>
#include <QStyleOptionGraphicsItem>
#include <QTimer>

#include <cmath>

namespace {

const double edgeMargin = 6;
const double minimumSize = 15;
const double growthStep = 1;
const double arrowStep = 1.0 / 3.0;

// Done here rather than at static initialisation: a static library's initialisers may be dropped by the
// linker, and every window's signal needs the types.
void registerValueTypes()
{
    static const bool registered = [] {
        qRegisterMetaType<Position>("Position");
        qRegisterMetaType<Address>("Address");
        return true;
    }();
    Q_UNUSED(registered)
}

// The size of one display unit in wall units. The counts come from the settings file and may be 0; a
// grid whose unit is not at least one wall unit wide and high is unusable.
bool unitCell(int &nWidth, int &nHeight)
{
    const AppStatus *status = AppStatus::theAppStatus();
    const int columns = status->sceneColumn();
    const int rows = status->sceneRow();
    if (columns < 1 || rows < 1)
        return false;
    nWidth = 6 * status->unitWidth() / columns;
    nHeight = 6 * status->unitHeight() / rows;
    return nWidth >= 1 && nHeight >= 1;
}

} // namespace

UnitWnd::UnitWnd()
{
    initItem();
}

UnitWnd::UnitWnd(double dWidth, double dHeight) : m_width(dWidth), m_height(dHeight)
{
    initItem();
}

void UnitWnd::initItem()
{
    registerValueTypes();

    // Only the base item keeps this outline; drawing and hit tests use (0, 0, width, height).
    const double halfWidth = m_width / 2;
    const double halfHeight = m_height / 2;
    m_polygon << QPointF(-halfWidth, -halfHeight) << QPointF(halfWidth, -halfHeight)
              << QPointF(halfWidth, halfHeight) << QPointF(-halfWidth, halfHeight)
              << QPointF(-halfWidth, -halfHeight);
    setPolygon(m_polygon);

    setFlags(flags() | ItemIsMovable | ItemIsSelectable | ItemIgnoresParentOpacity |
             ItemSendsGeometryChanges | ItemIsFocusable);
    setAcceptHoverEvents(true);

    m_selectedColor = QColor(76, 184, 254);
    m_normalColor = QColor(218, 218, 218);
    m_borderColor = QColor(84, 84, 84);
    m_type1Color = QColor(126, 194, 66);
    m_type1SelectedColor = QColor(170, 234, 116);

    m_isResizing = false;
    m_isSnapped = false;
    setZValue(1.1);
    // A wall holds hundreds of windows that stand still while one is dragged over them or a band is drawn
    // across them: each is painted once into a pixmap and blitted from there until it changes.
    setCacheMode(DeviceCoordinateCache);
}

void UnitWnd::setPosition(const Position &pos)
{
    m_position = pos;
    prepareGeometryChange();
    setPos(pos.x / 3 * 0.5, pos.y / 3 * 0.5);
    m_width = pos.width / 3 * 0.5;
    m_height = pos.height / 3 * 0.5;
    update();
}

WndState UnitWnd::state() const
{
    return WndState{m_position, m_address, m_rotate, m_isSnapped, m_recordedPos};
}

void UnitWnd::restoreState(const WndState &state)
{
    setPosition(state.pos);
    m_address = state.address;
    m_rotate = state.rotate;
    m_isSnapped = state.isSnapped;
    m_recordedPos = state.recordedPos;
    emit onpositionchanged(m_position);
}

void UnitWnd::finishEdit(const WndState &before)
{
    if (state() != before)
        emit edited(before);
}

bool UnitWnd::applyPosition(const Position &pos)
{
    const WndState before = state();
    const QSizeF size = sceneSize() * 6;
    Position kept = pos;
    kept.width = qBound(1.0, pos.width, size.width());
    kept.height = qBound(1.0, pos.height, size.height());
    kept.x = qBound(0.0, pos.x, size.width() - kept.width);
    kept.y = qBound(0.0, pos.y, size.height() - kept.height);
    setPosition(kept);
    updatePosition();
    const bool isSent = sendPosition();
    finishEdit(before);
    return isSent;
}

void UnitWnd::setAddress(int nFirst, int nSecond)
{
    m_address = Address(nFirst, nSecond);
    update();
}

int UnitWnd::type()
{
    return m_type;
}

void UnitWnd::setType(int nType)
{
    m_type = nType;
    setFlag(ItemIsMovable, nType != 1);
    update();
}

QSizeF UnitWnd::sceneSize() const
{
    if (scene())
        return scene()->sceneRect().size();
    // Not on a scene yet: the wall picture is what the scene will be.
    const AppStatus *status = AppStatus::theAppStatus();
    return QSizeF(status->unitWidth(), status->unitHeight());
}

Position UnitWnd::geometryInWallUnits() const
{
    const QPointF topLeft = scenePos();
    return Position(topLeft.x() * 3 * 2, topLeft.y() * 3 * 2, m_width * 3 * 2, m_height * 3 * 2);
}

void UnitWnd::updatePosition()
{
    const QPointF topLeft = scenePos();
    const QSizeF size = sceneSize();
    if (topLeft.x() < 0 || topLeft.y() < 0 || topLeft.x() + m_width > size.width() ||
        topLeft.y() + m_height > size.height())
        return;
    m_position = geometryInWallUnits();
    emit onpositionchanged(m_position);
}

bool UnitWnd::isPosChanged()
{
    qDebug() << "isPosChanged" << m_recordedPos.x << m_recordedPos.y;
    const bool changed = m_position != m_recordedPos;
    qDebug() << "isPosChanged" << (changed ? "true" : "false");
    return changed;
}

void UnitWnd::clampToScene()
{
    const QSizeF size = sceneSize();
    if (scenePos().x() < 0)
        setX(0);
    if (scenePos().y() < 0)
        setY(0);
    if (scenePos().x() + m_width > size.width())
        setX(size.width() - m_width);
    if (scenePos().y() + m_height > size.height())
        setY(size.height() - m_height);
}

bool UnitWnd::snapToUnits()
{
    int unitWidth = 0;
    int unitHeight = 0;
    if (!unitCell(unitWidth, unitHeight))
        return false;
    const double wallWidth = 6.0 * AppStatus::theAppStatus()->unitWidth();
    const double wallHeight = 6.0 * AppStatus::theAppStatus()->unitHeight();

    m_isSnapped = !m_isSnapped;
    Position target = m_recordedPos;
    if (m_isSnapped) {
        // The units the window covers: an edge within half a wall unit of a border counts as on it, so a
        // window already on unit borders keeps its rectangle. Positions are doubles, and a layout file may
        // hold any number: held to the wall first.
        auto span = [](double dStart, double dSize, double dUnit, double dWall, double *pStart,
                       double *pSize) {
            const double start = std::isfinite(dStart) ? qBound(0.0, dStart, dWall) : 0.0;
            const double end = std::isfinite(dStart + dSize) ? qBound(0.0, dStart + dSize, dWall) : dWall;
            const double first = qMin(std::floor((start + 0.5) / dUnit), std::floor(dWall / dUnit) - 1);
            const double last = qMax(first + 1, std::ceil((end - 0.5) / dUnit));
            *pStart = first * dUnit;
            *pSize = qMin(last * dUnit, dWall) - *pStart;
        };
        const Position &cur = m_position;
        span(cur.x, cur.width, unitWidth, wallWidth, &target.x, &target.width);
        span(cur.y, cur.height, unitHeight, wallHeight, &target.y, &target.height);
    }
    setPosition(target);
    return true;
}

bool UnitWnd::canBeSent(bool bEvenAtZero) const
{
    if (!bEvenAtZero && m_address.first == 0 && m_address.second == 0 && m_type != 1)
        return false;
    return m_address.first >= 0 && m_address.first <= SerialLink::maxAddress;
}

void UnitWnd::noteSent(bool bWritten)
{
    const bool wasUnsent = m_isUnsent;
    m_isUnsent = !bWritten;
    m_isOnWall = m_isOnWall || bWritten;
    if (wasUnsent != m_isUnsent)
        update();
    emit positionSent(bWritten);
}

void UnitWnd::markUnsent()
{
    if (canBeSent(true) && !m_isUnsent) {
        m_isUnsent = true;
        update();
        emit positionSent(false);
    }
}

bool UnitWnd::sendPosition(bool bEvenAtZero)
{
    if (!canBeSent(bEvenAtZero))
        return false;
    m_isSendWanted = false;
    const bool isSent = SerialLink::theSerialLink()->setWindowPosition(
        m_address.first, m_position.x, m_position.y, m_position.width, m_position.height,
        AppStatus::theAppStatus()->sceneType() == 1);
    noteSent(isSent);
    return isSent;
}

bool UnitWnd::sendRotation()
{
    if (!canBeSent(true))
        return false;
    const bool isSent = SerialLink::theSerialLink()->setRotate(m_address.first, m_rotate);
    if (!isSent)
        markUnsent();
    return isSent;
}

bool UnitWnd::sendAsLayout(int nPauseMs)
{
    if (!canBeSent(true))
        return false;
    const SerialLink::WindowSent sent = SerialLink::theSerialLink()->sendWindow(
        m_address.first, m_position.x, m_position.y, m_position.width, m_position.height, m_rotate,
        AppStatus::theAppStatus()->sceneType() == 1, nPauseMs);
    noteSent(sent.position && sent.rotation);
    m_isOnWall = m_isOnWall || sent.position;
    return sent.position;
}

int UnitWnd::fontPointSize(double dWidth, double dHeight)
{
    return static_cast<int>(qint64(truncatedToInt(std::floor(qMin(dWidth, dHeight)))) * 14 / 200);
}

QStringList UnitWnd::textLines(const Address &address, const Position &pos, int nSceneType, int nRotate)
{
    const int x = roundedToInt(pos.x);
    const int y = roundedToInt(pos.y);
    const int width = roundedToInt(pos.width);
    const int height = roundedToInt(pos.height);
    QStringList lines;
    lines << tr("LED Setting:%1").arg(address.first);
    // Portrait windows show the numbers as the landscape controller receives them.
    if (nSceneType == 1)
        lines << tr("Position:%2,%1").arg(x).arg(y) << tr("Size:%2,%1").arg(width).arg(height);
    else
        lines << tr("Position:%1,%2").arg(x).arg(y) << tr("Size:%1,%2").arg(width).arg(height);
    // What the controller shows turned, the picture says so.
    if (nRotate > 0 && nRotate <= 3)
        lines << QStringLiteral("%1°").arg(nRotate * 90);
    return lines;
}

QPoint UnitWnd::textOrigin(int nLine, int nPointSize)
{
    return QPoint(10, (nLine + 1) * nPointSize + 10 + 6 * nLine);
}

int UnitWnd::resizeZoneAt(const QPointF &point, double dWidth, double dHeight)
{
    const double px = point.x();
    const double py = point.y();
    const double m = edgeMargin;
    if (px < m && py < m)
        return 4;
    if (px < m && py > dHeight - m)
        return px > dWidth - m ? 6 : 7;
    if (px < m)
        return 3;
    if (px > dWidth - m && py > dHeight - m)
        return 6;
    if (px > dWidth - m && py < m)
        return 5;
    if (px > dWidth - m)
        return 1;
    if (py < m)
        return 0;
    if (py > dHeight - m)
        return 2;
    return 8;
}

Qt::CursorShape UnitWnd::zoneCursor(int nZone)
{
    switch (nZone) {
    case 0:
    case 2:
        return Qt::SizeVerCursor;
    case 1:
    case 3:
        return Qt::SizeHorCursor;
    case 4:
    case 6:
        return Qt::SizeFDiagCursor;
    case 5:
    case 7:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::SizeAllCursor;
    }
}

QRectF UnitWnd::boundingRect() const
{
    return QRectF(0, 0, m_width, m_height);
}

QPainterPath UnitWnd::shape() const
{
    QPainterPath path;
    path.addRect(QRectF(0, 0, m_width, m_height));
    return path;
}

void UnitWnd::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(widget)
    const bool isSelected = option && (option->state & QStyle::State_Selected);
    QColor fill;
    if (m_type == 1)
        fill = isSelected ? m_type1SelectedColor : m_type1Color;
    else
        fill = isSelected ? m_selectedColor : m_normalColor;
    const QColor textColor = isSelected ? QColor(Qt::white) : QColor(95, 95, 95);

    const QRectF rect(0, 0, m_width, m_height);
    painter->setBrush(QBrush(fill));
    painter->fillRect(rect, QBrush(fill));

    painter->setPen(QPen(QBrush(m_borderColor), 0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter->drawLine(QPointF(0, 0), QPointF(m_width, 0));
    painter->drawLine(QPointF(m_width, 0), QPointF(m_width, m_height));
    painter->drawLine(QPointF(m_width, m_height), QPointF(0, m_height));
    painter->drawLine(QPointF(0, m_height), QPointF(0, 0));
    // A window the wall does not show as drawn: an orange rim.
    if (m_isUnsent) {
        painter->setPen(QPen(QColor(255, 140, 0), 0));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(rect.adjusted(1, 1, -1, -1));
    }

    const int pointSize = fontPointSize(m_width, m_height);
    QFont font(QStringLiteral("Consolas"));
    // A window under 15 units gets size 0, which QFont refuses with a warning on every repaint; the
    // default size it keeps then is what skipping the call gives too.
    if (pointSize > 0)
        font.setPointSizeF(pointSize);
    font.setStyleStrategy(QFont::ForceOutline);
    painter->setFont(font);
    painter->setPen(textColor);
    painter->setRenderHint(QPainter::TextAntialiasing, true);

    const QStringList lines =
        textLines(m_address, m_position, AppStatus::theAppStatus()->sceneType(), m_rotate);
    for (int i = 0; i < lines.size(); ++i)
        painter->drawText(textOrigin(i, pointSize), lines.at(i));
}

void UnitWnd::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_isResizing = true;
        setSelected(true);
        // A snapped window keeps the rectangle from before the snap, so that un-snapping restores it.
        m_pressState = state();
        if (!m_isSnapped)
            m_recordedPos = geometryInWallUnits();
    }
    QGraphicsPolygonItem::mousePressEvent(event);
}

void UnitWnd::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    qDebug() << "mouseReleaseEvent m_isResizing " << (m_isResizing ? "true" : "false");
    if (m_isResizing) {
        m_isResizing = false;
        if (isPosChanged()) {
            qDebug() << "mouseReleaseEvent123" << m_address.first << m_address.second << m_type;
            sendPosition();
        }
        if (m_position != m_pressState.pos)
            finishEdit(m_pressState);
    }
    QGraphicsPolygonItem::mouseReleaseEvent(event);
}

void UnitWnd::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    // Only the left button edits: a drag with another one would change the picture and send nothing.
    if (!m_isResizing) {
        QGraphicsPolygonItem::mouseMoveEvent(event);
        return;
    }
    const double px = event->pos().x();
    const double py = event->pos().y();
    const QPointF mouse = event->scenePos();
    const QPointF before = scenePos();
    const QSizeF size = sceneSize();
    prepareGeometryChange();

    // A left or top edge stops short of the opposite edge at the minimum size.
    const double leftmost = m_width >= minimumSize ? before.x() + m_width - minimumSize : size.width();
    const double topmost = m_height >= minimumSize ? before.y() + m_height - minimumSize : size.height();
    auto leftFollows = [&] { setX(qBound(0.0, mouse.x(), leftmost)); };
    auto topFollows = [&] { setY(qBound(0.0, mouse.y(), topmost)); };
    // Under the minimum the mouse would shrink the window to nothing; it grows by a fixed step instead.
    auto widthFromLeft = [&] {
        m_width += m_width >= minimumSize ? before.x() - scenePos().x() : growthStep;
    };
    auto heightFromTop = [&] {
        m_height += m_height >= minimumSize ? before.y() - scenePos().y() : growthStep;
    };
    auto rightBounded = [&] {
        if (px >= minimumSize && size.width() - scenePos().x() >= px)
            m_width = px;
    };
    // Free edges push the window back instead, but it never grows beyond the wall.
    auto rightFree = [&] {
        if (px >= minimumSize)
            m_width = qMin(px, size.width());
    };
    auto bottomBounded = [&] {
        if (py >= minimumSize && size.height() - scenePos().y() >= py)
            m_height = py;
    };
    auto bottomFree = [&] {
        if (py >= minimumSize)
            m_height = qMin(py, size.height());
    };

    switch (m_resizeZone) {
    case 0:
        topFollows();
        heightFromTop();
        break;
    case 1:
        rightBounded();
        break;
    case 2:
        bottomBounded();
        break;
    case 3:
        leftFollows();
        widthFromLeft();
        break;
    case 4:
        leftFollows();
        topFollows();
        widthFromLeft();
        heightFromTop();
        break;
    case 5:
        topFollows();
        heightFromTop();
        rightFree();
        break;
    case 6:
        rightBounded();
        bottomBounded();
        break;
    case 7:
        leftFollows();
        bottomFree();
        widthFromLeft();
        break;
    default:
        QGraphicsPolygonItem::mouseMoveEvent(event);
        break;
    }

    m_isSnapped = false;
    clampToScene();
    updatePosition();
    update();
}

void UnitWnd::hoverMoveEvent(QGraphicsSceneHoverEvent *event)
{
    m_resizeZone = resizeZoneAt(event->pos(), m_width, m_height);
    setCursor(zoneCursor(m_resizeZone));
    QGraphicsPolygonItem::hoverMoveEvent(event);
}

namespace {
bool isArrow(int nKey)
{
    return nKey == Qt::Key_Left || nKey == Qt::Key_Right || nKey == Qt::Key_Up || nKey == Qt::Key_Down;
}
} // namespace

void UnitWnd::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    // Ctrl and Alt change nothing for an arrow; other keys with them are shortcuts, not edits. Shift counts
    // as it was when the key went down: it may be let go first.
    if (!event->isAutoRepeat() &&
        (isArrow(key) || !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))) {
        m_pressedKey = key;
        m_isUnitStep = event->modifiers() & Qt::ShiftModifier;
        m_keyState = state();
    }
    if (isArrow(key) && key == m_pressedKey && nudge(key, m_isUnitStep) && event->isAutoRepeat())
        sendSoon();
    QGraphicsPolygonItem::keyPressEvent(event);
}

void UnitWnd::sendSoon()
{
    m_isSendWanted = true;
    if (m_isSendQueued)
        return;
    m_isSendQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_isSendQueued = false;
        if (m_isSendWanted)
            sendPosition();
    });
}

bool UnitWnd::nudge(int nKey, bool bUnitStep)
{
    if (m_type == 1)
        return false;
    const QPointF before = pos();
    const AppStatus *status = AppStatus::theAppStatus();
    const double sceneWidth = status->unitWidth();
    const double sceneHeight = status->unitHeight();
    const double x = pos().x();
    const double y = pos().y();
    int unitWidth = 0;
    int unitHeight = 0;
    // With Shift, one display unit at a time, as far as the wall goes.
    if (bUnitStep && unitCell(unitWidth, unitHeight)) {
        const double stepX = unitWidth / 6.0;
        const double stepY = unitHeight / 6.0;
        if (nKey == Qt::Key_Left)
            setX(qMax(0.0, x - stepX));
        else if (nKey == Qt::Key_Up)
            setY(qMax(0.0, y - stepY));
        else if (nKey == Qt::Key_Right)
            setX(qMax(x, qMin(x + stepX, sceneWidth - m_width)));
        else
            setY(qMax(y, qMin(y + stepY, sceneHeight - m_height)));
    } else if (nKey == Qt::Key_Left && x - arrowStep >= 0) {
        setX(x - arrowStep);
    } else if (nKey == Qt::Key_Up && y - arrowStep >= 0) {
        setY(y - arrowStep);
    } else if (nKey == Qt::Key_Right && sceneWidth - m_width >= x + arrowStep) {
        setX(x + arrowStep);
    } else if (nKey == Qt::Key_Down && sceneHeight - m_height >= y + arrowStep) {
        setY(y + arrowStep);
    }
    updatePosition();
    return pos() != before;
}

void UnitWnd::keyReleaseEvent(QKeyEvent *event)
{
    // Only a key that went down here edits: the press of a shortcut (Ctrl+Z) went to the shortcut, and
    // its release may come without Ctrl. A modifier key alone edits nothing either.
    const int key = event->key();
    if (event->isAutoRepeat() || key != m_pressedKey || key == Qt::Key_Shift || key == Qt::Key_Control ||
        key == Qt::Key_Alt || key == Qt::Key_Meta)
        return;
    m_pressedKey = 0;
    // The key is up: the position on the screen goes out once, instead of any repeat still waiting.
    updatePosition();
    sendPosition();
    finishEdit(m_keyState);
}

void UnitWnd::mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event)
{
    int unitWidth = 0;
    int unitHeight = 0;
    // A cell of the splice grid covers its units already.
    if (m_type != 1 && unitCell(unitWidth, unitHeight)) {
        const WndState before = state();
        if (!m_isSnapped)
            m_recordedPos = geometryInWallUnits();
        snapToUnits();
        sendPosition();
        emit onpositionchanged(m_position);
        finishEdit(before);
    }
    QGraphicsPolygonItem::mouseDoubleClickEvent(event);
}

QVariant UnitWnd::itemChange(GraphicsItemChange change, const QVariant &value)
{
    // A moved window is painted afresh where it stands, not blitted from its cache at a rounded offset.
    if (change == ItemPositionHasChanged)
        update();
    // One selected item at a time, however the selection was made.
    if (change == ItemSelectedChange && value.toBool() && scene()) {
        const QList<QGraphicsItem *> items = scene()->items(Qt::DescendingOrder);
        for (QGraphicsItem *item : items) {
            if (item != this)
                item->setSelected(false);
        }
    }
    return QGraphicsPolygonItem::itemChange(change, value);
}
