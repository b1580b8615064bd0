// A unit window on the wall picture: its geometry in scene and wall units, painting, and the edits made
// with mouse and keyboard through a real view, with the frames they put on the wire.
#include "appstatus.h"
#include "commandpacket.h"
#include "messagecapture.h"
#include "ptypair.h"
#include "seriallink.h"
#include "testdir.h"
#include "unitwnd.h"

#include <QApplication>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

namespace {

QByteArray positionFrame(int nAddr, int nX, int nY, int nWidth, int nHeight)
{
    return packFrame(CommandPacket().makePosition(nX, nY, nWidth, nHeight, nAddr));
}

QPolygonF path(std::initializer_list<QPointF> points)
{
    return QPolygonF(QVector<QPointF>(points));
}

QRectF sceneRectOf(UnitWnd *pWnd)
{
    return QRectF(pWnd->scenePos(), pWnd->boundingRect().size());
}

// The wall picture at 1:1, scene (0, 0) at the viewport's top-left corner.
struct Wall
{
    QGraphicsScene scene{0, 0, 640, 360};
    QGraphicsView view{&scene};

    Wall()
    {
        view.setFrameShape(QFrame::NoFrame);
        view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.resize(700, 420);
        view.show();
        QApplication::setActiveWindow(&view);
    }
    bool ready() { return QTest::qWaitForWindowExposed(&view) && view.mapToScene(0, 0) == QPointF(0, 0); }
    UnitWnd *add(const QRectF &rect, int nType = 0, int nAddr = 7)
    {
        auto *pWnd = new UnitWnd(rect.width(), rect.height());
        pWnd->setType(nType);
        pWnd->setAddress(nAddr, 0);
        pWnd->setPos(rect.topLeft());
        scene.addItem(pWnd);
        pWnd->updatePosition();
        return pWnd;
    }
    void mouse(QEvent::Type type, const QPointF &point, Qt::MouseButtons buttons)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        // The scene finds the items under the mouse by the global position, so it must be the right one.
        const QPoint local = view.mapFromScene(point);
        QMouseEvent event(type, local, view.viewport()->mapToGlobal(local), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &event);
    }
    void hover(const QPointF &point) { mouse(QEvent::MouseMove, point, Qt::NoButton); }
    void press(const QPointF &point) { mouse(QEvent::MouseButtonPress, point, Qt::LeftButton); }
    void drag(const QPointF &point) { mouse(QEvent::MouseMove, point, Qt::LeftButton); }
    void release(const QPointF &point) { mouse(QEvent::MouseButtonRelease, point, Qt::NoButton); }
    // What the window system delivers for a double click.
    void doubleClick(const QPointF &point)
    {
        press(point);
        release(point);
        press(point);
        mouse(QEvent::MouseButtonDblClick, point, Qt::LeftButton);
        release(point);
    }
    void key(Qt::Key key) { QTest::keyRelease(&view, key); }
};

} // namespace

class Receiver : public QObject
{
    Q_OBJECT
public slots:
    void takePosition(Position pos) { positions << pos; }
    void takeAddress(Address address) { addresses << address; }

public:
    QList<Position> positions;
    QList<Address> addresses;
};

class TestUnitWnd : public QObject
{
    Q_OBJECT

private:
    PtyPair *m_pPty = nullptr;

    void openLink()
    {
        m_pPty = new PtyPair;
        QVERIFY(m_pPty->isValid());
        QVERIFY(SerialLink::theSerialLink()->open(m_pPty->slavePath()));
    }
    QByteArray wire() { return m_pPty->readAll(100); }

private slots:
    void initTestCase() { testdir::enterFresh(); }
    void init()
    {
        AppStatus::theAppStatus()->setSceneType(0);
        AppStatus::theAppStatus()->setSceneRow(12);
        AppStatus::theAppStatus()->setSceneColumn(12);
    }
    void cleanup()
    {
        SerialLink::theSerialLink()->close();
        delete m_pPty;
        m_pPty = nullptr;
    }

    // Value types and plain geometry

    void valueTypesTravelQueued()
    {
        UnitWnd wnd;
        Receiver receiver;
        QVERIFY(connect(&wnd, SIGNAL(onpositionchanged(Position)), &receiver, SLOT(takePosition(Position)),
                        Qt::QueuedConnection));
        QGraphicsScene scene(0, 0, 640, 360);
        scene.addItem(&wnd);
        wnd.updatePosition();
        QVERIFY(QMetaObject::invokeMethod(&receiver, "takeAddress", Qt::QueuedConnection,
                                          Q_ARG(Address, Address(3, 4))));
        QTRY_COMPARE(receiver.positions.size(), 1);
        QCOMPARE(receiver.positions.first(), Position(0, 0, 1920, 1080));
        QTRY_COMPARE(receiver.addresses.size(), 1);
        QCOMPARE(receiver.addresses.first(), Address(3, 4));
        scene.removeItem(&wnd);
        QVERIFY(Position(1, 2, 3, 4) != Position(1, 2, 3, 5) && Position(1, 2, 3, 4) != Position(0, 2, 3, 4));
    }

    void newWindowAndItsType()
    {
        UnitWnd wnd;
        QCOMPARE(wnd.boundingRect(), QRectF(0, 0, 320, 180));
        QCOMPARE(wnd.position(), Position(0, 0, 960, 540));
        QCOMPARE(wnd.address(), Address(-1, -1));
        QCOMPARE(wnd.pos(), QPointF(0, 0));
        QCOMPARE(wnd.zValue(), 1.1);
        QVERIFY(wnd.acceptHoverEvents());
        QCOMPARE(wnd.flags() & (QGraphicsItem::ItemIsMovable | QGraphicsItem::ItemIsSelectable |
                                QGraphicsItem::ItemIsFocusable | QGraphicsItem::ItemSendsGeometryChanges),
                 QGraphicsItem::ItemIsMovable | QGraphicsItem::ItemIsSelectable |
                     QGraphicsItem::ItemIsFocusable | QGraphicsItem::ItemSendsGeometryChanges);
        QCOMPARE(wnd.polygon().first(), QPointF(-160, -90));
        QCOMPARE(wnd.type(), 0);
        wnd.setType(1);
        QCOMPARE(wnd.type(), 1);
        QGraphicsItem *item = &wnd;
        QCOMPARE(item->type(), 5);
        QVERIFY(!(wnd.flags() & QGraphicsItem::ItemIsMovable));
        wnd.setType(2);
        QVERIFY(wnd.flags() & QGraphicsItem::ItemIsMovable);
        QVERIFY(UnitWnd(40, 30).shape().contains(QPointF(39, 29)));
    }

    void positionInWallUnits_data()
    {
        QTest::addColumn<QPointF>("topLeft");
        QTest::addColumn<bool>("taken");
        QTest::newRow("inside") << QPointF(100, 50) << true;
        QTest::newRow("exact fit") << QPointF(320, 180) << true;
        QTest::newRow("right edge at 640.5") << QPointF(320.5, 0) << false;
        QTest::newRow("bottom edge at 360.5") << QPointF(0, 180.5) << false;
        QTest::newRow("left of the wall") << QPointF(-1, 0) << false;
        QTest::newRow("above the wall") << QPointF(0, -0.5) << false;
    }
    void positionInWallUnits()
    {
        QFETCH(QPointF, topLeft);
        QFETCH(bool, taken);
        QGraphicsScene scene(0, 0, 640, 360);
        auto *pWnd = new UnitWnd;
        scene.addItem(pWnd);
        pWnd->setPos(topLeft);
        QSignalSpy spy(pWnd, SIGNAL(onpositionchanged(Position)));
        pWnd->updatePosition();
        const Position expected = taken ? Position(topLeft.x() * 6, topLeft.y() * 6, 1920, 1080) : Position();
        QCOMPARE(pWnd->position(), expected);
        QCOMPARE(spy.size(), taken ? 1 : 0);
        if (taken)
            QCOMPARE(spy.first().first().value<Position>(), expected);
    }

    void setPositionDividesBySix()
    {
        UnitWnd wnd;
        QSignalSpy spy(&wnd, SIGNAL(onpositionchanged(Position)));
        wnd.setPosition(Position(1920, 0, 1920, 1080));
        QCOMPARE(sceneRectOf(&wnd), QRectF(320, 0, 320, 180));
        wnd.setPosition(Position(-600, 3000, 600, 90));
        QCOMPARE(sceneRectOf(&wnd), QRectF(-100, 500, 100, 15));
        QCOMPARE(wnd.position(), Position(-600, 3000, 600, 90));
        QCOMPARE(spy.size(), 0);
    }

    void singleSelection()
    {
        QGraphicsScene scene(0, 0, 640, 360);
        auto *pFirst = new UnitWnd;
        auto *pSecond = new UnitWnd;
        auto *pOther = scene.addRect(0, 0, 10, 10);
        pOther->setFlag(QGraphicsItem::ItemIsSelectable);
        scene.addItem(pFirst);
        scene.addItem(pSecond);
        pOther->setSelected(true);
        pFirst->setSelected(true);
        QVERIFY(!pOther->isSelected());
        pSecond->setSelected(true);
        QCOMPARE(scene.selectedItems(), QList<QGraphicsItem *>{pSecond});
    }

    // Painting

    void texts_data()
    {
        QTest::addColumn<int>("sceneType");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("landscape") << 0 << QStringList{"LED Setting:-1", "Position:10,20", "Size:300,400"};
        QTest::newRow("portrait") << 1 << QStringList{"LED Setting:-1", "Position:20,10", "Size:400,300"};
        QTest::newRow("stretch") << 2 << QStringList{"LED Setting:-1", "Position:10,20", "Size:300,400"};
    }
    void texts()
    {
        QFETCH(int, sceneType);
        QFETCH(QStringList, lines);
        QCOMPARE(UnitWnd::textLines(Address(), Position(10, 20, 300, 400), sceneType), lines);
        QCOMPARE(UnitWnd::textLines(Address(9, 1), Position(2.5, -2.5, 10.5, -10.5), 0),
                 (QStringList{"LED Setting:9", "Position:3,-2", "Size:11,-10"}));
        QCOMPARE(UnitWnd::fontPointSize(320, 180), 12);
        QCOMPARE(UnitWnd::fontPointSize(200.9, 500), 14);
        QCOMPARE(UnitWnd::fontPointSize(15, 300), 1);
        QCOMPARE(UnitWnd::fontPointSize(300, 14.9), 0);
        QCOMPARE(UnitWnd::textOrigin(0, 12), QPoint(10, 22));
        QCOMPARE(UnitWnd::textOrigin(1, 12), QPoint(10, 40));
        QCOMPARE(UnitWnd::textOrigin(2, 12), QPoint(10, 58));
    }

    void fillColours_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QColor>("fill");
        QTest::newRow("free") << 0 << false << QColor(218, 218, 218);
        QTest::newRow("free selected") << 0 << true << QColor(76, 184, 254);
        QTest::newRow("unit") << 1 << false << QColor(126, 194, 66);
        QTest::newRow("unit selected") << 1 << true << QColor(170, 234, 116);
    }
    void fillColours()
    {
        QFETCH(int, type);
        QFETCH(bool, selected);
        QFETCH(QColor, fill);
        QGraphicsScene scene(0, 0, 640, 360);
        scene.setBackgroundBrush(Qt::black);
        auto *pWnd = new UnitWnd;
        pWnd->setType(type);
        pWnd->setPos(100, 50);
        scene.addItem(pWnd);
        pWnd->setSelected(selected);
        QImage image(640, 360, QImage::Format_RGB32);
        QPainter painter(&image);
        scene.render(&painter, QRectF(0, 0, 640, 360), QRectF(0, 0, 640, 360));
        painter.end();
        QCOMPARE(image.pixelColor(260, 140), fill);
        QCOMPARE(image.pixelColor(100, 140), QColor(84, 84, 84));
        QCOMPARE(image.pixelColor(99, 140), QColor(Qt::black));
    }

    // Mouse editing through a view

    void resizeZones_data()
    {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<int>("zone");
        const QSizeF size(100, 60);
        QTest::newRow("top-left") << QPointF(5.9, 5.9) << size << 4;
        QTest::newRow("bottom-left") << QPointF(2, 55) << size << 7;
        QTest::newRow("bottom-left, narrow") << QPointF(5, 55) << QSizeF(10, 60) << 6;
        QTest::newRow("left") << QPointF(2, 30) << size << 3;
        QTest::newRow("bottom-right") << QPointF(95, 55) << size << 6;
        QTest::newRow("top-right") << QPointF(95, 5) << size << 5;
        QTest::newRow("right") << QPointF(94.5, 30) << size << 1;
        QTest::newRow("top") << QPointF(50, 2) << size << 0;
        QTest::newRow("bottom") << QPointF(50, 58) << size << 2;
        QTest::newRow("6 from the left is inside") << QPointF(6, 30) << size << 8;
        QTest::newRow("6 from the top-left is inside") << QPointF(6, 6) << size << 8;
        QTest::newRow("6 from the top is inside") << QPointF(50, 6) << size << 8;
        QTest::newRow("6 from the corner is inside") << QPointF(94, 54) << size << 8;
    }
    void resizeZones()
    {
        QFETCH(QPointF, point);
        QFETCH(QSizeF, size);
        QFETCH(int, zone);
        QCOMPARE(UnitWnd::resizeZoneAt(point, size.width(), size.height()), zone);
    }

    // From the window (100, 100, 100, 60): hover, press, the moves, then release.
    void drags_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QPointF>("grip");
        QTest::addColumn<QPolygonF>("moves");
        QTest::addColumn<QRectF>("result");
        QTest::addColumn<int>("cursor");
        QTest::newRow("right") << 0 << QPointF(198, 130) << path({{250, 130}}) << QRectF(100, 100, 150, 60)
                               << int(Qt::SizeHorCursor);
        QTest::newRow("right stops at the wall") << 0 << QPointF(198, 130) << path({{600, 130}, {700, 130}})
                                                 << QRectF(100, 100, 500, 60) << int(Qt::SizeHorCursor);
        QTest::newRow("bottom-right stops at the walls")
            << 0 << QPointF(198, 158) << path({{600, 300}, {700, 400}}) << QRectF(100, 100, 500, 200)
            << int(Qt::SizeFDiagCursor);
        QTest::newRow("top-right pushed left") << 0 << QPointF(197, 103) << path({{740, 103}})
                                               << QRectF(0, 103, 640, 57) << int(Qt::SizeBDiagCursor);
        QTest::newRow("left") << 0 << QPointF(102, 130) << path({{50, 130}}) << QRectF(50, 100, 150, 60)
                              << int(Qt::SizeHorCursor);
        QTest::newRow("left beyond the wall") << 0 << QPointF(102, 130) << path({{-30, 130}})
                                              << QRectF(0, 100, 200, 60) << int(Qt::SizeHorCursor);
        QTest::newRow("top") << 0 << QPointF(150, 102) << path({{150, 40}}) << QRectF(100, 40, 100, 120)
                             << int(Qt::SizeVerCursor);
        QTest::newRow("bottom") << 0 << QPointF(150, 158) << path({{150, 300}}) << QRectF(100, 100, 100, 200)
                                << int(Qt::SizeVerCursor);
        QTest::newRow("bottom under the minimum") << 0 << QPointF(150, 158) << path({{150, 110}})
                                                  << QRectF(100, 100, 100, 60) << int(Qt::SizeVerCursor);
        QTest::newRow("top-left") << 0 << QPointF(102, 102) << path({{80, 70}}) << QRectF(80, 70, 120, 90)
                                  << int(Qt::SizeFDiagCursor);
        QTest::newRow("bottom-left") << 0 << QPointF(102, 158) << path({{80, 200}})
                                     << QRectF(80, 100, 120, 100) << int(Qt::SizeBDiagCursor);
        QTest::newRow("inside") << 0 << QPointF(150, 130) << path({{250, 230}}) << QRectF(200, 200, 100, 60)
                                << int(Qt::SizeAllCursor);
        QTest::newRow("inside beyond the left wall") << 0 << QPointF(150, 130) << path({{-100, 130}})
                                                     << QRectF(0, 100, 100, 60) << int(Qt::SizeAllCursor);
        QTest::newRow("unit window stays") << 1 << QPointF(150, 130) << path({{250, 230}})
                                           << QRectF(100, 100, 100, 60) << int(Qt::SizeAllCursor);
        QTest::newRow("unit window resizes") << 1 << QPointF(198, 130) << path({{250, 130}})
                                             << QRectF(100, 100, 150, 60) << int(Qt::SizeHorCursor);
    }
    void drags()
    {
        QFETCH(int, type);
        QFETCH(QPointF, grip);
        QFETCH(QPolygonF, moves);
        QFETCH(QRectF, result);
        QFETCH(int, cursor);
        openLink();
        Wall wall;
        QVERIFY(wall.ready());
        UnitWnd *pWnd = wall.add(QRectF(100, 100, 100, 60), type);
        QSignalSpy spy(pWnd, SIGNAL(onpositionchanged(Position)));
        wall.hover(grip);
        QCOMPARE(int(pWnd->cursor().shape()), cursor);
        wall.press(grip);
        QVERIFY(pWnd->isSelected());
        for (const QPointF &point : moves)
            wall.drag(point);
        QCOMPARE(sceneRectOf(pWnd), result);
        const Position expected(result.x() * 6, result.y() * 6, result.width() * 6, result.height() * 6);
        QCOMPARE(pWnd->position(), expected);
        QCOMPARE(spy.last().first().value<Position>(), expected);
        MessageCapture capture;
        wall.release(moves.last());
        QVERIFY(capture.contains("mouseReleaseEvent m_isResizing  true"));
        const bool moved = result != QRectF(100, 100, 100, 60);
        QCOMPARE(capture.contains("isPosChanged true"), moved);
        QCOMPARE(capture.contains(QStringLiteral("mouseReleaseEvent123 7 0 %1").arg(type)), moved);
        QCOMPARE(wire(), moved ? positionFrame(7, qRound(expected.x), qRound(expected.y),
                                               qRound(expected.width), qRound(expected.height))
                               : QByteArray());
    }

    void narrowWindowGrowsByOnePerMove()
    {
        Wall wall;
        QVERIFY(wall.ready());
        UnitWnd *pWnd = wall.add(QRectF(100, 100, 10, 60));
        wall.hover(QPointF(102, 130));
        wall.press(QPointF(102, 130));
        const QList<QRectF> steps{{90, 100, 11, 60}, {85, 100, 12, 60}, {80, 100, 13, 60},
                                  {75, 100, 14, 60}, {70, 100, 15, 60}, {60, 100, 25, 60}};
        for (const QRectF &step : steps) {
            wall.drag(QPointF(step.x(), 130));
            QCOMPARE(sceneRectOf(pWnd), step);
        }
        wall.release(QPointF(60, 130));
    }

    // A press through a view hovers first, so the first drag step is handed to the window directly.
    void dragBeforeAnyHoverMoves()
    {
        QGraphicsScene scene(0, 0, 640, 360);
        auto *pWnd = new UnitWnd;
        scene.addItem(pWnd);
        pWnd->setPos(100, 100);
        QGraphicsSceneMouseEvent move(QEvent::GraphicsSceneMouseMove);
        move.setButtons(Qt::LeftButton);
        move.setButtonDownScenePos(Qt::LeftButton, QPointF(418, 130));
        move.setScenePos(QPointF(438, 140));
        move.setPos(QPointF(338, 40));
        scene.sendEvent(pWnd, &move);
        QCOMPARE(sceneRectOf(pWnd), QRectF(120, 110, 320, 180));
    }

    // Keyboard nudges and the frames they send

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QPointF>("from");
        QTest::addColumn<QPointF>("to");
        QTest::newRow("left") << int(Qt::Key_Left) << QPointF(100, 50) << QPointF(100 - 1.0 / 3, 50);
        QTest::newRow("up") << int(Qt::Key_Up) << QPointF(100, 50) << QPointF(100, 50 - 1.0 / 3);
        QTest::newRow("right") << int(Qt::Key_Right) << QPointF(100, 50) << QPointF(100 + 1.0 / 3, 50);
        QTest::newRow("down") << int(Qt::Key_Down) << QPointF(100, 50) << QPointF(100, 50 + 1.0 / 3);
        QTest::newRow("left at the wall") << int(Qt::Key_Left) << QPointF(0.2, 50) << QPointF(0.2, 50);
        QTest::newRow("right 0.2 from the wall")
            << int(Qt::Key_Right) << QPointF(319.8, 0) << QPointF(319.8, 0);
        QTest::newRow("down 0.2 from the wall")
            << int(Qt::Key_Down) << QPointF(0, 179.8) << QPointF(0, 179.8);
        QTest::newRow("other key") << int(Qt::Key_A) << QPointF(100, 50) << QPointF(100, 50);
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        openLink();
        Wall wall;
        QVERIFY(wall.ready());
        UnitWnd *pWnd = wall.add(QRectF(from, QSizeF(320, 180)));
        wall.press(from + QPointF(160, 90));
        wall.release(from + QPointF(160, 90));
        QVERIFY(pWnd->hasFocus());
        wall.key(Qt::Key(key));
        QCOMPARE(pWnd->scenePos(), to);
        QCOMPARE(pWnd->position(), Position(to.x() * 6, to.y() * 6, 1920, 1080));
        QCOMPARE(wire(), positionFrame(7, qRound(to.x() * 6), qRound(to.y() * 6), 1920, 1080));
    }

    void sentGeometry_data()
    {
        QTest::addColumn<int>("sceneType");
        QTest::addColumn<int>("type");
        QTest::addColumn<Address>("address");
        QTest::addColumn<Position>("position");
        QTest::addColumn<QByteArray>("frame");
        const Position pos(100, 200, 300, 400);
        QTest::newRow("landscape") << 0 << 0 << Address(3, 0) << pos << positionFrame(3, 100, 200, 300, 400);
        QTest::newRow("portrait transposed")
            << 1 << 0 << Address(3, 0) << pos << positionFrame(3, 200, 100, 400, 300);
        QTest::newRow("free window at (0, 0)") << 0 << 0 << Address(0, 0) << pos << QByteArray();
        QTest::newRow("unit window at (0, 0)")
            << 0 << 1 << Address(0, 0) << pos << positionFrame(0, 100, 200, 300, 400);
        QTest::newRow("free window at (0, 1)")
            << 0 << 0 << Address(0, 1) << pos << positionFrame(0, 100, 200, 300, 400);
        QTest::newRow("no address") << 0 << 1 << Address(-1, -1) << pos << QByteArray();
        // Outside the wall the Position is kept as set, halves and all.
        QTest::newRow("halves round upward") << 0 << 0 << Address(3, 0) << Position(10.5, -10.5, 300.5, 60.5)
                                             << positionFrame(3, 11, -10, 301, 61);
    }
    void sentGeometry()
    {
        QFETCH(int, sceneType);
        QFETCH(int, type);
        QFETCH(Address, address);
        QFETCH(Position, position);
        QFETCH(QByteArray, frame);
        openLink();
        AppStatus::theAppStatus()->setSceneType(sceneType);
        QGraphicsScene scene(0, 0, AppStatus::theAppStatus()->unitWidth(),
                             AppStatus::theAppStatus()->unitHeight());
        auto *pWnd = new UnitWnd;
        scene.addItem(pWnd);
        pWnd->setType(type);
        pWnd->setAddress(address.first, address.second);
        pWnd->setPosition(position);
        // A scene without a view becomes active, and so gives its focus item the keys, by this event.
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&scene, &activate);
        scene.setFocusItem(pWnd);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier);
        QApplication::sendEvent(&scene, &release);
        QCOMPARE(wire(), frame);
    }

    // Double-click snapping

    void snapping_data()
    {
        QTest::addColumn<Position>("from");
        QTest::addColumn<Position>("snapped");
        QTest::newRow("inside") << Position(500, 100, 700, 300) << Position(320, 0, 960, 540);
        QTest::newRow("on unit boundaries") << Position(0, 0, 640, 360) << Position(0, 0, 960, 540);
        QTest::newRow("at the right wall") << Position(3200, 0, 640, 180) << Position(3200, 0, 640, 360);
    }
    void snapping()
    {
        QFETCH(Position, from);
        QFETCH(Position, snapped);
        openLink();
        Wall wall;
        QVERIFY(wall.ready());
        UnitWnd *pWnd = wall.add(QRectF(from.x / 6, from.y / 6, from.width / 6, from.height / 6));
        pWnd->setPosition(from);
        QSignalSpy spy(pWnd, SIGNAL(onpositionchanged(Position)));
        const QPointF inside = pWnd->scenePos() + QPointF(10, 10);
        const QByteArray snappedFrame = positionFrame(7, snapped.x, snapped.y, snapped.width, snapped.height);

        wall.doubleClick(inside);
        QCOMPARE(pWnd->position(), snapped);
        QCOMPARE(sceneRectOf(pWnd),
                 QRectF(snapped.x / 6, snapped.y / 6, snapped.width / 6, snapped.height / 6));
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.last().first().value<Position>(), snapped);
        // The release after the double click finds the snapped rectangle new and sends it again.
        QCOMPARE(wire(), snappedFrame + snappedFrame);

        wall.doubleClick(inside);
        QCOMPARE(pWnd->position(), from);
        QCOMPARE(spy.last().first().value<Position>(), from);
        QCOMPARE(wire(), snappedFrame + positionFrame(7, from.x, from.y, from.width, from.height));
    }

    void snappingWithoutGrid_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::newRow("no rows") << 0 << 12;
        QTest::newRow("no columns") << 12 << 0;
        QTest::newRow("negative") << -1 << -1;
        QTest::newRow("units under one wall unit") << 12 << 5000;
    }
    void snappingWithoutGrid()
    {
        QFETCH(int, rows);
        QFETCH(int, columns);
        AppStatus::theAppStatus()->setSceneRow(rows);
        AppStatus::theAppStatus()->setSceneColumn(columns);
        openLink();
        Wall wall;
        QVERIFY(wall.ready());
        UnitWnd *pWnd = wall.add(QRectF(50, 50, 100, 60));
        QSignalSpy spy(pWnd, SIGNAL(onpositionchanged(Position)));
        QVERIFY(!pWnd->snapToUnits());
        wall.doubleClick(QPointF(100, 80));
        QCOMPARE(pWnd->position(), Position(300, 300, 600, 360));
        QCOMPARE(spy.size(), 0);
        QCOMPARE(wire(), QByteArray());
    }

    void snappingFreeWindowAtZeroEmitsButSendsNothing()
    {
        openLink();
        Wall wall;
        QVERIFY(wall.ready());
        UnitWnd *pWnd = wall.add(QRectF(50, 50, 100, 60), 0, 0);
        QSignalSpy spy(pWnd, SIGNAL(onpositionchanged(Position)));
        wall.doubleClick(QPointF(100, 80));
        QCOMPARE(spy.size(), 1);
        QCOMPARE(pWnd->position(), Position(0, 180, 960, 540));
        QCOMPARE(wire(), QByteArray());
    }
};

QTEST_MAIN(TestUnitWnd)
#include "tst_unitwnd.moc"
