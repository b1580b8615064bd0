// The wall scene seen from outside: its menus and dialogs played through a view, windows drawn with the
// rubber band, the standard grid, layouts saved, loaded and kept across runs, and the frames on the wire.
#include "appstatus.h"
#include "commandpacket.h"
#include "messagecapture.h"
#include "modelfile.h"
#include "ptypair.h"
#include "seriallink.h"
#include "splicescene.h"
#include "testdir.h"
#include "unitwnd.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QGraphicsRectItem>
#include <QGraphicsView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <climits>
#include <functional>

Q_DECLARE_METATYPE(WndRecord)

namespace {

const QString stateFile = QStringLiteral("SpliceState.data");
const Position unit(0, 0, 960, 540);

QByteArray posFrame(int nAddr, int nX, int nY, int nWidth, int nHeight)
{
    return packFrame(CommandPacket().makePosition(nX, nY, nWidth, nHeight, nAddr));
}
QByteArray rotFrame(int nAddr, int nRotate)
{
    return packFrame(CommandPacket().makeRotate(nRotate, nAddr));
}

WndRecord record(const Position &pos, int nAddr, int nType, int nRotate = 0, int nSub = -1)
{
    return {pos.x, pos.y, pos.width, pos.height, nAddr, nSub, nType, nRotate};
}

void writeLayout(const QString &strFile, const QList<WndRecord> &records)
{
    ModelFile(strFile).setItems(records);
}

QList<WndRecord> readLayout(const QString &strFile)
{
    return ModelFile(strFile, false).items();
}

// Plays the operator on a setting dialog: types the inputs into the shown line edits in turn, or picks the
// first in the combo box, then clicks Ok ("cancel": Cancel). Returns what the line edits showed first.
QStringList fillDialog(QDialog *pDlg, const QStringList &inputs)
{
    QStringList shown;
    for (QLineEdit *pEdit : pDlg->findChildren<QLineEdit *>()) {
        if (!pEdit->isVisible())
            continue;
        shown << pEdit->text();
        pEdit->selectAll();
        QTest::keyClick(pEdit, Qt::Key_Backspace);
        QTest::keyClicks(pEdit, inputs.value(shown.size() - 1));
    }
    if (auto *pCombo = pDlg->findChild<QComboBox *>())
        pCombo->setCurrentIndex(pCombo->findText(inputs.value(0)));
    const QString button = inputs.value(0) == "cancel" ? "Cancel" : "Ok";
    for (QPushButton *pButton : pDlg->findChildren<QPushButton *>()) {
        if (pButton->text() == button)
            QTest::mouseClick(pButton, Qt::LeftButton);
    }
    return shown;
}

// The wall as the splice view frame shows it, scene (0, 0) at the viewport's top-left corner.
struct Wall
{
    SpliceScene *pScene = new SpliceScene;
    QGraphicsView view;

    explicit Wall(double dScale = 1)
    {
        const AppStatus *status = AppStatus::theAppStatus();
        pScene->setSceneRect(0, 0, status->unitWidth(), status->unitHeight());
        view.setScene(pScene);
        view.setFrameShape(QFrame::NoFrame);
        view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.resize(700, 700);
        view.scale(dScale, dScale);
        view.show();
        view.horizontalScrollBar()->setValue(0);
        view.verticalScrollBar()->setValue(0);
        QApplication::setActiveWindow(&view);
    }
    ~Wall() { delete pScene; }
    bool ready() { return QTest::qWaitForWindowExposed(&view) && view.mapToScene(0, 0) == QPointF(0, 0); }
    // Rebuilds from records in memory, which unlike a file keep the sub address.
    void load(const QList<WndRecord> &records)
    {
        ModelFile model("never-written.json", false);
        model.setItems(records);
        pScene->loadConfig(&model);
    }
    UnitWnd *wnd(int nIndex) const { return pScene->windows().value(nIndex); }
    QList<bool> visibility() const
    {
        QList<bool> shown;
        for (UnitWnd *pWnd : pScene->windows())
            shown << pWnd->isVisible();
        return shown;
    }
    void mouse(QEvent::Type type, const QPointF &point, Qt::MouseButtons buttons)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const QPoint local = view.mapFromScene(point);
        QMouseEvent event(type, local, view.viewport()->mapToGlobal(local), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &event);
    }
};

} // namespace

class TestSpliceScene : public QObject
{
    Q_OBJECT

private:
    PtyPair *m_pPty = nullptr;
    QObject *m_pGuard = nullptr;

    QByteArray wire() { return m_pPty->readAll(150); }

    // Acts on the first menu or modal widget of type T to show up, from inside its own event loop. The
    // watch ends with the test function, so it never acts on a later one's widget.
    template <typename T>
    void whenShown(std::function<void(T *)> act, int nTries = 300)
    {
        QTimer::singleShot(10, m_pGuard, [this, act, nTries] {
            QWidget *pWidget = QApplication::activePopupWidget();
            if (T *pFound = qobject_cast<T *>(pWidget ? pWidget : QApplication::activeModalWidget()))
                act(pFound);
            else if (nTries > 0)
                whenShown<T>(act, nTries - 1);
        });
    }
    // Right-clicks the point and picks the entry from the menu (Escape when it has none). Returns the
    // entries shown, or {"no menu"}.
    QStringList useMenu(Wall &wall, const QPointF &point, const QString &strEntry)
    {
        QStringList entries{"no menu"};
        whenShown<QMenu>([&entries, strEntry](QMenu *pMenu) {
            entries.clear();
            for (QAction *pAction : pMenu->actions()) {
                if (pAction->isVisible())
                    entries << pAction->text();
                if (pAction->text() == strEntry)
                    pMenu->setActiveAction(pAction);
            }
            QTest::keyClick(pMenu, entries.contains(strEntry) ? Qt::Key_Return : Qt::Key_Escape);
        });
        const QPoint local = wall.view.mapFromScene(point);
        QContextMenuEvent event(QContextMenuEvent::Mouse, local, wall.view.viewport()->mapToGlobal(local));
        QApplication::sendEvent(wall.view.viewport(), &event);
        return entries;
    }
    void expectDialog(const QStringList &inputs, QStringList *pShown = nullptr)
    {
        whenShown<QDialog>([inputs, pShown](QDialog *pDlg) {
            const QStringList shown = fillDialog(pDlg, inputs);
            if (pShown)
                *pShown = shown;
        });
    }

private slots:
    void initTestCase() { testdir::enterFresh(); }
    void init()
    {
        QFile::remove(stateFile);
        AppStatus *status = AppStatus::theAppStatus();
        status->setSceneType(0);
        status->setOpenModel(true);
        status->setSpliceRow(2);
        status->setSpliceColumn(3);
        m_pGuard = new QObject;
        m_pPty = new PtyPair;
        QVERIFY(m_pPty->isValid());
        QVERIFY(SerialLink::theSerialLink()->open(m_pPty->slavePath()));
    }
    void cleanup()
    {
        delete m_pGuard;
        SerialLink::theSerialLink()->close();
        delete m_pPty;
    }

    void menus_data()
    {
        QTest::addColumn<int>("sceneType");
        QTest::addColumn<int>("type");
        QTest::addColumn<QPointF>("click");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<Position>("added");
        const QStringList all{"Full", "Address", "Position", "Rotate", "Reset", "Close"};
        const QStringList empty{"New Window"};
        QTest::newRow("free window") << 0 << 0 << QPointF(50, 50) << all << Position();
        QTest::newRow("unit window") << 0 << 1 << QPointF(50, 50)
                                     << QStringList{"Full", "Address", "Rotate", "Reset", "Close"}
                                     << Position();
        QTest::newRow("empty wall") << 0 << 0 << QPointF(640, 360) << empty << Position(0, 0, 3840, 2160);
        QTest::newRow("other scene type")
            << 3 << 0 << QPointF(200, 50) << empty << Position(1200, 300, 1920, 1080);
        QTest::newRow("held inside") << 3 << 0 << QPointF(500, 300) << empty
                                     << Position(1920, 1080, 1920, 1080);
        QTest::newRow("outside the wall")
            << 0 << 0 << QPointF(660, 100) << QStringList{"no menu"} << Position();
    }
    void menus()
    {
        QFETCH(int, sceneType);
        QFETCH(int, type);
        QFETCH(QPointF, click);
        QFETCH(QStringList, entries);
        QFETCH(Position, added);
        AppStatus::theAppStatus()->setSceneType(sceneType);
        AppStatus::theAppStatus()->setOpenModel(type == 0);
        Wall wall;
        QVERIFY(wall.ready());
        wall.load({record(unit, -1, type)});
        QSignalSpy spy(wall.pScene, SIGNAL(onpositionchanged(Position)));
        QCOMPARE(useMenu(wall, click, "New Window"), entries);
        const bool isAdded = added != Position();
        QCOMPARE(wall.pScene->windows().size(), isAdded ? 2 : 1);
        if (isAdded) {
            QCOMPARE(wall.wnd(1)->position(), added);
            QVERIFY(wall.wnd(1)->type() == 1 && wall.wnd(1)->isVisible() && !wall.wnd(1)->isSelected());
            QCOMPARE(spy.size(), 1);
        }
        QCOMPARE(wire(), QByteArray());
    }

    // The window menu's entries, and the resolution and mode actions on the window last clicked.
    void windowCommands_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("sceneType");
        QTest::addColumn<Address>("address");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<Position>("after");
        QTest::addColumn<QByteArray>("frames");
        const Position start(600.7, 300, 960, 540);
        const QStringList numbers{"100", "200", "300", "400"};
        const Address addr(3, 0);
        const Address zero(0, 0);
        QTest::newRow("Full") << "Full" << 0 << addr << QStringList() << Position(0, 0, 3840, 2160)
                              << posFrame(3, 0, 0, 3840, 2160);
        QTest::newRow("Full, portrait") << "Full" << 1 << addr << QStringList() << Position(0, 0, 2160, 3840)
                                        << posFrame(3, 0, 0, 3840, 2160);
        QTest::newRow("Position") << "Position" << 0 << addr << numbers << Position(100, 200, 300, 400)
                                  << posFrame(3, 100, 200, 300, 400);
        QTest::newRow("Position, portrait")
            << "Position" << 1 << addr << numbers << Position(100, 200, 300, 400)
            << posFrame(3, 200, 100, 400, 300);
        QTest::newRow("Position unchecked") << "Position" << 0 << addr << QStringList{"-50", "9000", "1", "0"}
                                            << Position(-50, 9000, 1, 0) << posFrame(3, -50, 9000, 1, 0);
        QTest::newRow("Position at (0, 0)") << "Position" << 0 << zero << numbers << start << QByteArray();
        QTest::newRow("Position cancelled")
            << "Position" << 0 << addr << QStringList{"cancel"} << start << QByteArray();
        QTest::newRow("Rotate") << "Rotate" << 0 << addr << QStringList{"180"} << start << rotFrame(3, 2);
        QTest::newRow("Reset") << "Reset" << 0 << addr << QStringList() << start
                               << packFrame(CommandPacket().makeReset(3));
        QTest::newRow("Reset without address")
            << "Reset" << 0 << Address() << QStringList() << start << QByteArray();
        QTest::newRow("Resolution") << "Resolution" << 0 << Address(3, 1) << QStringList{"1280*720"} << start
                                    << packFrame(CommandPacket().makeResolution(1, 3, 1));
        QTest::newRow("Resolution without address")
            << "Resolution" << 0 << Address() << QStringList{"1024*768"} << start << QByteArray();
        QTest::newRow("Mode HDMI") << "Mode" << 0 << addr << QStringList{"HDMI"} << start
                                   << packFrame(CommandPacket().makeInputMode(2));
        QTest::newRow("Mode DVI") << "Mode" << 0 << addr << QStringList{"DVI"} << start
                                  << packFrame(CommandPacket().makeInputMode(3));
        QTest::newRow("Mode at (0, 0)")
            << "Mode" << 0 << zero << QStringList{"HDMI"} << start << QByteArray();
    }
    void windowCommands()
    {
        QFETCH(QString, entry);
        QFETCH(int, sceneType);
        QFETCH(Address, address);
        QFETCH(QStringList, inputs);
        QFETCH(Position, after);
        QFETCH(QByteArray, frames);
        AppStatus::theAppStatus()->setSceneType(sceneType);
        Wall wall;
        QVERIFY(wall.ready());
        wall.load({record(Position(600.7, 300, 960, 540), -1, 0)});
        wall.wnd(0)->setAddress(address.first, address.second);
        QStringList shown;
        expectDialog(inputs, &shown);
        MessageCapture capture;
        if (!useMenu(wall, QPointF(110, 60), entry).contains(entry)) {
            for (QAction *pAction : wall.pScene->menuActions()) {
                if (pAction->text() == entry)
                    pAction->trigger();
            }
        }
        QCOMPARE(wall.wnd(0)->position(), after);
        QCOMPARE(wire(), frames);
        if (entry == "Position") {
            QCOMPARE(shown, (QStringList{"600", "300", "960", "540"}));
            QCOMPARE(capture.contains("XXX"), address == Address(0, 0));
        }
        QCOMPARE(wall.wnd(0)->rotate(), entry == "Rotate" ? 2 : 0);
    }

    void addressConflict_data()
    {
        QTest::addColumn<Address>("other");
        QTest::addColumn<Address>("own");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("warned");
        QTest::newRow("taken") << Address(5, 0) << Address(7, 0) << "5" << true;
        QTest::newRow("free") << Address(5, 0) << Address(7, 0) << "6" << false;
        QTest::newRow("(0, 0) never conflicts") << Address(0, 0) << Address(0, 0) << "0" << false;
    }
    void addressConflict()
    {
        QFETCH(Address, other);
        QFETCH(Address, own);
        QFETCH(QString, typed);
        QFETCH(bool, warned);
        Wall wall;
        QVERIFY(wall.ready());
        // The other window belongs to the standard model and is hidden: it counts all the same.
        wall.load({record(unit, -1, 1), record(unit, -1, 0)});
        wall.wnd(0)->setAddress(other.first, other.second);
        wall.wnd(1)->setAddress(own.first, own.second);
        expectDialog({typed});
        QStringList box;
        whenShown<QMessageBox>([&box](QMessageBox *pBox) {
            box << pBox->windowTitle() << pBox->text();
            pBox->accept();
        });
        useMenu(wall, QPointF(50, 50), "Address");
        QCOMPARE(box,
                 warned ? QStringList({"Waring", "Address conflict, setting is failed!"}) : QStringList());
        QCOMPARE(wall.wnd(1)->address(), warned ? own : Address(typed.toInt(), own.second));
        QCOMPARE(wall.wnd(0)->address(), other);
        QCOMPARE(wire(), QByteArray());
    }

    void rubberBand_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<bool>("open");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QPointF>("from");
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<QRectF>("result");
        QTest::newRow("up and left") << 1.0 << true << false << QPointF(100, 50) << QPointF(60, 20)
                                     << QRectF(60, 20, 40, 30);
        QTest::newRow("16 square") << 10.0 << true << false << QPointF(30, 30) << QPointF(46, 46)
                                   << QRectF(30, 30, 16, 16);
        QTest::newRow("15.9 wide") << 10.0 << true << false << QPointF(30, 10) << QPointF(45.9, 30)
                                   << QRectF();
        QTest::newRow("leaving the wall")
            << 1.0 << true << false << QPointF(500, 300) << QPointF(660, 380) << QRectF(500, 300, 80, 40);
        QTest::newRow("standard model")
            << 1.0 << false << false << QPointF(300, 200) << QPointF(400, 300) << QRectF();
        QTest::newRow("window selected")
            << 1.0 << true << true << QPointF(300, 200) << QPointF(400, 300) << QRectF();
    }
    void rubberBand()
    {
        QFETCH(double, scale);
        QFETCH(bool, open);
        QFETCH(bool, selected);
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        QFETCH(QRectF, result);
        AppStatus::theAppStatus()->setOpenModel(open);
        Wall wall(scale);
        QVERIFY(wall.ready());
        wall.load({record(Position(3360, 0, 480, 240), -1, 0)});
        wall.wnd(0)->setSelected(selected);
        QSignalSpy spy(wall.pScene, SIGNAL(onpositionchanged(Position)));
        MessageCapture capture;
        wall.mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        // The last move of "leaving the wall" is outside and leaves the band as it was.
        wall.mouse(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        wall.mouse(QEvent::MouseMove, to, Qt::LeftButton);
        QList<QGraphicsRectItem *> bands;
        for (QGraphicsItem *pItem : wall.pScene->items()) {
            if (auto *pBand = qgraphicsitem_cast<QGraphicsRectItem *>(pItem))
                bands << pBand;
        }
        QCOMPARE(bands.size(), open && !selected ? 1 : 0);
        if (!bands.isEmpty())
            QVERIFY(bands[0]->pen().style() == Qt::DashLine && bands[0]->zValue() == 3.0);
        QCOMPARE(capture.startingWith("mouseMoveEvent::event->scenePos()").isEmpty(), !open);
        wall.mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
        QVERIFY(capture.contains("mouseReleaseEvent SpliceScene "));
        QCOMPARE(wall.pScene->items().size(), wall.pScene->windows().size());
        QCOMPARE(wall.pScene->windows().size(), result.isNull() ? 1 : 2);
        QVERIFY(!wall.wnd(0)->isSelected());
        if (!result.isNull()) {
            UnitWnd *pWnd = wall.wnd(1);
            QCOMPARE(QRectF(pWnd->scenePos(), pWnd->boundingRect().size()), result);
            const Position pos(result.x() * 6, result.y() * 6, result.width() * 6, result.height() * 6);
            QCOMPARE(pWnd->position(), pos);
            QVERIFY(pWnd->type() == 0 && pWnd->address() == Address() && !pWnd->isSelected());
            QCOMPARE(spy.size(), 1);
            QCOMPARE(spy.first().first().value<Position>(), pos);
        }
        QCOMPARE(wire(), QByteArray());
    }

    void rebuild_data()
    {
        QTest::addColumn<int>("sceneType");
        QTest::addColumn<bool>("open");
        QTest::addColumn<QList<WndRecord>>("layout");
        QTest::addColumn<QList<bool>>("visible");
        QTest::addColumn<QByteArray>("frames");
        const Position pos(100, 200, 300, 400);
        const QList<WndRecord> both{record(unit, 0, 0, 0, 0), record(pos, 0, 1, 1, 0)};
        const QByteArray second = posFrame(0, 100, 200, 300, 400) + rotFrame(0, 1);
        QTest::newRow("standard model") << 0 << false << both << QList<bool>{false, true} << second;
        QTest::newRow("open model") << 0 << true << both << QList<bool>{true, false} << second;
        QTest::newRow("type 5 at (0, 0)")
            << 0 << false << QList<WndRecord>{record(pos, 0, 5, 0, 0)} << QList<bool>{true} << QByteArray();
        QTest::newRow("type 5 at (4, 0)")
            << 0 << false << QList<WndRecord>{record(pos, 4, 5, 3, 0)} << QList<bool>{true}
            << posFrame(4, 100, 200, 300, 400) + rotFrame(4, 3);
        QTest::newRow("portrait") << 1 << true << QList<WndRecord>{record(pos, 3, 0)} << QList<bool>{true}
                                  << posFrame(3, 200, 100, 400, 300) + rotFrame(3, 0);
        QTest::newRow("fractions and absurd values")
            << 0 << true
            << QList<WndRecord>{record(Position(10.9, -20.9, 1e308, -5e9), 3, 0),
                                record(Position(0, 0, 5e9, 4e9), 3, 0)}
            << QList<bool>{true, true}
            << posFrame(3, 10, -20, INT_MAX, INT_MIN) + rotFrame(3, 0) + posFrame(3, 0, 0, INT_MAX, INT_MAX) +
                   rotFrame(3, 0);
    }
    void rebuild()
    {
        QFETCH(int, sceneType);
        QFETCH(bool, open);
        QFETCH(QList<WndRecord>, layout);
        QFETCH(QList<bool>, visible);
        QFETCH(QByteArray, frames);
        AppStatus::theAppStatus()->setSceneType(sceneType);
        AppStatus::theAppStatus()->setOpenModel(open);
        Wall wall;
        QVERIFY(wall.ready());
        wall.pScene->slotAddWnd();
        QSignalSpy spy(wall.pScene, SIGNAL(onpositionchanged(Position)));
        wall.load(layout);
        QCOMPARE(wall.visibility(), visible);
        for (int i = 0; i < layout.size(); ++i) {
            const WndRecord &rec = layout.at(i);
            QCOMPARE(wall.wnd(i)->type(), rec.type == 0 ? 0 : 1);
            QCOMPARE(wall.wnd(i)->position(), Position(rec.x, rec.y, rec.width, rec.height));
            QCOMPARE(wall.wnd(i)->address(), Address(rec.address, rec.subAddress));
            QCOMPARE(wall.wnd(i)->rotate(), rec.rotate);
        }
        QCOMPARE(wire(), frames);
        QCOMPARE(spy.size(), 0);
        QVERIFY(wall.pScene->selectedItems().isEmpty());
        QVERIFY(!wall.view.grab().isNull());
    }

    void standardGrid_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QList<Position>>("grid");
        QTest::newRow("2 x 3") << 2 << 3
                               << QList<Position>{{0, 0, 1280, 1080},       {1280, 0, 1280, 1080},
                                                  {2560, 0, 1280, 1080},    {0, 1080, 1280, 1080},
                                                  {1280, 1080, 1280, 1080}, {2560, 1080, 1280, 1080}};
        QTest::newRow("no rows") << 0 << 3 << QList<Position>();
        QTest::newRow("beyond a wall") << 2 << 100000 << QList<Position>();
    }
    void standardGrid()
    {
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(QList<Position>, grid);
        AppStatus::theAppStatus()->setSpliceRow(rows);
        AppStatus::theAppStatus()->setSpliceColumn(columns);
        Wall wall;
        QVERIFY(wall.ready());
        wall.load({record(unit, -1, 0)});
        UnitWnd *pFree = wall.wnd(0);
        wall.pScene->slotAddWnd();
        for (bool bOpen : {false, true, false}) {
            AppStatus::theAppStatus()->setOpenModel(bOpen);
            wall.pScene->applyOpenModel(bOpen);
            QCOMPARE(wall.wnd(0), pFree);
            QCOMPARE(pFree->isVisible(), bOpen);
            QList<Position> built;
            for (UnitWnd *pWnd : wall.pScene->windows().mid(1)) {
                QVERIFY(pWnd->type() == 1 && pWnd->isVisible() && pWnd->address() == Address());
                built << pWnd->position();
            }
            QCOMPARE(built, bOpen ? QList<Position>() : grid);
        }
        QCOMPARE(wire(), QByteArray());
        wall.pScene->saveModel("grid.json");
        QCOMPARE(readLayout("grid.json").size(), grid.size());
    }

    // A layout loaded, a window closed, the rest saved, the wall cleared and the saved layout loaded again.
    void closeSaveAndLoad()
    {
        const QList<WndRecord> layout{record(Position(10.5, 20, 300, 400), 3, 0, 1),
                                      record(Position(1920, 1080, 960, 540), 4, 0, 3), record(unit, 5, 0)};
        writeLayout("first.json", layout);
        Wall wall;
        QVERIFY(wall.ready());
        wall.pScene->loadModel("first.json");
        const QByteArray kept = posFrame(3, 10, 20, 300, 400) + rotFrame(3, 1) +
                                posFrame(4, 1920, 1080, 960, 540) + rotFrame(4, 3);
        QCOMPARE(wire(), kept + posFrame(5, 0, 0, 960, 540) + rotFrame(5, 0));
        useMenu(wall, QPointF(40, 80), "Close");
        QCOMPARE(wire(), QByteArray());
        QCOMPARE(wall.pScene->windows().size(), 2);
        wall.pScene->saveModel("second.json");
        wall.pScene->removeAllWnd();
        QVERIFY(wall.pScene->windows().isEmpty() && wall.pScene->items().isEmpty());
        wall.pScene->loadModel("second.json");
        QCOMPARE(readLayout("second.json"), layout.mid(0, 2));
        QCOMPARE(wire(), kept);
        QCOMPARE(wall.wnd(1)->position(), Position(1920, 1080, 960, 540));
        QCOMPARE(wall.wnd(0)->address(), Address(3, -1));
    }

    void loadingNeverWrites_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("windows");
        QTest::newRow("missing") << QByteArray() << 1;
        QTest::newRow("empty") << QByteArray("") << 1;
        QTest::newRow("no items") << QByteArray("{\"items\":[],\"other\":1}") << 1;
        QTest::newRow("a layout") << QByteArray("{\"items\":[{},{}], \"other\" : 1}\n") << 2;
    }
    void loadingNeverWrites()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, windows);
        const QDateTime past(QDate(2020, 1, 2), QTime(3, 4));
        QFile file("loaded.json");
        file.remove();
        if (!content.isNull()) {
            QVERIFY(file.open(QIODevice::ReadWrite) && file.write(content) == content.size() && file.flush());
            QVERIFY(file.setFileTime(past, QFileDevice::FileModificationTime));
            file.close();
        }
        Wall wall;
        QVERIFY(wall.ready());
        wall.pScene->slotAddWnd();
        const QPointer<UnitWnd> pBefore = wall.wnd(0);
        wall.pScene->loadModel("loaded.json");
        QCOMPARE(wall.pScene->windows().size(), windows);
        QCOMPARE(!pBefore.isNull(), windows == 1);
        QCOMPARE(file.exists(), !content.isNull());
        if (file.open(QIODevice::ReadOnly)) {
            QCOMPARE(file.readAll(), content);
            QCOMPARE(file.fileTime(QFileDevice::FileModificationTime), past);
        }
    }

    void stateFileAcrossRuns()
    {
        AppStatus::theAppStatus()->setOpenModel(false);
        writeLayout(stateFile, {record(unit, 3, 0), record(Position(100, 200, 300, 400), 0, 1)});
        {
            Wall wall;
            QCOMPARE(wall.visibility(), (QList<bool>{false, true}));
            QCOMPARE(wire(), posFrame(3, 0, 0, 960, 540) + rotFrame(3, 0) + posFrame(0, 100, 200, 300, 400) +
                                 rotFrame(0, 0));
            wall.wnd(1)->setRotate(2);
        }
        QCOMPARE(readLayout(stateFile), (QList<WndRecord>{record(Position(100, 200, 300, 400), 0, 1, 2)}));
        Wall wall;
        QCOMPARE(wall.pScene->windows().size(), 1);
        QCOMPARE(wall.wnd(0)->position(), Position(100, 200, 300, 400));
        QCOMPARE(wire(), posFrame(0, 100, 200, 300, 400) + rotFrame(0, 2));
    }

    // Numbers beyond the int range from a layout file reach the wire, the dialog, the painted texts and the
    // snap held to that range.
    void absurdNumbersStayInRange()
    {
        QCOMPARE(UnitWnd::textLines(Address(3, 0), Position(1e308, -1e308, 5e9, 2.5), 0),
                 (QStringList{"LED Setting:3", "Position:2147483647,-2147483648", "Size:2147483647,3"}));
        QCOMPARE(UnitWnd::fontPointSize(8e8, 7e8), 49000000);
        QCOMPARE(UnitWnd::fontPointSize(1e308, 1e308), 150323855);
        Wall wall;
        QVERIFY(wall.ready());
        wall.load({record(Position(0, 0, 5e9, -4e9), 3, 0)});
        wire();
        QStringList shown;
        expectDialog({"cancel"}, &shown);
        wall.pScene->setFocusItem(wall.wnd(0));
        wall.pScene->slotPosition();
        QCOMPARE(shown, (QStringList{"0", "0", "2147483647", "-2147483648"}));
        QTest::keyRelease(&wall.view, Qt::Key_A);
        QCOMPARE(wire(), posFrame(3, 0, 0, INT_MAX, INT_MIN));
        wall.wnd(0)->setPosition(Position(0, 0, 5e9, 4e9));
        QVERIFY(wall.wnd(0)->snapToUnits());
        QCOMPARE(wall.wnd(0)->position(), Position(0, 0, 5000000320., 4000000140.));
    }

    // The controller needs a pause between a rebuilt window's position and its rotation; it is kept with the
    // port closed too. Lower bounds only.
    void rebuildPausesBeforeRotation()
    {
        writeLayout(stateFile, {record(unit, 3, 0, 1)});
        const int positionSize = posFrame(3, 0, 0, 960, 540).size();
        qint64 gap = -1;
        QThread *pReader = QThread::create([this, positionSize, &gap] {
            if (m_pPty->readBytes(positionSize, 5000).size() != positionSize)
                return;
            QElapsedTimer timer;
            timer.start();
            // An answer at once keeps the link from waiting for one, so only the pauses remain.
            m_pPty->write(QByteArray(1, '\0'));
            if (m_pPty->readBytes(rotFrame(3, 1).size(), 5000) == rotFrame(3, 1))
                gap = timer.elapsed();
        });
        pReader->start();
        delete new SpliceScene;
        QVERIFY(pReader->wait(10000));
        delete pReader;
        QVERIFY2(gap >= 90, qPrintable(QString::number(gap)));

        SerialLink::theSerialLink()->close();
        writeLayout(stateFile, {record(unit, 3, 0), record(unit, 4, 0), record(unit, 5, 0)});
        QElapsedTimer timer;
        timer.start();
        delete new SpliceScene;
        QVERIFY(timer.elapsed() >= 3 * 90);
    }
};

QTEST_MAIN(TestSpliceScene)
#include "tst_splicescene.moc"
