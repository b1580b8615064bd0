// The wall's pace from the operator's side, on the real main window against a pseudo-terminal peer that
// answers every frame at once: how long a 16-window preset takes from the click to its last byte, against
// the floor of the link's fixed pauses; and how long the wall lags behind a held arrow key once it is let go
// (key repeats every 33 ms, as X sends them, posted from another thread while the link blocks the GUI).
#include "benchcommon.h"
#include "mainwindow.h"
#include "presetbutton.h"
#include "seriallink.h"
#include "splicescene.h"
#include "unitwnd.h"

#include <QApplication>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QMutex>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

const int presetWindows = 16;
const int holdCount = 7;
const int repeatMs = 33;
const int holdMs = 1500;

qint64 nowNs()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// The controller: answers whatever arrives, and notes when each chunk came and what it held.
class Peer
{
public:
    Peer()
    {
        char name[256] = {0};
        if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
            return;
        m_path = QString::fromLocal8Bit(name);
        termios tio;
        tcgetattr(m_master, &tio);
        cfmakeraw(&tio);
        tcsetattr(m_master, TCSANOW, &tio);
        m_thread = std::thread([this] { run(); });
    }
    ~Peer()
    {
        m_isStopping = true;
        m_thread.join();
        ::close(m_master);
        ::close(m_slave);
    }
    QString path() const { return m_path; }
    // Chunks received after nSinceNs: their count, and the time of the last.
    int chunksSince(qint64 nSinceNs, qint64 *pLastNs)
    {
        QMutexLocker lock(&m_mutex);
        int count = 0;
        for (const auto &chunk : m_chunks) {
            if (chunk.first > nSinceNs) {
                ++count;
                *pLastNs = chunk.first;
            }
        }
        return count;
    }
    QByteArray lastChunk()
    {
        QMutexLocker lock(&m_mutex);
        return m_chunks.isEmpty() ? QByteArray() : m_chunks.last().second;
    }

private:
    void run()
    {
        while (!m_isStopping) {
            pollfd pfd{m_master, POLLIN, 0};
            if (::poll(&pfd, 1, 5) <= 0)
                continue;
            char buffer[256];
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0)
                continue;
            const qint64 at = nowNs();
            {
                QMutexLocker lock(&m_mutex);
                m_chunks.append({at, QByteArray(buffer, int(n))});
            }
            const char answer[] = {'\xA7', '\xC5', '\x01', '\x00'};
            if (::write(m_master, answer, sizeof answer) < 0)
                continue;
        }
    }

    int m_master = -1;
    int m_slave = -1;
    QString m_path;
    std::thread m_thread;
    std::atomic<bool> m_isStopping{false};
    QMutex m_mutex;
    QList<QPair<qint64, QByteArray>> m_chunks;
};

void sendKey(QWidget *pTarget, QEvent::Type type, bool bRepeat)
{
    QCoreApplication::postEvent(pTarget, new QKeyEvent(type, Qt::Key_Right, Qt::NoModifier, QString(), bRepeat));
}

} // namespace

int main(int argc, char **argv)
{
    Q_INIT_RESOURCE(resources);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    qInstallMessageHandler(bench::quietMessages);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    Peer peer;
    bench::writeSettings(dir.path(), "openModel=true\ncurrPort=" + peer.path().toUtf8() + "\n");
    QList<WndRecord> preset = bench::wallRecords(4, 4, 0.9);
    for (int i = 0; i < preset.size(); ++i)
        preset[i].address = i + 1;
    bench::writeLayout(dir.filePath("Scene01.data"), preset);
    bench::applyProgramLook();
    MainWindow window;
    window.show();
    QTest::qWaitForWindowExposed(&window);
    if (!SerialLink::theSerialLink()->open(peer.path()))
        return 1;

    // The floor: per window the pause after its rectangle, the pause before its rotation and the pause after
    // it; the last byte arrives before the last pause.
    const double floorMs = presetWindows * (2 * SerialLink::sendPause + SerialLink::rotationPause) -
                           SerialLink::sendPause;
    PresetButton *pButton = window.findChildren<PresetButton *>().value(0);
    QVector<double> recalls;
    for (int i = 0; i < 3; ++i) {
        const qint64 startNs = nowNs();
        QTest::mouseClick(pButton, Qt::LeftButton);
        QThread::msleep(100);
        qint64 lastNs = 0;
        if (peer.chunksSince(startNs, &lastNs) < 2 * presetWindows)
            return 1;
        recalls << (lastNs - startNs) / 1e6;
    }
    const double recallMs = bench::median(recalls);
    std::printf("recall of a %d-window preset, click to the last byte: %.0f ms (median of 3); floor %.0f ms\n",
                presetWindows, recallMs, floorMs);
    bench::printRow(QStringLiteral("recall a 16-window preset, click to last byte"),
                    QStringLiteral("%1 ms").arg(recallMs, 0, 'f', 0),
                    QStringLiteral("<= 1.05 x floor %1 ms = %2 ms").arg(floorMs, 0, 'f', 0).arg(1.05 * floorMs, 0, 'f', 0),
                    recallMs <= 1.05 * floorMs ? QStringLiteral("ok") : QStringLiteral("slow"));

    // A window of its own, selected with the keyboard's focus, held down on the right arrow.
    auto *pView = window.findChild<QGraphicsView *>();
    UnitWnd *pWnd = nullptr;
    for (QGraphicsItem *pItem : pView->scene()->items()) {
        if ((pWnd = dynamic_cast<UnitWnd *>(pItem)))
            break;
    }
    pWnd->setPosition(Position(0, 0, 960, 540));
    pView->setFocus();
    pView->scene()->setFocusItem(pWnd);
    QVector<double> lags;
    int mostAfter = 0;
    int fewestDuring = 1 << 30;
    bool isTrue = true;
    for (int hold = 0; hold < holdCount; ++hold) {
        pWnd->setPosition(Position(0, 0, 960, 540));
        const qint64 pressNs = nowNs();
        std::atomic<qint64> releaseNs{0};
        std::thread keyboard([&] {
            sendKey(pView, QEvent::KeyPress, false);
            for (int t = 0; t < holdMs; t += repeatMs) {
                QThread::msleep(repeatMs);
                sendKey(pView, QEvent::KeyRelease, true);
                sendKey(pView, QEvent::KeyPress, true);
            }
            QThread::msleep(repeatMs);
            releaseNs = nowNs();
            sendKey(pView, QEvent::KeyRelease, false);
        });
        while (releaseNs == 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        keyboard.join();
        const qint64 settleUntil = nowNs() + 600 * 1000000LL;
        while (nowNs() < settleUntil)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        qint64 lastNs = releaseNs;
        const int after = peer.chunksSince(releaseNs, &lastNs);
        mostAfter = qMax(mostAfter, after);
        qint64 unused = 0;
        fewestDuring = qMin(fewestDuring, peer.chunksSince(pressNs, &unused) - after);
        lags << (lastNs - releaseNs) / 1e6;
        // The last rectangle on the wire is the one on the screen.
        const QByteArray frame = peer.lastChunk();
        const int x = frame.size() == 14 ? (quint8(frame[5]) << 8 | quint8(frame[6])) : -1;
        isTrue = isTrue && x == qRound(pWnd->position().x);
    }
    const double lagMs = bench::median(lags);
    std::printf("held arrow key (repeats every %d ms for %d ms), release to the last byte: median %.0f ms, "
                "max %.0f ms; at least %d frames while held, at most %d after the release; last frame %s "
                "the screen\n",
                repeatMs, holdMs, lagMs, *std::max_element(lags.begin(), lags.end()), fewestDuring, mostAfter,
                isTrue ? "matches" : "differs from");
    bench::printRow(QStringLiteral("held arrow key, release to last byte (median of %1)").arg(holdCount),
                    QStringLiteral("%1 ms; %2 frame(s) after").arg(lagMs, 0, 'f', 0).arg(mostAfter),
                    QStringLiteral("<= one exchange, 150 ms; 1 frame"),
                    lagMs <= 150 && mostAfter <= 1 && isTrue ? QStringLiteral("ok") : QStringLiteral("slow"));
    return isTrue ? 0 : 1;
}
