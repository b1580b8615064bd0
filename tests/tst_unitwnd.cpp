// A unit window on the wall picture: its geometry in scene and wall units, painting, and the edits made
// with mouse and keyboard through a real view, with the frames they put on the wire.
#include "appstatus.h"
#include "commandpacket.h"
#include "messagecapture.h"
#include "ptypair.h"
#include "seriallink.h"
#include "testdir.h"
#include "unitwnd.h"
#include "viewinput.h"

#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

namespace {

QByteArray positionFrame(int nAddr, double dX, double dY, double dWidth, double dHeight)
{
    return packFrame(
        CommandPacket().makePosition(qRound(dX), qRound(dY), qRound(dWidth), qRound(dHeight), nAddr));
}
QByteArray positionFrame(int nAddr, const Position &pos)
{
    return positionFrame(nAddr, pos.x, pos.y, pos.width, pos.height);
}

QRectF sceneRectOf(UnitWnd *pWnd)
{
    return QRectF(pWnd->scenePos(), pWnd->boundingRect().size());
}
QRectF sceneRectOf(const Position &pos)
{
    return QRectF(pos.x / 6, pos.y / 6, pos.width / 6, pos.height / 6);
}
Position wallUnits(const QRectF &rect)
{
    return Position(rect.x() * 6, rect.y() * 6, rect.width() * 6, rect.height() * 6);
}

// The wall picture at 1:1.
struct Wall
{
    QGraphicsScene scene{0, 0, 640, 360};
    SceneView view{&scene, QSize(700, 420)};

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
};

} // namespace

class TestUnitWnd : public QObject
{
    Q_OBJECT

private:
    PtyPair *m_pPty = nullptr;

    QByteArray wire() { return m_pPty->readAll(100); }

private slots:
    void initTestCase() { testdir::enterFresh(); }
    void init()
    {
        AppStatus::theAppStatus()->setSceneType(0);
        AppStatus::theAppStatus()->setSceneRow(12);
        AppStatus::theAppStatus()->setSceneColumn(12);
        m_pPty = new PtyPair;
        QVERIFY(m_pPty->isValid());
        QVERIFY(SerialLink::theSerialLink()->open(m_pPty->slavePath()));
    }
    void cleanup()
    {
        SerialLink::theSerialLink()->close();
        delete m_pPty;
    }

    // A new window covers one unit; setPosition places it at a sixth of the wall units and says nothing.
    void geometryAndSelection()
    {
        UnitWnd wnd;
        QCOMPARE(sceneRectOf(&wnd), QRectF(0, 0, 320, 180));
        QCOMPARE(wnd.position(), Position(0, 0, 960, 540));
        QCOMPARE(wnd.address(), Address(-1, -1));
        QSignalSpy spy(&wnd, SIGNAL(onpositionchanged(Position)));
        wnd.setPosition(Position(-600, 3000, 600, 90));
        QCOMPARE(sceneRectOf(&wnd), QRectF(-100, 500, 100, 15));
        QCOMPARE(wnd.position(), Position(-600, 3000, 600, 90));
        QCOMPARE(spy.size(), 0);

        // One window selected at a time, whatever else the scene holds.
        QGraphicsScene scene(0, 0, 640, 360);
        auto *pFirst = new UnitWnd;
        auto *pSecond = new UnitWnd;
        auto *pOther = scene.addRect(0, 0, 10, 10);
        pOther->setFlag(QGraphicsItem::ItemIsSelectable);
        scene.addItem(pFirst);
        scene.addItem(pSecond);
        pOther->setSelected(true);
        pFirst->setSelected(true);
        pSecond->setSelected(true);
        QCOMPARE(scene.selectedItems(), QList<QGraphicsItem *>{pSecond});
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

    // The painted texts, rounded and held to the int range, and where they stand.
    void texts()
    {
        const Position pos(10, 20, 300, 400);
        QCOMPARE(UnitWnd::textLines(Address(), pos, 0),
                 (QStringList{"LED Setting:-1", "Position:10,20", "Size:300,400"}));
        QCOMPARE(UnitWnd::textLines(Address(), pos, 1),
                 (QStringList{"LED Setting:-1", "Position:20,10", "Size:400,300"}));
        QCOMPARE(UnitWnd::textLines(Address(), pos, 2), UnitWnd::textLines(Address(), pos, 0));
        QCOMPARE(UnitWnd::textLines(Address(9, 1), Position(2.5, -2.5, 10.5, -10.5), 0),
                 (QStringList{"LED Setting:9", "Position:3,-2", "Size:11,-10"}));
        QCOMPARE(UnitWnd::textLines(Address(3, 0), Position(1e308, -1e308, 5e9, 2.5), 0),
                 (QStringList{"LED Setting:3", "Position:2147483647,-2147483648", "Size:2147483647,3"}));
        QCOMPARE(UnitWnd::fontPointSize(320, 180), 12);
        QCOMPARE(UnitWnd::fontPointSize(200.9, 500), 14);
        QCOMPARE(UnitWnd::fontPointSize(15, 300), 1);
        QCOMPARE(UnitWnd::fontPointSize(300, 14.9), 0);
        QCOMPARE(UnitWnd::fontPointSize(8e8, 7e8), 49000000);
        QCOMPARE(UnitWnd::fontPointSize(1e308, 1e308), 150323855);
        QCOMPARE(UnitWnd::textOrigin(0, 12), QPoint(10, 22));
        QCOMPARE(UnitWnd::textOrigin(2, 12), QPoint(10, 58));
    }

    // Free and unit windows, plain and selected, are told apart by their fill inside a grey border.
    void fillColours()
    {
        QGraphicsScene scene(0, 0, 640, 360);
        scene.setBackgroundBrush(Qt::black);
        QList<QColor> fills;
        for (int type : {0, 1}) {
            for (bool selected : {false, true}) {
                auto *pWnd = new UnitWnd;
                pWnd->setType(type);
                pWnd->setPos(100, 50);
                scene.addItem(pWnd);
                pWnd->setSelected(selected);
                QImage image(640, 360, QImage::Format_RGB32);
                QPainter painter(&image);
                scene.render(&painter, QRectF(0, 0, 640, 360), QRectF(0, 0, 640, 360));
                fills << image.pixelColor(260, 140) << image.pixelColor(100, 140)
                      << image.pixelColor(99, 140);
                delete pWnd;
            }
        }
        const QColor border(84, 84, 84), outside(Qt::black);
        QCOMPARE(fills, (QList<QColor>{QColor(218, 218, 218), border, outside, QColor(76, 184, 254), border,
                                       outside, QColor(126, 194, 66), border, outside, QColor(170, 234, 116),
                                       border, outside}));
    }

    // The edges are 6 wide; a window too narrow for two leaves its corners to the right-hand ones.
    void resizeZones()
    {
        QCOMPARE(UnitWnd::resizeZoneAt(QPointF(5.9, 5.9), 100, 60), 4);
        QCOMPARE(UnitWnd::resizeZoneAt(QPointF(6, 30), 100, 60), 8);
        QCOMPARE(UnitWnd::resizeZoneAt(QPointF(6, 6), 100, 60), 8);
        QCOMPARE(UnitWnd::resizeZoneAt(QPointF(50, 6), 100, 60), 8);
        QCOMPARE(UnitWnd::resizeZoneAt(QPointF(94, 54), 100, 60), 8);
        QCOMPARE(UnitWnd::resizeZoneAt(QPointF(94.5, 30), 100, 60), 1);
        QCOMPARE(UnitWnd::resizeZoneAt(QPointF(5, 55), 10, 60), 6);
    }

    // From the window (100, 100, 100, 60): hover, press, the moves, then release.
    void drags_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QPointF>("grip");
        QTest::addColumn<QPolygonF>("moves");
        QTest::addColumn<QRectF>("result");
        QTest::addColumn<int>("cursor");
        auto add = [](const char *name, int nType, QPointF grip, QVector<QPointF> moves, QRectF result,
                      Qt::CursorShape cursor) {
            QTest::newRow(name) << nType << grip << QPolygonF(moves) << result << int(cursor);
        };
        add("right", 0, {198, 130}, {{250, 130}}, {100, 100, 150, 60}, Qt::SizeHorCursor);
        add("right stops at the wall", 0, {198, 130}, {{600, 130}, {700, 130}}, {100, 100, 500, 60},
            Qt::SizeHorCursor);
        add("bottom-right stops at the walls", 0, {198, 158}, {{600, 300}, {700, 400}}, {100, 100, 500, 200},
            Qt::SizeFDiagCursor);
        add("top-right pushed left", 0, {197, 103}, {{740, 103}}, {0, 103, 640, 57}, Qt::SizeBDiagCursor);
        add("left", 0, {102, 130}, {{50, 130}}, {50, 100, 150, 60}, Qt::SizeHorCursor);
        add("left beyond the wall", 0, {102, 130}, {{-30, 130}}, {0, 100, 200, 60}, Qt::SizeHorCursor);
        add("top", 0, {150, 102}, {{150, 40}}, {100, 40, 100, 120}, Qt::SizeVerCursor);
        add("bottom", 0, {150, 158}, {{150, 300}}, {100, 100, 100, 200}, Qt::SizeVerCursor);
        add("bottom under the minimum", 0, {150, 158}, {{150, 110}}, {100, 100, 100, 60}, Qt::SizeVerCursor);
        add("top-left", 0, {102, 102}, {{80, 70}}, {80, 70, 120, 90}, Qt::SizeFDiagCursor);
        add("bottom-left", 0, {102, 158}, {{80, 200}}, {80, 100, 120, 100}, Qt::SizeBDiagCursor);
        add("inside", 0, {150, 130}, {{250, 230}}, {200, 200, 100, 60}, Qt::SizeAllCursor);
        add("inside beyond the left wall", 0, {150, 130}, {{-100, 130}}, {0, 100, 100, 60},
            Qt::SizeAllCursor);
        add("unit window stays", 1, {150, 130}, {{250, 230}}, {100, 100, 100, 60}, Qt::SizeAllCursor);
        add("unit window resizes", 1, {198, 130}, {{250, 130}}, {100, 100, 150, 60}, Qt::SizeHorCursor);
    }
    void drags()
    {
        QFETCH(int, type);
        QFETCH(QPointF, grip);
        QFETCH(QPolygonF, moves);
        QFETCH(QRectF, result);
        QFETCH(int, cursor);
        Wall wall;
        QVERIFY(wall.view.ready());
        UnitWnd *pWnd = wall.add(QRectF(100, 100, 100, 60), type);
        QSignalSpy spy(pWnd, SIGNAL(onpositionchanged(Position)));
        wall.view.hover(grip);
        QCOMPARE(int(pWnd->cursor().shape()), cursor);
        wall.view.press(grip);
        QVERIFY(pWnd->isSelected());
        for (const QPointF &point : moves)
            wall.view.drag(point);
        QCOMPARE(sceneRectOf(pWnd), result);
        QCOMPARE(pWnd->position(), wallUnits(result));
        QCOMPARE(spy.last().first().value<Position>(), wallUnits(result));
        MessageCapture capture;
        wall.view.release(moves.last());
        QVERIFY(capture.contains("mouseReleaseEvent m_isResizing  true"));
        const bool moved = result != QRectF(100, 100, 100, 60);
        QCOMPARE(capture.contains("isPosChanged true"), moved);
        QCOMPARE(capture.contains(QStringLiteral("mouseReleaseEvent123 7 0 %1").arg(type)), moved);
        QCOMPARE(wire(), moved ? positionFrame(7, wallUnits(result)) : QByteArray());
    }

    void narrowWindowGrowsByOnePerMove()
    {
        Wall wall;
        QVERIFY(wall.view.ready());
        UnitWnd *pWnd = wall.add(QRectF(100, 100, 10, 60));
        wall.view.hover(QPointF(102, 130));
        wall.view.press(QPointF(102, 130));
        const QList<QRectF> steps{{90, 100, 11, 60}, {85, 100, 12, 60}, {80, 100, 13, 60},
                                  {75, 100, 14, 60}, {70, 100, 15, 60}, {60, 100, 25, 60}};
        for (const QRectF &step : steps) {
            wall.view.drag(QPointF(step.x(), 130));
            QCOMPARE(sceneRectOf(pWnd), step);
        }
        wall.view.release(QPointF(60, 130));
    }

    // Arrow keys nudge by a third of a scene unit, never out of the wall; any key release sends.
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
        Wall wall;
        QVERIFY(wall.view.ready());
        UnitWnd *pWnd = wall.add(QRectF(from, QSizeF(320, 180)));
        wall.view.press(from + QPointF(160, 90));
        wall.view.release(from + QPointF(160, 90));
        QVERIFY(pWnd->hasFocus());
        QTest::keyRelease(&wall.view, Qt::Key(key));
        QCOMPARE(pWnd->scenePos(), to);
        QCOMPARE(pWnd->position(), Position(to.x() * 6, to.y() * 6, 1920, 1080));
        QCOMPARE(wire(), positionFrame(7, to.x() * 6, to.y() * 6, 1920, 1080));
    }

    void sentGeometry_data()
    {
        QTest::addColumn<int>("sceneType");
        QTest::addColumn<int>("type");
        QTest::addColumn<Address>("address");
        QTest::addColumn<Position>("position");
        QTest::addColumn<QByteArray>("frame");
        const Position pos(100, 200, 300, 400);
        QTest::newRow("portrait transposed")
            << 1 << 0 << Address(3, 0) << pos << positionFrame(3, 200, 100, 400, 300);
        QTest::newRow("free window at (0, 0)") << 0 << 0 << Address(0, 0) << pos << QByteArray();
        QTest::newRow("unit window at (0, 0)") << 0 << 1 << Address(0, 0) << pos << positionFrame(0, pos);
        QTest::newRow("free window at (0, 1)") << 0 << 0 << Address(0, 1) << pos << positionFrame(0, pos);
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

    // A double click snaps to the units the window touches, the next one restores it.
    void snapping_data()
    {
        QTest::addColumn<Position>("from");
        QTest::addColumn<Position>("snapped");
        QTest::addColumn<int>("address");
        QTest::newRow("inside") << Position(500, 100, 700, 300) << Position(320, 0, 960, 540) << 7;
        QTest::newRow("on unit boundaries") << Position(0, 0, 640, 360) << Position(0, 0, 960, 540) << 7;
        QTest::newRow("at the right wall") << Position(3200, 0, 640, 180) << Position(3200, 0, 640, 360) << 7;
        QTest::newRow("free window at (0, 0) sends nothing")
            << Position(300, 300, 600, 360) << Position(0, 180, 960, 540) << 0;
    }
    void snapping()
    {
        QFETCH(Position, from);
        QFETCH(Position, snapped);
        QFETCH(int, address);
        Wall wall;
        QVERIFY(wall.view.ready());
        UnitWnd *pWnd = wall.add(sceneRectOf(from), 0, address);
        pWnd->setPosition(from);
        QSignalSpy spy(pWnd, SIGNAL(onpositionchanged(Position)));
        const QPointF inside = pWnd->scenePos() + QPointF(10, 10);
        const QByteArray snappedFrame = address ? positionFrame(address, snapped) : QByteArray();

        wall.view.doubleClick(inside);
        QCOMPARE(pWnd->position(), snapped);
        QCOMPARE(sceneRectOf(pWnd), sceneRectOf(snapped));
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.last().first().value<Position>(), snapped);
        // The release after the double click finds the snapped rectangle new and sends it again.
        QCOMPARE(wire(), snappedFrame + snappedFrame);

        wall.view.doubleClick(inside);
        QCOMPARE(pWnd->position(), from);
        QCOMPARE(spy.last().first().value<Position>(), from);
        QCOMPARE(wire(), address ? snappedFrame + positionFrame(address, from) : QByteArray());
    }

    // Unit counts from the settings file may make the grid unusable: then nothing snaps.
    void snappingWithoutGrid_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::newRow("no rows") << 0 << 12;
        QTest::newRow("no columns") << 12 << 0;
        QTest::newRow("units under one wall unit") << 12 << 5000;
    }
    void snappingWithoutGrid()
    {
        QFETCH(int, rows);
        QFETCH(int, columns);
        AppStatus::theAppStatus()->setSceneRow(rows);
        AppStatus::theAppStatus()->setSceneColumn(columns);
        Wall wall;
        QVERIFY(wall.view.ready());
        UnitWnd *pWnd = wall.add(QRectF(50, 50, 100, 60));
        QSignalSpy spy(pWnd, SIGNAL(onpositionchanged(Position)));
        QVERIFY(!pWnd->snapToUnits());
        wall.view.doubleClick(QPointF(100, 80));
        QCOMPARE(pWnd->position(), Position(300, 300, 600, 360));
        QCOMPARE(spy.size(), 0);
        QCOMPARE(wire(), QByteArray());
    }
};

QTEST_MAIN(TestUnitWnd)
#include "tst_unitwnd.moc"
