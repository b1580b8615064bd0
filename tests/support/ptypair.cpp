#include "ptypair.h"

#include <QElapsedTimer>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPair::PtyPair()
{
    char name[256] = {0};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    char dirTemplate[] = "/tmp/vwpty.XXXXXX";
    if (mkdtemp(dirTemplate)) {
        m_linkDir = QString::fromLocal8Bit(dirTemplate);
        m_linkPath = m_linkDir + QStringLiteral("/port");
        if (::symlink(name, m_linkPath.toLocal8Bit().constData()) != 0)
            m_linkPath = m_slavePath;
    } else {
        m_linkPath = m_slavePath;
    }
    termios tio;
    if (tcgetattr(m_master, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(m_master, TCSANOW, &tio);
    }
    // The test keeps the slave open too, so that the master side never reads EIO between opens.
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
}

PtyPair::~PtyPair()
{
    closeMaster();
    if (m_slave >= 0)
        ::close(m_slave);
    if (!m_linkDir.isEmpty()) {
        ::unlink(m_linkPath.toLocal8Bit().constData());
        ::rmdir(m_linkDir.toLocal8Bit().constData());
    }
}

void PtyPair::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

QByteArray PtyPair::readAll(int timeoutMs)
{
    QByteArray out;
    if (m_master < 0)
        return out;
    for (;;) {
        pollfd pfd{m_master, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, timeoutMs);
        if (ready <= 0 || !(pfd.revents & POLLIN))
            break;
        char buffer[4096];
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        out.append(buffer, int(n));
    }
    return out;
}

QByteArray PtyPair::readBytes(int nBytes, int timeoutMs)
{
    QByteArray out;
    QElapsedTimer timer;
    timer.start();
    while (m_master >= 0 && out.size() < nBytes && timer.elapsed() < timeoutMs) {
        pollfd pfd{m_master, POLLIN, 0};
        const int left = int(qMax<qint64>(1, timeoutMs - timer.elapsed()));
        if (::poll(&pfd, 1, left) <= 0 || !(pfd.revents & POLLIN))
            continue;
        char buffer[4096];
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0)
            out.append(buffer, int(n));
        else if (n < 0 && errno != EAGAIN)
            break;
    }
    return out;
}

bool PtyPair::write(const QByteArray &bytes)
{
    if (m_master < 0)
        return false;
    return ::write(m_master, bytes.constData(), size_t(bytes.size())) == bytes.size();
}
