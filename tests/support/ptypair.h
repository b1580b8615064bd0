#ifndef PTYPAIR_H
#define PTYPAIR_H

#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal pair standing in for a serial cable: the program opens slavePath() like any port, and
// the test reads what it wrote (and writes answers) on the master side. The slave stays open here too, so
// that the master never reads EIO between the program's opens.
class PtyPair
{
public:
    PtyPair()
    {
        char name[256] = {0};
        if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
            return;
        m_ttyPath = QString::fromLocal8Bit(name);
        // A link of its own: QSerialPort locks by the path it opens, and a terminal number that another test
        // program just gave up may still be locked for a moment.
        static QTemporaryDir links;
        static int count = 0;
        m_linkPath = links.filePath(QString::number(++count));
        QFile::link(m_ttyPath, m_linkPath);
        termios tio;
        tcgetattr(m_master, &tio);
        cfmakeraw(&tio);
        tcsetattr(m_master, TCSANOW, &tio);
        fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    }
    ~PtyPair()
    {
        closeMaster();
        ::close(m_slave);
        QFile::remove(m_linkPath);
    }
    QString slavePath() const { return m_linkPath; }
    QString ttyPath() const { return m_ttyPath; }

    // Reads until nBytes arrived (0: until nothing comes for timeoutMs) or timeoutMs passed without a byte.
    QByteArray read(int nBytes = 0, int timeoutMs = 100)
    {
        QByteArray out;
        pollfd pfd{m_master, POLLIN, 0};
        char buffer[4096];
        while ((nBytes == 0 || out.size() < nBytes) && ::poll(&pfd, 1, timeoutMs) > 0 &&
               (pfd.revents & POLLIN)) {
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            out.append(buffer, int(n));
        }
        return out;
    }
    bool write(const QByteArray &bytes)
    {
        return ::write(m_master, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }
    // Closes the master side, as a controller that goes away.
    void closeMaster()
    {
        ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_ttyPath;
    QString m_linkPath;
};

#endif // PTYPAIR_H
