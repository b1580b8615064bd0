// What a wall of 256 windows costs while the operator works on it, in the splice view of a real main
// window (offscreen platform, the program's style sheet and font):
// - dragging one window across the wall: mouse moves with the left button held are sent to the view's
//   viewport, each followed by QCoreApplication::processEvents, so that every move is handled and its
//   frame painted before the next;
// - drawing a new window with the rubber band over the same wall, the same way;
// - full repaints of the view (viewport()->repaint()).
// The drag is measured once more with the position panel no longer told of the moves, which shows what
// its live numbers cost.
// The wall is given to the scene as records (type 0, address (0, 0)), so nothing is sent and nothing
// pauses while it is built. Arguments "drag", "band" or "repaint" run that part alone (for a profiler).
#include "benchcommon.h"
#include "mainwindow.h"
#include "modelfile.h"
#include "spliceframe.h"
#include "splicescene.h"
#include "unitwnd.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsView>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <functional>

namespace {

const int wallSide = 16;
const int sampleCount = 5;
const int movesPerSample = 1000;
const int repaintsPerSample = 200;

class PaintCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

void sendMouse(QWidget *pViewport, QEvent::Type type, const QPoint &point, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, point, pViewport->mapToGlobal(point), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(pViewport, &event);
}

// Points that sweep to and fro across the wall along the line y, one scene unit and a half apart.
QPointF sweep(int nStep, double dY, double dLeft, double dRight)
{
    const double span = dRight - dLeft;
    const double travel = std::fmod(nStep * 1.5, 2 * span);
    return QPointF(travel < span ? dLeft + travel : dRight - (travel - span), dY);
}

struct Rates
{
    double perSecond;
    double framesPerMove;
};

// One press, movesPerSample moves along the path, one release; the rate of handled moves.
Rates drag(QGraphicsView *pView, const QPointF &press, const std::function<QPointF(int)> &path,
           PaintCounter *pCounter)
{
    QWidget *pViewport = pView->viewport();
    const QPoint start = pView->mapFromScene(press);
    sendMouse(pViewport, QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
    sendMouse(pViewport, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    QCoreApplication::processEvents();
    pCounter->count = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < movesPerSample; ++i) {
        sendMouse(pViewport, QEvent::MouseMove, pView->mapFromScene(path(i)), Qt::NoButton, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    const int frames = pCounter->count;
    sendMouse(pViewport, QEvent::MouseButtonRelease, pView->mapFromScene(path(movesPerSample - 1)),
              Qt::LeftButton, Qt::NoButton);
    QCoreApplication::processEvents();
    return {movesPerSample / seconds, double(frames) / movesPerSample};
}

QString perSecond(double dValue)
{
    return QStringLiteral("%1 /s").arg(dValue, 0, 'f', 0);
}

} // namespace

int main(int argc, char **argv)
{
    Q_INIT_RESOURCE(resources);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        return 1;
    bench::writeSettings(dir.path(), "openModel=true\n");
    qInstallMessageHandler(bench::quietMessages);

    QApplication app(argc, argv);
    const QStringList parts = app.arguments().mid(1);
    auto isRunning = [&parts](const char *part) { return parts.isEmpty() || parts.contains(part); };
    bench::applyProgramLook();
    MainWindow window(nullptr);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto *pFrame = window.findChild<SpliceFrmae *>();
    auto *pView = pFrame->findChild<QGraphicsView *>();
    auto *pScene = static_cast<SpliceScene *>(pView->scene());
    // The wall's windows in the order they were added.
    auto windows = [pScene] {
        QList<UnitWnd *> found;
        for (QGraphicsItem *pItem : pScene->items(Qt::AscendingOrder)) {
            if (auto *pWnd = dynamic_cast<UnitWnd *>(pItem))
                found << pWnd;
        }
        return found;
    };

    // Three quarters of every cell: the gaps leave room for the rubber band to start.
    QList<WndRecord> records = bench::wallRecords(wallSide, wallSide, 0.75);
    for (WndRecord &record : records)
        record.subAddress = 0;
    {
        ModelFile wall(QStringLiteral("wall.json"), false);
        wall.setItems(records);
        pScene->loadConfig(&wall);
    }
    QCoreApplication::processEvents();
    if (windows().size() != wallSide * wallSide)
        return 1;

    PaintCounter counter;
    pView->viewport()->installEventFilter(&counter);
    const QRectF wallRect = pScene->sceneRect();

    // The window in the middle of the wall, dragged by its inside from one side of the wall to the other.
    UnitWnd *pWnd = windows().at(wallSide * wallSide / 2 + wallSide / 2);
    const QRectF wndRect(pWnd->scenePos(), pWnd->boundingRect().size());
    QVector<double> dragRates;
    double dragFrames = 0;
    QPointF grip = wndRect.center();
    for (int s = 0; s < sampleCount && isRunning("drag"); ++s) {
        const double y = grip.y();
        const Rates rates = drag(
            pView, grip, [&](int i) { return sweep(i, y, 10, wallRect.width() - 10); }, &counter);
        dragRates << rates.perSecond;
        dragFrames = rates.framesPerMove;
        grip = QRectF(pWnd->scenePos(), pWnd->boundingRect().size()).center();
    }
    const bool hasMoved =
        !isRunning("drag") || QRectF(pWnd->scenePos(), pWnd->boundingRect().size()) != wndRect;

    // A band from the gap at the wall's top-left corner, swept over the windows and back to a small band
    // that creates nothing on release.
    pScene->clearSelection();
    QVector<double> bandRates;
    double bandFrames = 0;
    const QPointF corner(1, 1);
    for (int s = 0; s < sampleCount && isRunning("band"); ++s) {
        const Rates rates = drag(
            pView, corner,
            [&](int i) {
                if (i == movesPerSample - 1)
                    return corner + QPointF(4, 4);
                const QPointF p = sweep(i, 0, 20, wallRect.width() - 20);
                return QPointF(p.x(), p.x() * wallRect.height() / wallRect.width());
            },
            &counter);
        bandRates << rates.perSecond;
        bandFrames = rates.framesPerMove;
    }
    const bool isWallKept = windows().size() == wallSide * wallSide;

    QVector<double> deafRates;
    double deafFrames = 0;
    if (isRunning("drag")) {
        QObject::disconnect(pFrame, SIGNAL(onpositionchanged(Position)), nullptr, nullptr);
        for (int s = 0; s < sampleCount; ++s) {
            const double y = grip.y();
            const Rates rates = drag(
                pView, grip, [&](int i) { return sweep(i, y, 10, wallRect.width() - 10); }, &counter);
            deafRates << rates.perSecond;
            deafFrames = rates.framesPerMove;
            grip = QRectF(pWnd->scenePos(), pWnd->boundingRect().size()).center();
        }
    }

    QVector<double> repaintRates;
    for (int s = 0; s < sampleCount && isRunning("repaint"); ++s) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < repaintsPerSample; ++i)
            pView->viewport()->repaint();
        repaintRates << repaintsPerSample / (timer.nsecsElapsed() / 1e9);
    }

    std::printf("wall of %d windows in the main window's splice view (viewport %dx%d), offscreen platform\n",
                wallSide * wallSide, pView->viewport()->width(), pView->viewport()->height());
    std::printf("medians of %d samples: %d moves per drag sample, %d repaints per repaint sample\n\n",
                sampleCount, movesPerSample, repaintsPerSample);
    std::printf("%-26s %10s %10s %10s %14s\n", "figure", "median", "min", "max", "frames/move");
    const struct
    {
        const char *name;
        QVector<double> *pRates;
        double frames;
    } lines[] = {{"window drag moves", &dragRates, dragFrames},
                 {"  the same, panel not told", &deafRates, deafFrames},
                 {"rubber band moves", &bandRates, bandFrames},
                 {"full repaints", &repaintRates, 1}};
    for (const auto &line : lines) {
        QVector<double> sorted = *line.pRates;
        if (sorted.isEmpty())
            continue;
        std::sort(sorted.begin(), sorted.end());
        std::printf("%-26s %8.0f/s %8.0f/s %8.0f/s %14.2f\n", line.name, bench::median(sorted),
                    sorted.first(), sorted.last(), line.frames);
    }
    if (!hasMoved || !isWallKept) {
        std::printf("the drag did not move the window, or the band left a window behind\n");
        return 1;
    }

    const struct
    {
        const char *figure;
        QVector<double> *pRates;
        double goal;
    } rows[] = {{"drag a window, 256 on the wall", &dragRates, 5000},
                {"rubber band, 256 on the wall", &bandRates, 5000},
                {"full repaint of the view, 256 windows", &repaintRates, 100}};
    for (const auto &row : rows) {
        if (row.pRates->isEmpty())
            continue;
        const double rate = bench::median(*row.pRates);
        bench::printRow(QString::fromLatin1(row.figure), perSecond(rate),
                        QStringLiteral(">= ") + perSecond(row.goal),
                        rate >= row.goal ? QStringLiteral("ok") : QStringLiteral("slow"));
    }
    return 0;
}
