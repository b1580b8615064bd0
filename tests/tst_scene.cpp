// The wall scene and its windows through a real view: an operator's mouse, keys, menus and dialogs in;
// the windows, the painted picture, the layout files and the frames on a pseudo-terminal out.
#include "appstatus.h"
#include "modelfile.h"
#include "operator.h"
#include "ptypair.h"
#include "seriallink.h"
#include "splicescene.h"

#include <QPaintEngine>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QUndoStack>

#include <atomic>
#include <cerrno>
#include <ctime>

namespace {
// The rebuild pauses of 100 ms the program asked for (QThread::msleep comes here).
std::atomic<int> rebuildPauses{0};
} // namespace

extern "C" int nanosleep(const timespec *request, timespec *remaining)
{
    if (request->tv_sec == 0 && request->tv_nsec == 100 * 1000 * 1000)
        ++rebuildPauses;
    const int error = clock_nanosleep(CLOCK_REALTIME, 0, request, remaining);
    errno = error;
    return error == 0 ? 0 : -1;
}

namespace {

// The wall picture of the current scene type at scale 1, scene (0, 0) at the viewport's corner.
struct Wall
{
    SpliceScene scene;
    QGraphicsView view{&scene};

    Wall()
    {
        scene.setSceneRect(0, 0, AppStatus::theAppStatus()->unitWidth(),
                           AppStatus::theAppStatus()->unitHeight());
        view.setFrameShape(QFrame::NoFrame);
        view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        view.resize(700, 700);
        view.show();
        QApplication::setActiveWindow(&view);
    }
    bool ready() { return QTest::qWaitForWindowExposed(&view) && view.mapToScene(0, 0) == QPointF(0, 0); }
    void load(const QString &strLayout)
    {
        ModelFile model(QStringLiteral("never-written.json"), false);
        model.setItems(vt::records(strLayout));
        scene.loadConfig(&model);
    }
};

// Records the texts a window paints: "left,baseline point-size text".
class TextLog : public QPaintDevice, public QPaintEngine
{
public:
    QStringList lines;
    QPaintEngine *paintEngine() const override { return const_cast<TextLog *>(this); }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        lines << QStringLiteral("%1,%2 %3 %4")
                     .arg(p.x())
                     .arg(p.y())
                     .arg(painter()->font().pointSize())
                     .arg(item.text());
    }
    Type type() const override { return User; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        if (metric == PdmDevicePixelRatioScaled)
            return int(devicePixelRatioFScale());
        return metric == PdmDevicePixelRatio ? 1 : metric >= PdmDpiX && metric <= PdmPhysicalDpiY ? 96 : 1000;
    }
};

} // namespace

class TestScene : public QObject
{
    Q_OBJECT

    PtyPair *m_pPty = nullptr;

    QString sent() { return vt::decoded(m_pPty->read(0, 150)); }
    // Settings ("portrait", "standard", "columnsN" before a ':'), then the windows, rebuilt while the link
    // is closed, so that no frames (and their waits) precede the operator's.
    bool prepare(Wall &wall, const QString &strLayout)
    {
        const QString setup = strLayout.section(QLatin1Char(':'), 0, -2);
        AppStatus::theAppStatus()->setSceneType(setup.contains("portrait")  ? 1
                                                : setup.contains("unknown") ? 3
                                                                            : 0);
        AppStatus::theAppStatus()->setOpenModel(!setup.contains("standard"));
        if (setup.contains("columns"))
            AppStatus::theAppStatus()->setSceneColumn(setup.section("columns", 1).toInt());
        wall.scene.setSceneRect(0, 0, AppStatus::theAppStatus()->unitWidth(),
                                AppStatus::theAppStatus()->unitHeight());
        SerialLink::theSerialLink()->close();
        wall.load(strLayout.section(QLatin1Char(':'), -1));
        return wall.ready() && SerialLink::theSerialLink()->open(m_pPty->slavePath());
    }

private slots:
    void initTestCase() { vt::enterFreshDir(); }
    void init()
    {
        QFile::remove(QStringLiteral("SpliceState.data"));
        AppStatus *status = AppStatus::theAppStatus();
        status->setSceneType(0);
        status->setOpenModel(true);
        status->setSpliceRow(2);
        status->setSpliceColumn(3);
        status->setSceneRow(12);
        status->setSceneColumn(12);
        m_pPty = new PtyPair;
        QVERIFY(SerialLink::theSerialLink()->open(m_pPty->slavePath()));
    }
    void cleanup()
    {
        SerialLink::theSerialLink()->close();
        delete m_pPty;
    }

    // Each row: the layout (as prepare takes it), what the operator does, the frames the controller gets,
    // and the windows afterwards (then what a dialog showed, in [], and the texts of message boxes).
    void editing_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("frames");
        QTest::addColumn<QString>("after");
        auto add = [](const char *name, const char *layout, const char *script, const char *frames,
                      const char *after) { QTest::newRow(name) << layout << script << frames << after; };
        const char *w = "600,600,600,360 a7"; // scene (100, 100, 100, 60)
        // Edges and corners 6 scene units wide; only a release after a change sends.
        add("right edge", w, "drag 198,130 250,130", "7:600,600,900,360", "600,600,900,360 a7");
        add("right edge stops at the wall", w, "drag 198,130 600,130 700,130", "7:600,600,3000,360",
            "600,600,3000,360 a7");
        add("top-right pushed left", w, "drag 197,103 740,103", "7:0,618,3840,342", "0,618,3840,342 a7");
        add("left edge beyond the wall", w, "drag 102,130 -30,130", "7:0,600,1200,360", "0,600,1200,360 a7");
        add("top edge", w, "drag 150,102 150,40", "7:600,240,600,720", "600,240,600,720 a7");
        add("bottom edge", w, "drag 150,158 150,300", "7:600,600,600,1200", "600,600,600,1200 a7");
        add("bottom under the minimum", w, "drag 150,158 150,110", "", "600,600,600,360 a7");
        add("top-left corner", w, "drag 102,102 80,70", "7:480,420,720,540", "480,420,720,540 a7");
        add("inside", w, "drag 150,130 250,230", "7:1200,1200,600,360", "1200,1200,600,360 a7");
        add("inside beyond the wall", w, "drag 150,130 -100,130", "7:0,600,600,360", "0,600,600,360 a7");
        add("inside, 6 from the edges", w, "drag 106,106 116,116", "7:660,660,600,360", "660,660,600,360 a7");
        add("pressed in place", w, "click 150,130; click 198,130", "", "600,600,600,360 a7");
        add("unit window stays", "standard: 600,600,600,360 a7 t1", "drag 150,130 250,230", "",
            "600,600,600,360 a7 t1");
        add("unit window resizes", "standard: 600,600,600,360 a7 t1", "drag 198,130 250,130",
            "7:600,600,900,360", "600,600,900,360 a7 t1");
        // Under the minimum a window grows one unit a move while its left edge follows the mouse.
        add("narrow window's corners go right", "3000,1800,60,360 a7", "drag 505,355 520,370",
            "7:3000,1800,120,360", "3000,1800,120,360 a7");
        add("narrow window", "600,600,60,360 a7", "drag 101,130 90,130 85,130 80,130 75,130 70,130 60,130",
            "7:360,600,150,360", "360,600,150,360 a7");
        // Arrow keys nudge by a third of a scene unit, never off the wall; any key release sends.
        const char *k = "600,300,1920,1080 a7";
        add("arrows and another key", k,
            "click 200,100; key Left; key Up; key Right; key Right; key Down; key A",
            "7:598,300,1920,1080; 7:598,298,1920,1080; 7:600,298,1920,1080; 7:602,298,1920,1080; "
            "7:602,300,1920,1080; 7:602,300,1920,1080",
            "602,300,1920,1080 a7");
        add("left at the wall", "1.5,300,1920,1080 a7", "click 200,100; key Left", "7:2,300,1920,1080",
            "1.5,300,1920,1080 a7");
        add("up at the wall", "600,1.5,1920,1080 a7", "click 200,100; key Up", "7:600,2,1920,1080",
            "600,1.5,1920,1080 a7");
        add("right near the wall", "1918.5,0,1920,1080 a7", "click 400,100; key Right", "7:1919,0,1920,1080",
            "1918.5,0,1920,1080 a7");
        add("down near the wall", "0,1078.5,1920,1080 a7", "click 100,200; key Down", "7:0,1079,1920,1080",
            "0,1078.5,1920,1080 a7");
        // A held arrow moves on every repeat; the repeats that came while the link was busy go out as one
        // frame of the newest position, and the release sends where the window stopped.
        add("held arrow", k, "click 200,100; hold Right 3 2", "7:608,300,1920,1080; 7:612,300,1920,1080",
            "612,300,1920,1080 a7");
        add("held shift arrow", k, "click 200,100; hold Shift+Down 0 1", "7:600,660,1920,1080",
            "600,660,1920,1080 a7");
        add("Ctrl and Alt arrows", k, "click 200,100; key Ctrl+Left; key Alt+Up",
            "7:598,300,1920,1080; 7:598,298,1920,1080", "598,298,1920,1080 a7");
        // A cell of the splice grid stays where the grid put it; a key release sends it as it is.
        add("grid cell stays", "standard: 600,600,600,360 a7 t1",
            "click 150,130; key Right; hold Shift+Down 1 1; dblclick 150,130",
            "7:600,600,600,360; 7:600,600,600,360", "600,600,600,360 a7 t1");
        // The portrait picture goes out transposed; a free window at (0, 0) or without address stays local.
        add("portrait", "portrait: 100,200,300,400 a3", "click 30,50; key Space", "3:200,100,400,300",
            "100,200,300,400 a3");
        add("free window at (0, 0)", "100,200,300,400 a0", "click 30,50; key Space", {},
            "100,200,300,400 a0");
        add("unit window at (0, 0)", "standard: 100,200,300,400 a0 t1", "click 30,50; key Space",
            "0:100,200,300,400", "100,200,300,400 a0 t1");
        add("free window at (0, 1)", "100,200,300,400 a0 s1", "click 30,50; key Space", "0:100,200,300,400",
            "100,200,300,400 a0");
        add("no address", "standard: 100,200,300,400 t1", "click 30,50; key Space", "", "100,200,300,400 t1");
        add("halves round upward", "10.5,13.5,301.5,61.5 a3", "click 20,5; key Space", "3:11,14,302,62",
            "10.5,13.5,301.5,61.5 a3");
        add("off the wall, not sent", "-600,0,960,540 a3", "click 20,5; key Space", "", "-600,0,960,540 a3");
        // Only the left button edits; a left or top edge stops short of the opposite one.
        add("right-button drag", w, "rdrag 198,130 250,130", "", "600,600,600,360 a7");
        add("left edge past the right", w, "drag 102,130 300,130", "7:1110,600,90,360", "1110,600,90,360 a7");
        add("top edge past the bottom", w, "drag 150,102 150,300", "7:600,870,600,90", "600,870,600,90 a7");
        // A double click snaps to the units the window covers (an edge within half a wall unit of a border
        // is on it), the next one restores; the release after it finds the rectangle new and sends it again.
        add("snap and restore", "500,100,700,300 a7", "dblclick 90,20; dblclick 90,20",
            "7:320,0,960,540; 7:320,0,960,540; 7:320,0,960,540; 7:500,100,700,300", "500,100,700,300 a7");
        add("snap on unit borders keeps", "1920,180,960,540 a7", "dblclick 400,50", "7:1920,180,960,540",
            "1920,180,960,540 a7");
        add("snap within half a unit", "0.4,179.6,640,360.2 a7", "dblclick 10,40",
            "7:0,180,640,360; 7:0,180,640,360", "0,180,640,360 a7");
        add("snap at the right wall", "3200,0,640,190 a7", "dblclick 540,10",
            "7:3200,0,640,360; 7:3200,0,640,360", "3200,0,640,360 a7");
        add("snap into the last part unit", "columns7: 3288,0,550,540 a7", "dblclick 600,10",
            "7:3288,0,552,540; 7:3288,0,552,540", "3288,0,552,540 a7");
        add("no snap without columns", "columns0: 300,300,600,360 a7", "dblclick 60,60", "",
            "300,300,600,360 a7");
        add("no snap for tiny units", "columns5000: 300,300,600,360 a7", "dblclick 60,60", "",
            "300,300,600,360 a7");
        // The window menu on the window it opened on.
        const char *m = "600.7,300,960,540 a3"; // scene (100.1, 50, 160, 90)
        add("Full", m, "menu 110,60 Full", "3:0,0,3840,2160", "0,0,3840,2160 a3");
        add("Full, portrait", "portrait: 600.7,300,960,540 a3", "menu 110,60 Full", "3:0,0,3840,2160",
            "0,0,2160,3840 a3");
        // The dialog shows the numbers as the wire has them: Ok without a change sends the same rectangle.
        add("Position", m, "answer 100,200,300,400; menu 110,60 Position", "3:100,200,300,400",
            "100,200,300,400 a3 [601,300,960,540]");
        add("Position unchanged", m, "answer 601,300,960,540; menu 110,60 Position", "3:601,300,960,540",
            "601,300,960,540 a3 [601,300,960,540]");
        add("Position, portrait", "portrait: 600.7,300,960,540 a3",
            "answer 100,200,300,400; menu 110,60 Position", "3:200,100,400,300",
            "100,200,300,400 a3 [601,300,960,540]");
        add("Position at (0, 0)", "600.7,300,960,540 a0", "answer 100,200,300,400; menu 110,60 Position", {},
            "600.7,300,960,540 a0 [601,300,960,540]");
        add("Position held on the wall", m, "answer 3000,0,1920,540; menu 110,60 Position",
            "3:1920,0,1920,540", "1920,0,1920,540 a3 [601,300,960,540]");
        add("Position off the wall refused", m, "answer -500,0,99999,0; menu 110,60 Position", "",
            "600.7,300,960,540 a3 [601,300,960,540] ! Position Setting kept open");
        add("Position, no width, refused", m, "answer 100,200,,400; menu 110,60 Position", "",
            "600.7,300,960,540 a3 [601,300,960,540] ! Position Setting kept open");
        // The field takes no digit that would leave the wall.
        add("Position, x off the wall", m, "answer 3840,0,10,10; menu 110,60 Position", "3:384,0,10,10",
            "384,0,10,10 a3 [601,300,960,540]");
        add("Rotate", m, "answer 180; menu 110,60 Rotate", "rotate 3,2", "600.7,300,960,540 a3 r2 [close]");
        add("Reset", m, "menu 110,60 Reset", "reset 3", m);
        add("Close", m, "menu 110,60 Close", "", "");
        add("Address", m, "answer 12; menu 110,60 Address", "", "600.7,300,960,540 a12 [3]");
        add("Address taken, also by a hidden window", "0,0,960,540 a5 t1; 600.7,300,960,540 a3",
            "answer 5; menu 110,60 Address", {},
            "0,0,960,540 a5 t1 hidden; 600.7,300,960,540 a3 [3] ! Address conflict, setting is failed!");
        add("New Window held on the wall", "standard unknown type: 0,0,960,540 t1", "menu 500,300 New Window",
            "", "0,0,960,540 t1; 1920,1080,1920,1080 t1");
        // The rubber band draws a free window in the open model while nothing is selected, 16 units at least.
        const char *b = "3360,0,480,240"; // scene (560, 0, 80, 40)
        add("band up and left", b, "drag 100,50 80,30 60,20", "", "3360,0,480,240; 360,120,240,180");
        add("band of 16", b, "drag 30,30 46,46", "", "3360,0,480,240; 180,180,96,96");
        add("band of 15", b, "drag 30,10 45,30", "", b);
        add("band in the standard model", "standard: 3360,0,480,240", "drag 300,200 400,300", "",
            "3360,0,480,240 hidden");
        add("band with a window selected", b, "click 600,20; drag 300,200 400,300", "", b);
    }
    void editing()
    {
        QFETCH(QString, layout);
        QFETCH(QString, script);
        QFETCH(QString, frames);
        QFETCH(QString, after);
        Wall wall;
        QVERIFY(prepare(wall, layout));
        vt::Operator op(&wall.view);
        QCOMPARE(op.run(script), QString());
        QCOMPARE(sent(), frames);
        QCOMPARE(vt::windows(&wall.scene) +
                     (op.dialogFields.isEmpty() ? "" : " [" + op.dialogFields.join(',') + "]") +
                     (op.messages.isEmpty() ? "" : " ! " + op.messages.join(" ! ")),
                 after);
    }

    // Every kind of edit taken back and done again, each sending the window as the edit did: the frames
    // and the windows after the undo, then after the redo. A model switch forgets the edits.
    void undoRedo_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        auto add = [](const char *name, const char *layout, const char *script, const char *expected) {
            QTest::newRow(name) << layout << script << expected;
        };
        const char *w = "600,600,600,360 a7", *m = "600.7,300,960,540 a3";
        add("drag", w, "drag 150,130 250,230",
            "7:600,600,600,360 | 600,600,600,360 a7 || 7:1200,1200,600,360 | 1200,1200,600,360 a7");
        add("held arrow, one step", w, "click 150,130; hold Left 2 2",
            "7:600,600,600,360 | 600,600,600,360 a7 || 7:590,600,600,360 | 590,600,600,360 a7");
        add("snap", "500,100,700,300 a7", "dblclick 90,20",
            "7:500,100,700,300 | 500,100,700,300 a7 || 7:320,0,960,540 | 320,0,960,540 a7");
        add("Rotate", m, "answer 180; menu 110,60 Rotate",
            "rotate 3,0 | 600.7,300,960,540 a3 || rotate 3,2 | 600.7,300,960,540 a3 r2");
        add("Address", m, "answer 12; menu 110,60 Address",
            " | 600.7,300,960,540 a3 ||  | 600.7,300,960,540 a12");
        add("Close", m, "menu 110,60 Close", "3:601,300,960,540 | 600.7,300,960,540 a3 ||  | ");
        add("Delete", w, "click 150,130; key Delete", "7:600,600,600,360 | 600,600,600,360 a7 ||  | ");
        add("band", w, "drag 30,30 46,46", " | 600,600,600,360 a7 ||  | 600,600,600,360 a7; 180,180,96,96");
    }
    void undoRedo()
    {
        QFETCH(QString, layout);
        QFETCH(QString, script);
        QFETCH(QString, expected);
        Wall wall;
        QVERIFY(prepare(wall, layout));
        vt::Operator op(&wall.view);
        QCOMPARE(op.run(script), QString());
        sent();
        QStringList steps;
        for (bool bUndo : {true, false}) {
            bUndo ? wall.scene.undoStack()->undo() : wall.scene.undoStack()->redo();
            steps << sent() + " | " + vt::windows(&wall.scene);
        }
        QCOMPARE(steps.join(" || "), expected);
        wall.scene.applyOpenModel(true);
        QVERIFY(!wall.scene.undoStack()->canUndo());
    }

    // Fills by type and selection inside a grey outline (#545454); the texts sized by the smaller side, a
    // portrait window showing its numbers as the controller gets them, a turned one its angle.
    void painting()
    {
        Wall wall;
        QVERIFY(wall.ready());
        wall.scene.setBackgroundBrush(Qt::black);
        wall.load("600,300,1920,1080 a9 r1; 2.5,-2.5,1920,1205.4 t1; 3000,1800,60,360");
        const QList<UnitWnd *> windows = vt::windowsOf(&wall.scene);
        QStringList fills;
        for (int i = 0; i < 4; ++i) {
            windows[0]->setType(i / 2);
            windows[0]->setSelected(i % 2);
            QImage image(640, 360, QImage::Format_RGB32);
            QPainter painter(&image);
            wall.scene.render(&painter, QRectF(0, 0, 640, 360), QRectF(0, 0, 640, 360));
            fills << QString("%1 %2 %3")
                         .arg(image.pixelColor(260, 140).name(), image.pixelColor(100, 140).name(),
                              image.pixelColor(99, 140).name());
        }
        QCOMPARE(fills.join(", ").remove(" #545454 #000000"), "#dadada, #4cb8fe, #7ec242, #aaea74");
        QStringList painted;
        for (int sceneType : {0, 1}) {
            AppStatus::theAppStatus()->setSceneType(sceneType);
            for (UnitWnd *pWnd : windows.mid(0, 2)) {
                TextLog log;
                QPainter painter(&log);
                QStyleOptionGraphicsItem option;
                pWnd->paint(&painter, &option, nullptr);
                painted << log.lines;
            }
        }
        QCOMPARE(painted, (QStringList{"10,22 12 LED Setting:9", "10,40 12 Position:600,300",
                                       "10,58 12 Size:1920,1080", "10,76 12 90°", "10,24 14 LED Setting:-1",
                                       "10,44 14 Position:3,-2", "10,64 14 Size:1920,1205",
                                       "10,22 12 LED Setting:9", "10,40 12 Position:300,600",
                                       "10,58 12 Size:1080,1920", "10,76 12 90°", "10,24 14 LED Setting:-1",
                                       "10,44 14 Position:-2,3", "10,64 14 Size:1205,1920"}));
    }

    // A layout replaces the windows and re-sends each one with an address or covering units, hidden ones
    // too (numbers truncated); the standard model lays a grid over the wall while the free windows wait.
    void layoutsAndModels()
    {
        Wall wall;
        wall.scene.slotAddWnd();
        wall.load("0,0,960,540 a0; 100,200,300,400 a0 t1 r1; 10.9,-20.9,300,400 a4 t5 r3; 1,2,3,4 a0 t5");
        QCOMPARE(sent(), "0:100,200,300,400; rotate 0,1; rotate 4,3");
        QCOMPARE(vt::windows(&wall.scene), "0,0,960,540 a0; 100,200,300,400 a0 t1 r1 hidden; "
                                           "10.9,-20.9,300,400 a4 t1 r3 hidden; 1,2,3,4 a0 t1 hidden");
        const QString grid = "0,0,1280,1080 t1; 1280,0,1280,1080 t1; 2560,0,1280,1080 t1; 0,1080,1280,1080 "
                             "t1; 1280,1080,1280,1080 t1; 2560,1080,1280,1080 t1";
        for (bool bOpen : {false, true, false}) {
            AppStatus::theAppStatus()->setOpenModel(bOpen);
            wall.scene.applyOpenModel(bOpen);
            QCOMPARE(vt::windows(&wall.scene), bOpen ? "0,0,960,540 a0" : "0,0,960,540 a0 hidden; " + grid);
        }
        for (const QVector<int> &counts : QList<QVector<int>>{{0, 3}, {2, 100000}}) {
            AppStatus::theAppStatus()->setSpliceRow(counts[0]);
            AppStatus::theAppStatus()->setSpliceColumn(counts[1]);
            wall.scene.applyOpenModel(false);
            QCOMPARE(vt::windows(&wall.scene), QStringLiteral("0,0,960,540 a0 hidden"));
        }
        // The portrait grid covers the portrait wall.
        AppStatus::theAppStatus()->setSceneType(1);
        AppStatus::theAppStatus()->setSpliceRow(2);
        AppStatus::theAppStatus()->setSpliceColumn(3);
        wall.scene.applyOpenModel(false);
        QCOMPARE(vt::windows(&wall.scene).section("; ", 1, 2), "0,0,720,1920 t1; 720,0,720,1920 t1");
        AppStatus::theAppStatus()->setOpenModel(true);
        wall.load("100,200,300,400 a3");
        QCOMPARE(sent(), "3:200,100,400,300; rotate 3,0");
    }

    // Saved: the visible windows only; loaded: replaced and re-sent, the file untouched; a file without a
    // layout leaves the wall; a failed save or load says so; the state file carries the wall to the next run.
    void filesAndRuns()
    {
        rebuildPauses = 0;
        AppStatus::theAppStatus()->setOpenModel(false);
        ModelFile(QString()).setItems(
            vt::records("10.5,20,300,400 a3 t1 r1; 1920,1080,960,540 a4 t1; 0,0,960,540 a6"));
        {
            SpliceScene scene;
            QGraphicsView view(&scene);
            vt::Operator op(&view);
            QCOMPARE(
                sent(),
                "3:11,20,300,400; rotate 3,1; 4:1920,1080,960,540; rotate 4,0; 6:0,0,960,540; rotate 6,0");
            QVERIFY(QDir().mkdir("folder.json"));
            scene.saveModel("folder.json");
            scene.saveModel("saved.json");
            scene.removeAllWnd();
            QVERIFY(vt::writeFile("empty.json", "{\"other\":1,\"items\":[]}"));
            for (const char *file : {"empty.json", "missing.json", "saved.json", "empty.json"})
                scene.loadModel(file);
            QCOMPARE(op.messages.join('|'),
                     "The layout could not be saved in folder.json (not a file).|empty.json "
                     "holds no wall layout; the wall is unchanged.|missing.json holds no "
                     "wall layout; the wall is unchanged.|empty.json holds no wall layout; "
                     "the wall is unchanged.");
            QCOMPARE(vt::windows(&scene), "10.5,20,300,400 a3 t1 r1; 1920,1080,960,540 a4 t1");
            QCOMPARE(sent(), "3:11,20,300,400; rotate 3,1; 4:1920,1080,960,540; rotate 4,0");
            vt::windowsOf(&scene).last()->setRotate(2);
        }
        QCOMPARE(vt::readFile("empty.json") + vt::readFile("missing.json"),
                 QByteArray("{\"other\":1,\"items\":[]}"));
        QCOMPARE(ModelFile("saved.json", false).items(),
                 vt::records("10.5,20,300,400 a3 s-1 t1 r1; 1920,1080,960,540 a4 s-1 t1"));
        SpliceScene again;
        QCOMPARE(vt::windows(&again), "10.5,20,300,400 a3 t1 r1; 1920,1080,960,540 a4 t1 r2");
        // The pause between a window's rectangle and its rotation paces frames: none while the link is
        // closed, as when the program starts.
        QCOMPARE(rebuildPauses.load(), 7);
        SerialLink::theSerialLink()->close();
        SpliceScene closed;
        QCOMPARE(rebuildPauses.load(), 7);
    }
};

QTEST_MAIN(TestScene)
#include "tst_scene.moc"
