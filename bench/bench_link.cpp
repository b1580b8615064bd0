// How long one device command holds the caller: setPosition (a 14-byte frame) against a
// pseudo-terminal peer that answers as soon as the frame is in, and against one that never answers.
#include "benchcommon.h"
#include "seriallink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QVector>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

const int frameBytes = 14;
const int commandCount = 20;

// The far end of the cable, on its own thread so that it answers while the link waits.
class PtyPeer
{
public:
    explicit PtyPeer(bool isAnswering) : m_isAnswering(isAnswering)
    {
        char name[256] = {0};
        if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
            m_master = m_slave = -1;
            return;
        }
        m_slavePath = QString::fromLocal8Bit(name);
        termios tio;
        if (tcgetattr(m_master, &tio) == 0) {
            cfmakeraw(&tio);
            tcsetattr(m_master, TCSANOW, &tio);
        }
        m_thread = std::thread([this]() { run(); });
    }
    ~PtyPeer()
    {
        m_isStopping = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_master >= 0)
            ::close(m_master);
        if (m_slave >= 0)
            ::close(m_slave);
    }
    bool isValid() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

private:
    void run()
    {
        static const char answer[] = {'\xA7', '\xC5', '\x01', '\x00'};
        int pending = 0;
        while (!m_isStopping) {
            pollfd pfd{m_master, POLLIN, 0};
            if (::poll(&pfd, 1, 5) <= 0 || !(pfd.revents & POLLIN))
                continue;
            char buffer[256];
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0)
                continue;
            pending += int(n);
            for (; pending >= frameBytes; pending -= frameBytes) {
                if (m_isAnswering && ::write(m_master, answer, sizeof answer) < 0)
                    break;
            }
        }
    }

    bool m_isAnswering;
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    std::thread m_thread;
    std::atomic<bool> m_isStopping{false};
};

struct Figures
{
    double median;
    double min;
    double max;
};

bool measure(bool isAnswering, Figures *pFigures)
{
    PtyPeer peer(isAnswering);
    SerialLink *pLink = SerialLink::theSerialLink();
    if (!peer.isValid())
        return false;
    // Another program that just closed a terminal of the same number may hold its lock for a moment.
    bool isOpen = pLink->open(peer.slavePath());
    for (int attempt = 0; !isOpen && attempt < 50; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        isOpen = pLink->open(peer.slavePath());
    }
    if (!isOpen)
        return false;
    pLink->setPosition(1, 0, 0, 0, 3840, 2160);
    QVector<double> times;
    for (int i = 0; i < commandCount; ++i) {
        QElapsedTimer timer;
        timer.start();
        pLink->setPosition(1, 0, i, i, 3840 - i, 2160 - i);
        times << timer.nsecsElapsed() / 1e6;
    }
    pLink->close();
    std::sort(times.begin(), times.end());
    pFigures->median = (times[commandCount / 2 - 1] + times[commandCount / 2]) / 2;
    pFigures->min = times.first();
    pFigures->max = times.last();
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The link logs two lines per frame; they would drown the figures.
    qInstallMessageHandler(bench::quietMessages);

    const double wireMs = frameBytes * 10 * 1000.0 / 9600;
    const double pauseMs = SerialLink::sendPause;
    const double worstMs = 100 + 100 + pauseMs;
    std::printf("setPosition, %d-byte frame, %d commands per peer, pseudo-terminal\n", frameBytes,
                commandCount);
    std::printf("wire time at 9600 baud %.1f ms, pause %.0f ms, worst case %.0f ms\n\n", wireMs, pauseMs,
                worstMs);
    std::printf("%-10s %9s %9s %9s %9s\n", "peer", "median", "min", "max", "bound");

    int result = 0;
    // The promise: an answering peer costs the wire time and the pause, within a slack of 10 ms; a silent
    // one adds the 100 ms wait for an answer; nothing ever takes longer than the worst case.
    const double slackMs = 10;
    const struct
    {
        const char *name;
        bool isAnswering;
        double boundMs;
    } rows[] = {
        {"answering", true, wireMs + pauseMs + slackMs},
        {"silent", false, wireMs + 100 + pauseMs + slackMs},
    };
    for (const auto &row : rows) {
        Figures figures{};
        if (!measure(row.isAnswering, &figures)) {
            std::printf("%-10s could not open a pseudo-terminal\n", row.name);
            result = 1;
            continue;
        }
        const char *verdict = figures.max <= worstMs ? (figures.median <= row.boundMs ? "ok" : "above bound")
                                                     : "above worst case";
        std::printf("%-10s %6.1f ms %6.1f ms %6.1f ms %6.1f ms  %s\n", row.name, figures.median, figures.min,
                    figures.max, row.boundMs, verdict);
        bench::printRow(
            QStringLiteral("one command, %1 peer (median; max)").arg(QLatin1String(row.name)),
            QStringLiteral("%1 ms; %2 ms").arg(figures.median, 0, 'f', 1).arg(figures.max, 0, 'f', 1),
            QStringLiteral("<= %1 ms; worst %2 ms").arg(row.boundMs, 0, 'f', 1).arg(worstMs, 0, 'f', 0),
            QLatin1String(verdict));
    }
    return result;
}
