// The splice view frame: grid, outline and marks, scene types and zoom, selection, edits, numbered layouts.
#include "address.h"
#include "appstatus.h"
#include "markingtranslator.h"
#include "messagecapture.h"
#include "modelfile.h"
#include "position.h"
#include "spliceframe.h"
#include "splicescene.h"
#include "testdir.h"
#include "unitwnd.h"

#include <QAction>
#include <QFile>
#include <QGraphicsLineItem>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QtTest>

namespace {

const double portraitScale = 0.5743491774985174;

void setSceneType(int nType)
{
    AppStatus::theAppStatus()->setSceneType(nType);
}

// Replaces the scene's windows as a stored layout would.
void loadWindows(SpliceFrmae &frame, const QList<WndRecord> &records)
{
    ModelFile model(QStringLiteral("never-written.json"), false);
    model.setItems(records);
    frame.scene()->loadConfig(&model);
}

QList<Position> positions(SpliceFrmae &frame)
{
    QList<Position> result;
    for (UnitWnd *pWnd : frame.scene()->windows())
        result << pWnd->position();
    return result;
}

} // namespace

class TestSpliceFrame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testdir::enterFresh();
        qRegisterMetaType<Position>("Position");
        qRegisterMetaType<Address>("Address");
    }

    void init()
    {
        QFile::remove(QStringLiteral("SpliceState.data"));
        AppStatus *status = AppStatus::theAppStatus();
        setSceneType(0);
        status->setSceneRow(12);
        status->setSceneColumn(12);
        status->setOpenModel(true);
    }

    void grid_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("verticals");
        QTest::addColumn<int>("horizontals");
        QTest::newRow("12 x 12") << 12 << 12 << 11 << 11;
        QTest::newRow("1 x 1") << 1 << 1 << 0 << 0;
        QTest::newRow("no rows") << 0 << 7 << 6 << 0;
        QTest::newRow("no columns") << 5 << 0 << 0 << 4;
        QTest::newRow("negative") << -3 << -1 << 0 << 0;
        QTest::newRow("beyond any wall") << 2147483647 << 641 << 0 << 0;
        QTest::newRow("one line per pixel") << 360 << 640 << 639 << 359;
    }

    void grid()
    {
        QFETCH(int, rows);
        QFETCH(int, columns);
        QFETCH(int, verticals);
        QFETCH(int, horizontals);
        SpliceFrmae frame;
        AppStatus::theAppStatus()->setSceneRow(rows);
        AppStatus::theAppStatus()->setSceneColumn(columns);
        frame.updateSceneUnit();

        QList<QLineF> vertical;
        QList<QLineF> horizontal;
        for (QGraphicsLineItem *line : frame.gridLines()) {
            QList<QLineF> &lines = line->line().x1() == line->line().x2() ? vertical : horizontal;
            lines << line->line();
            // Every third line of each direction is solid.
            const bool solid = lines.size() % 3 == 0;
            QCOMPARE(line->pen().style(), solid ? Qt::SolidLine : Qt::DashLine);
            QCOMPARE(line->pen().widthF(), solid ? 0.8 : 0.5);
            QCOMPARE(line->zValue(), 0.1);
            QCOMPARE(line->scene(), frame.scene());
        }
        QCOMPARE(vertical.size(), verticals);
        QCOMPARE(horizontal.size(), horizontals);
        // Cells are whole scene units: with 12 columns the last is the wider one.
        for (int i = 0; i < verticals; ++i)
            QCOMPARE(vertical.at(i), QLineF((i + 1) * (640 / columns), 0, (i + 1) * (640 / columns), 360));
        for (int j = 0; j < horizontals; ++j)
            QCOMPARE(horizontal.at(j), QLineF(0, (j + 1) * (360 / rows), 640, (j + 1) * (360 / rows)));
        if (columns == 12)
            QCOMPARE(vertical.last().x1(), 583.0);

        // Redrawing replaces the grid; outline and marks stay as they are.
        frame.updateSceneUnit();
        int onScene = 0;
        for (QGraphicsItem *item : frame.scene()->items())
            onScene += qgraphicsitem_cast<QGraphicsLineItem *>(item) ? 1 : 0;
        QCOMPARE(onScene, verticals + horizontals + 4 + 8);
    }

    void sceneTypes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<double>("scale");
        QTest::newRow("landscape") << 0 << QSizeF(640, 360) << QStringList{"3840", "2160"} << 1.0;
        QTest::newRow("portrait") << 1 << QSizeF(360, 640) << QStringList{"1080", "1920"} << portraitScale;
        QTest::newRow("stretch") << 2 << QSizeF(640, 360) << QStringList{"1080", "1920"} << 1.0;
    }

    void sceneTypes()
    {
        QFETCH(int, type);
        QFETCH(QSizeF, size);
        QFETCH(QStringList, labels);
        QFETCH(double, scale);
        setSceneType(type == 0 ? 2 : 0);
        SpliceFrmae frame;
        loadWindows(frame, {{0, 0, 960, 540, 3, 0, 0, 0}});

        // The same type again changes nothing.
        frame.onChangSceneType(type == 0 ? 2 : 0, type == 0 ? 2 : 0);
        QCOMPARE(frame.scene()->windows().size(), 1);

        MessageCapture capture;
        const int oldType = AppStatus::theAppStatus()->sceneType();
        setSceneType(type);
        frame.onChangSceneType(oldType, type);
        QVERIFY(capture.contains(QStringLiteral("onChangSceneType %1 %2").arg(oldType).arg(type)));
        QVERIFY(frame.scene()->windows().isEmpty());
        QVERIFY(frame.scene()->items().size() > 0);

        QCOMPARE(frame.scene()->sceneRect(), QRectF(QPointF(0, 0), size));
        QCOMPARE(frame.view()->transform(), QTransform::fromScale(scale, scale));
        QCOMPARE(frame.borderLines().size(), 4);
        QCOMPARE(frame.borderLines().at(1)->line(), QLineF(size.width(), 0, size.width(), size.height()));
        const QList<QGraphicsItem *> marks = frame.dimensionMarks();
        QCOMPARE(marks.size(), 10);
        const int w = int(size.width());
        const int h = int(size.height());
        QCOMPARE(static_cast<QGraphicsLineItem *>(marks.at(4))->line(),
                 QLineF(w + 14, 4, w + 14, h / 2 - 20));
        auto *widthLabel = static_cast<QGraphicsTextItem *>(marks.at(8));
        auto *heightLabel = static_cast<QGraphicsTextItem *>(marks.at(9));
        QCOMPARE((QStringList{widthLabel->toPlainText(), heightLabel->toPlainText()}), labels);
        QCOMPARE(heightLabel->pos(), QPointF(w + 26, h / 2 - 18));
        QCOMPARE(heightLabel->rotation() - widthLabel->rotation(), 90.0);

        // Maximise doubles the view, restore returns to identity, also from the portrait scale.
        frame.onChangedSize(1);
        QCOMPARE(frame.view()->transform(), QTransform::fromScale(2 * scale, 2 * scale));
        frame.onChangedSize(0);
        QCOMPARE(frame.view()->transform(), QTransform());
    }

    void selectionAndEdits()
    {
        SpliceFrmae frame;
        loadWindows(frame, {{60, 120, 960, 540, 5, 7, 0, 0}, {0, 0, 1280, 1080, 9, 9, 1, 0}});
        UnitWnd *pFree = frame.scene()->windows().at(0);
        UnitWnd *pGrid = frame.scene()->windows().at(1);
        pGrid->setVisible(true);
        QSignalSpy spy(&frame, SIGNAL(selectedChanged(Position, Address, int)));

        MessageCapture capture;
        pFree->setSelected(true);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.at(0).at(0).value<Position>(), Position(60, 120, 960, 540));
        QCOMPARE(spy.at(0).at(1).value<Address>(), Address(5, 7));
        QCOMPARE(spy.at(0).at(2).toInt(), 0);
        QVERIFY(capture.contains("pos 60 120 960 540"));
        QVERIFY(capture.contains("address 0 5 7"));

        frame.onSetAddr(11, 2);
        frame.onSetPos(Position(600, 300, 1200, 600));
        QCOMPARE(pFree->address(), Address(11, 2));
        QCOMPARE(pFree->pos(), QPointF(100, 50));
        QCOMPARE(pFree->position(), Position(600, 300, 1200, 600));

        // A grid window keeps its address but takes a position; without selection nothing changes.
        pFree->setSelected(false);
        QCOMPARE(spy.size(), 1);
        pGrid->setSelected(true);
        QCOMPARE(spy.last().at(2).toInt(), 1);
        frame.onSetAddr(4, 4);
        frame.onSetPos(Position(0, 0, 640, 360));
        QCOMPARE(pGrid->address(), Address(9, 9));
        QCOMPARE(pGrid->position(), Position(0, 0, 640, 360));
        frame.scene()->clearSelection();
        frame.onSetAddr(1, 1);
        frame.onSetPos(Position(6, 6, 60, 60));
        QCOMPARE(pFree->address(), Address(11, 2));
        QCOMPARE(pFree->position(), Position(600, 300, 1200, 600));

        // The scene's menu follows the language.
        MarkingTranslator translator;
        translator.setInstalled(true);
        QCOMPARE(frame.scene()->menuActions().first()->text(), QStringLiteral("SpliceScene:New Window"));
        translator.setInstalled(false);
    }

    // Items keep pictures of themselves; after a change the view must show what painting afresh shows.
    void viewShowsChanges_data()
    {
        QTest::addColumn<QString>("change");
        for (const char *change : {"type", "arrow key", "language"})
            QTest::newRow(change) << QString::fromLatin1(change);
    }
    void viewShowsChanges()
    {
        QFETCH(QString, change);
        SpliceFrmae frame;
        frame.resize(800, 450);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        loadWindows(frame, {{60, 120, 960, 540, 5, 0, 0, 0}, {1200, 600, 960, 540, 6, 0, 0, 0}});
        UnitWnd *pWnd = frame.scene()->windows().at(0);
        QWidget *pViewport = frame.view()->viewport();
        // Taking the focus repaints a window too.
        frame.scene()->setFocusItem(pWnd);
        QCoreApplication::processEvents();
        pViewport->repaint();

        MarkingTranslator translator;
        if (change == "type") {
            pWnd->setType(1);
        } else if (change == "arrow key") {
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
            QCoreApplication::sendEvent(frame.scene(), &release);
            QCOMPARE(pWnd->position().x, 62.0);
        } else {
            translator.setInstalled(true);
        }
        QCoreApplication::processEvents();
        const QImage shown = pViewport->grab().toImage();
        for (QGraphicsItem *item : frame.scene()->items())
            item->setCacheMode(QGraphicsItem::NoCache);
        const QImage afresh = pViewport->grab().toImage();
        QCoreApplication::removeTranslator(&translator);
        QVERIFY(shown == afresh);
    }

    void numberedLayouts()
    {
        QCOMPARE(SpliceFrmae::sceneFileName(15), QStringLiteral("Scene16.data"));
        SpliceFrmae frame;
        const QList<Position> saved{{0, 0, 960, 540}, {960, 540, 1920, 1080}};
        loadWindows(frame, {{0, 0, 960, 540, 1, 0, 0, 0}, {960, 540, 1920, 1080, 2, 0, 0, 0}});
        frame.onSaveModel(0);
        frame.onSaveModel(-1);
        frame.onSaveModel(16);
        QVERIFY(QFile::exists("Scene01.data"));
        QCOMPARE(QDir().entryList({"Scene*"}), QStringList{"Scene01.data"});

        frame.scene()->removeAllWnd();
        frame.onLoadModel(16);
        frame.onLoadModel(3);
        QVERIFY(frame.scene()->windows().isEmpty());
        frame.onLoadModel(0);
        QCOMPARE(positions(frame), saved);
        QCOMPARE(frame.scene()->windows().at(1)->address(), Address(2, -1));
    }
};

QTEST_MAIN(TestSpliceFrame)
#include "tst_spliceframe.moc"
