// Start-up to the first painted main window, the end of the process after its window closes, and the
// peak memory of a run, for the floor (an empty frameless 1024 x 680 QMainWindow) and for the program with
// an empty wall and with a restored wall of 64 windows, the port closed as at every start. Every sample is
// a child process of its own (this program started again with --child) in a fresh temporary folder. The
// start-up clock starts in the parent just before fork, so it covers exec, loading the libraries and
// everything the program does, and stops in the child at the first return to the event loop after the
// window's first paint event. The child then closes the window as the close button does; the exit clock
// runs from there until wait4 returns in the parent, so it covers writing the settings and the state file
// and every teardown. Peak memory is the child's ru_maxrss as wait4 reports it. The 100 ms pauses the
// child asks for (nanosleep, which QThread::msleep calls) are counted.
#include "benchcommon.h"
#include "mainwindow.h"
#include "portnames.h"

#include <QApplication>
#include <QDesktopWidget>
#include <QElapsedTimer>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMainWindow>
#include <QPointer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
std::atomic<int> sleeps{0};
} // namespace

// Found by QtCore before the C library's, since the executable defines it.
extern "C" int nanosleep(const timespec *request, timespec *remaining)
{
    ++sleeps;
    const int error = clock_nanosleep(CLOCK_REALTIME, 0, request, remaining);
    if (error == 0)
        return 0;
    errno = error;
    return -1;
}

namespace {

const int sampleCount = 15;
const int closeDelayMs = 100;
const int wallColumns = 8;
const int wallRows = 8;
const char resultFile[] = "startup.result";

qint64 monotonicNs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Stops the clock once the window's first paint has run to its end, then closes the window.
class FirstFrame : public QObject
{
public:
    explicit FirstFrame(QWidget *pWindow) : m_pWindow(pWindow) {}
    qint64 doneNs() const { return m_doneNs; }
    qint64 closeNs() const { return m_closeNs; }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (!m_isSeen && event->type() == QEvent::Paint && object->isWidgetType() && m_pWindow &&
            static_cast<QWidget *>(object)->window() == m_pWindow) {
            m_isSeen = true;
            // The whole window is painted and flushed within the event that painted this first widget.
            // Posted ahead of anything the program deferred from its paint events to after the frame
            // (a zero timer, or a queued call, would race with those).
            QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::HighEventPriority);
        }
        return false;
    }

    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        m_doneNs = monotonicNs();
        // Closed a moment later, as no operator closes it sooner: what the program defers until after
        // its first frame is done by then.
        QTimer::singleShot(closeDelayMs, this, [this]() {
            m_closeNs = monotonicNs();
            m_pWindow->close();
        });
        return true;
    }

private:
    QPointer<QWidget> m_pWindow;
    bool m_isSeen = false;
    qint64 m_doneNs = 0;
    qint64 m_closeNs = 0;
};

int visibleWindows(QWidget *pWindow)
{
    auto *pView = pWindow->findChild<QGraphicsView *>();
    if (!pView || !pView->scene())
        return 0;
    int count = 0;
    for (QGraphicsItem *item : pView->scene()->items()) {
        if (item->type() == QGraphicsPolygonItem::Type && item->isVisible())
            ++count;
    }
    return count;
}

struct Case
{
    const char *name;
    const char *label;
    bool isWall;
    bool hasPresets;
};

const Case cases[] = {
    {"floor", "floor (empty QMainWindow)", false, false},
    {"empty", "empty wall", false, false},
    {"wall64", "wall of 64 windows", true, false},
    {"presets", "empty wall, 16 stored presets", false, true},
};
const int caseCount = int(sizeof cases / sizeof cases[0]);
const int floorCase = 0;
const int emptyCase = 1;
const double exitGoalMs = 200;

int runChild(int argc, char **argv, const Case &which, qint64 startNs)
{
    qInstallMessageHandler(bench::quietMessages);
    const bool isFloor = std::strcmp(which.name, "floor") == 0;
    QApplication app(argc, argv);
    qint64 doneNs = 0;
    qint64 closeNs = 0;
    int windows = 0;
    if (isFloor) {
        QMainWindow window;
        window.setWindowFlags(Qt::FramelessWindowHint);
        window.setFixedSize(1024, 680);
        FirstFrame frame(&window);
        app.installEventFilter(&frame);
        window.show();
        app.exec();
        doneNs = frame.doneNs();
        closeNs = frame.closeNs();
    } else {
        // As main does it.
        bench::applyProgramLook();
        MainWindow window(nullptr);
        FirstFrame frame(&window);
        app.installEventFilter(&frame);
        window.show();
        window.move(MainWindow::centredPosition(QApplication::desktop()->geometry(), window.size()));
        window.show();
        app.exec();
        doneNs = frame.doneNs();
        closeNs = frame.closeNs();
        windows = visibleWindows(&window);
    }
    QFile file(QString::fromLatin1(resultFile));
    if (doneNs == 0 || !file.open(QIODevice::WriteOnly))
        return 1;
    QTextStream(&file) << (doneNs - startNs) / 1e6 << ' ' << closeNs << ' ' << windows << ' ' << sleeps
                       << '\n';
    return 0;
}

struct Sample
{
    double ms = 0;
    double exitMs = 0;
    double peakMb = 0;
    int windows = 0;
    int sleeps = 0;
};

bool runSample(const char *program, const Case &which, Sample *pSample)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return false;
    // The open model shows the type-0 windows of the stored wall.
    bench::writeSettings(dir.path(), "openModel=true\n");
    if (which.isWall)
        bench::writeLayout(dir.path() + QStringLiteral("/SpliceState.data"),
                           bench::wallRecords(wallColumns, wallRows, 0.9));
    // Sixteen presets of sixteen windows each, as a control room keeps them.
    for (int i = 1; which.hasPresets && i <= 16; ++i)
        bench::writeLayout(dir.path() + QString::asprintf("/Scene%02d.data", i), bench::wallRecords(4, 4, 0.9));
    const QByteArray path = QFile::encodeName(dir.path());

    char startArg[32];
    const qint64 startNs = monotonicNs();
    std::snprintf(startArg, sizeof startArg, "%lld", static_cast<long long>(startNs));
    char *args[] = {const_cast<char *>(program), const_cast<char *>("--child"),
                    const_cast<char *>(which.name), startArg, nullptr};
    const pid_t pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        if (chdir(path.constData()) == 0)
            execv(program, args);
        _exit(127);
    }
    int status = 0;
    rusage usage;
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    const qint64 endNs = monotonicNs();

    QFile file(dir.filePath(QString::fromLatin1(resultFile)));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QTextStream in(&file);
    qint64 closeNs = 0;
    in >> pSample->ms >> closeNs >> pSample->windows >> pSample->sleeps;
    pSample->exitMs = (endNs - closeNs) / 1e6;
    pSample->peakMb = usage.ru_maxrss / 1024.0;
    return in.status() == QTextStream::Ok;
}

QString ms(double dValue)
{
    return QStringLiteral("%1 ms").arg(dValue, 0, 'f', 1);
}

QString mb(double dValue)
{
    return QStringLiteral("%1 MB").arg(dValue, 0, 'f', 1);
}

} // namespace

int main(int argc, char **argv)
{
    Q_INIT_RESOURCE(resources);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
        for (const Case &which : cases) {
            if (std::strcmp(argv[2], which.name) == 0)
                return runChild(argc, argv, which, std::strtoll(argv[3], nullptr, 10));
        }
        return 1;
    }

    // The path of this very program, to start it again as the child.
    char self[4096];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return 1;
    self[length] = '\0';
    // Without it every child would warn that it picks a folder of its own.
    QTemporaryDir runtimeDir;
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR") && runtimeDir.isValid()) {
        QFile::setPermissions(runtimeDir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        setenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()).constData(), 1);
    }

    QVector<double> times[caseCount];
    QVector<double> exits[caseCount];
    QVector<double> peaks[caseCount];
    Sample last[caseCount];
    std::printf("start-up to the first painted frame and exit after the window closes: one child process "
                "per sample, offscreen platform, port closed, cases interleaved, medians of %d samples\n\n",
                sampleCount);
    // One unmeasured round first, so that every case finds the libraries in the page cache.
    for (int round = -1; round < sampleCount; ++round) {
        for (int c = 0; c < caseCount; ++c) {
            Sample sample;
            if (!runSample(self, cases[c], &sample)) {
                std::printf("%s: the child failed\n", cases[c].name);
                return 1;
            }
            if (round < 0)
                continue;
            times[c] << sample.ms;
            exits[c] << sample.exitMs;
            peaks[c] << sample.peakMb;
            last[c] = sample;
        }
    }

    std::printf("%-8s %10s %10s %10s %10s %10s %8s %8s\n", "case", "median", "min", "max", "exit", "peak RSS",
                "windows", "sleeps");
    double medianMs[caseCount];
    double medianExit[caseCount];
    double medianMb[caseCount];
    bool isSound = true;
    for (int c = 0; c < caseCount; ++c) {
        medianMs[c] = bench::median(times[c]);
        medianExit[c] = bench::median(exits[c]);
        medianMb[c] = bench::median(peaks[c]);
        std::sort(times[c].begin(), times[c].end());
        std::printf("%-8s %10s %10s %10s %10s %10s %8d %8d\n", cases[c].name, qPrintable(ms(medianMs[c])),
                    qPrintable(ms(times[c].first())), qPrintable(ms(times[c].last())),
                    qPrintable(ms(medianExit[c])), qPrintable(mb(medianMb[c])), last[c].windows,
                    last[c].sleeps);
        if (cases[c].isWall && last[c].windows != wallRows * wallColumns) {
            std::printf("%s shows %d windows instead of %d\n", cases[c].name, last[c].windows,
                        wallRows * wallColumns);
            isSound = false;
        }
    }

    // The connection dialog lists the serial ports when it opens: what that costs.
    qInstallMessageHandler(bench::quietMessages);
    QVector<double> portTimes;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        PortNames::available();
        portTimes << timer.nsecsElapsed() / 1e6;
    }
    std::printf("\nlisting the serial ports, as the connection dialog does when it opens: %s (median of 5)\n",
                qPrintable(ms(bench::median(portTimes))));

    // The empty wall is held to twice the floor, the restored wall to twice the empty one, sixteen stored
    // presets to a tenth more than the empty wall.
    for (int c = 0; c < caseCount; ++c) {
        const int base = c == emptyCase ? floorCase : emptyCase;
        const double factor = cases[c].hasPresets ? 1.1 : 2;
        const QString verdict =
            medianMs[c] <= factor * medianMs[base] ? QStringLiteral("ok") : QStringLiteral("slow");
        bench::printRow(QStringLiteral("start-up, ") + QLatin1String(cases[c].label), ms(medianMs[c]),
                        c == floorCase ? QStringLiteral("-")
                                       : QStringLiteral("<= %1 x %2 = %3")
                                             .arg(factor)
                                             .arg(QLatin1String(cases[base].name))
                                             .arg(ms(factor * medianMs[base])),
                        c == floorCase ? QStringLiteral("floor") : verdict);
    }
    for (int c = 0; c < caseCount; ++c) {
        const bool isFloor = c == floorCase;
        bench::printRow(
            QStringLiteral("exit after the window closes, ") + QLatin1String(cases[c].label),
            ms(medianExit[c]), isFloor ? QStringLiteral("-") : QStringLiteral("<= %1").arg(ms(exitGoalMs)),
            isFloor ? QStringLiteral("floor")
                    : (medianExit[c] <= exitGoalMs ? QStringLiteral("ok") : QStringLiteral("slow")));
    }
    for (int c = 0; c < caseCount; ++c) {
        const bool isFloor = c == floorCase;
        bench::printRow(QStringLiteral("peak memory, ") + QLatin1String(cases[c].label), mb(medianMb[c]),
                        isFloor ? QStringLiteral("-") : QStringLiteral("floor ") + mb(medianMb[floorCase]),
                        isFloor ? QStringLiteral("floor")
                                : QStringLiteral("+") + mb(medianMb[c] - medianMb[floorCase]));
    }
    return isSound ? 0 : 1;
}
