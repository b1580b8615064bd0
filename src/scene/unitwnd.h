#ifndef UNITWND_H
#define UNITWND_H

#include "address.h"
#include "position.h"

#include <QColor>
#include <QGraphicsPolygonItem>
#include <QObject>
#include <QPoint>
#include <QPolygonF>
#include <QStringList>

// What an edit of a window may change, kept to take the edit back.
struct WndState
{
    Position pos;
    Address address;
    int rotate = 0;
    bool isSnapped = false;
    Position recordedPos;

    bool operator==(const WndState &other) const
    {
        return pos == other.pos && address == other.address && rotate == other.rotate &&
               isSnapped == other.isSnapped && recordedPos == other.recordedPos;
    }
    bool operator!=(const WndState &other) const { return !(*this == other); }
};

// One video window on the picture of the wall. It keeps its rectangle twice: as item geometry in scene
// units (what is drawn and dragged) and as a Position in wall units, six times larger (what the operator
// reads and the controller receives). Finished mouse and keyboard edits are sent to the controller.
class UnitWnd : public QObject, public QGraphicsPolygonItem
{
    Q_OBJECT

public:
    UnitWnd();
    UnitWnd(double dWidth, double dHeight);

    Position position() const { return m_position; }
    // Places and sizes the item from wall units; neither clamps to the scene nor emits.
    void setPosition(const Position &pos);
    // A rectangle the operator typed: kept on the wall (at least one wall unit in size, moved back
    // onto the wall as a drag would be), shown, reported and sent to the controller. True when it went out.
    bool applyPosition(const Position &pos);
    // Whether a finished edit goes out: not for a free window at (0, 0) (unless bEvenAtZero), nor without
    // an address.
    bool canBeSent(bool bEvenAtZero) const;
    Address address() const { return m_address; }
    void setAddress(int nFirst, int nSecond);

    // The window type (0 drawn freely, 1 covering whole display units). Deliberately non-const: it hides
    // the name QGraphicsItem::type() for callers holding a UnitWnd*, without overriding that virtual,
    // whose value (the polygon item type, 5) is how the scene recognises its windows. The hiding is meant,
    // so compilers that warn about it by default (clang's -Wall) are told so.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Woverloaded-virtual"
    int type();
#pragma GCC diagnostic pop
    void setType(int nType);
    int rotate() const
    {
        return m_rotate;
    }
    void setRotate(int nRotate)
    {
        m_rotate = nRotate;
    }

    WndState state() const;
    // Puts the window back as it was (shown and reported, not sent).
    void restoreState(const WndState &state);
    // Sends the rectangle as a finished edit does: not for a free window at address (0, 0), unless asked.
    // True when the frame went out.
    bool sendPosition(bool bEvenAtZero = false);
    bool sendRotation();
    // Sends the rectangle and the rotation as a layout is sent (a free window at (0, 0) included).
    bool sendAsLayout(int nPauseMs);

    // Whether the wall shows what this window shows. Unsent: an edit or a layout did not reach the wall
    // (no link); on the wall: its rectangle went out at least once; sent hidden: it went out while it
    // belongs to the model not shown.
    bool isUnsent() const
    {
        return m_isUnsent;
    }
    bool isOnWall() const
    {
        return m_isOnWall;
    }
    bool isSentHidden() const
    {
        return m_isSentHidden;
    }
    void setSentHidden(bool bValue)
    {
        m_isSentHidden = bValue;
    }
    // Marks the window as not on the wall when it could be sent (an address) but the link is closed.
    void markUnsent();

    // Takes the Position from the item geometry and emits it, but only while the window lies wholly
    // inside the scene.
    void updatePosition();
    bool isPosChanged();
    void clampToScene();
    // Toggles between the display units the window touches and the rectangle recorded before. Returns
    // false, changing nothing, while the unit grid is unusable (a row or column count below 1).
    bool snapToUnits();

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

signals:
    void onpositionchanged(Position pos);
    // A rectangle frame for this window went out (bWritten) or found no link.
    void positionSent(bool bWritten);
    // A finished edit by the operator (mouse, keys, a typed rectangle) that changed the window; it was
    // sent already. Gives the window as it was before.
    void edited(const WndState &before);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void hoverMoveEvent(QGraphicsSceneHoverEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent *event) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    // The painted texts: point size, the three lines and where each line starts (left, baseline).
    static int fontPointSize(double dWidth, double dHeight);
    static QStringList textLines(const Address &address, const Position &pos, int nSceneType, int nRotate);
    static QPoint textOrigin(int nLine, int nPointSize);
    // Which edge or corner (0..7) or the inside (8) a point in item coordinates is over.
    static int resizeZoneAt(const QPointF &point, double dWidth, double dHeight);
    static Qt::CursorShape zoneCursor(int nZone);

    void initItem();
    QSizeF sceneSize() const;
    Position geometryInWallUnits() const;
    void finishEdit(const WndState &before);
    // One arrow step, or one display unit with Shift; grid cells never move. True when it moved.
    bool nudge(int nKey, bool bUnitStep);
    // Sends the newest rectangle once the events waiting now are handled: a held key's repeats then
    // move the picture while the link is busy, and only the last position goes out.
    void sendSoon();
    void noteSent(bool bWritten);

    Position m_position;
    Address m_address;
    QPolygonF m_polygon;
    QColor m_selectedColor;
    QColor m_normalColor;
    QColor m_borderColor;
    QColor m_type1Color;
    QColor m_type1SelectedColor;
    double m_width = 320;
    double m_height = 180;
    bool m_isResizing = false;
    Position m_recordedPos;
    bool m_isSnapped = false;
    int m_resizeZone = 8;
    int m_type = 0;
    int m_rotate = 0;
    // The window when the left button went down, to report the drag as one edit.
    WndState m_pressState;
    // The key that went down on this window, and whether Shift was held: an arrow then moves a unit.
    int m_pressedKey = 0;
    bool m_isUnitStep = false;
    // The window when the key went down, to report a press and hold as one edit.
    WndState m_keyState;
    bool m_isSendQueued = false;
    bool m_isSendWanted = false;
    bool m_isUnsent = false;
    bool m_isOnWall = false;
    bool m_isSentHidden = false;
};

#endif // UNITWND_H
