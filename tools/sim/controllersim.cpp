#include "controllersim.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The self-pipe: the handler only writes one byte, the event loop does the rest.
int signalFds[2] = {-1, -1};

void onUnixSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    if (::write(signalFds[0], &byte, 1) < 0) {
        // Nothing a signal handler can do about it; the pipe only fills if the loop is gone.
    }
    errno = saved;
}

void setFlags(int fd)
{
    ::fcntl(fd, F_SETFD, ::fcntl(fd, F_GETFD) | FD_CLOEXEC);
}

QString errorText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

ControllerSim::ControllerSim(QObject *parent)
    : QObject(parent), m_linkPath(QStringLiteral("/tmp/videowall-sim"))
{
    m_pIdleTimer = new QTimer(this);
    m_pIdleTimer->setSingleShot(true);
    m_pIdleTimer->setInterval(idleMs);
    connect(m_pIdleTimer, SIGNAL(timeout()), this, SLOT(onIdle()));
}

ControllerSim::~ControllerSim()
{
    removeLink();
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
}

bool ControllerSim::catchSignals()
{
    if (signalFds[0] >= 0)
        return true;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalFds) != 0)
        return false;
    for (int fd : signalFds) {
        setFlags(fd);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = onUnixSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGINT, SIGTERM, SIGHUP}) {
        if (::sigaction(number, &action, nullptr) != 0)
            return false;
    }
    // A reader that went away shows up as a failed write, and the link is still removed.
    ::signal(SIGPIPE, SIG_IGN);
    return true;
}

bool ControllerSim::start(QString *pError)
{
    char name[256] = {0};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        *pError = QStringLiteral("cannot open a pseudo-terminal: ") + errorText();
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    setFlags(m_master);
    setFlags(m_slave);
    // Raw, so that no byte of a frame is echoed, translated or taken as a control character.
    termios tio;
    if (::tcgetattr(m_master, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetspeed(&tio, B9600);
        ::tcsetattr(m_master, TCSANOW, &tio);
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);

    if (!publishLink(pError))
        return false;

    m_pMasterNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_pMasterNotifier, SIGNAL(activated(int)), this, SLOT(onMasterReadable()));
    if (signalFds[1] >= 0) {
        m_pSignalNotifier = new QSocketNotifier(signalFds[1], QSocketNotifier::Read, this);
        connect(m_pSignalNotifier, SIGNAL(activated(int)), this, SLOT(onSignal()));
    }

    if (m_isJson) {
        const QJsonObject first{{QStringLiteral("link"), m_linkPath}, {QStringLiteral("port"), m_slavePath}};
        printLine(QJsonDocument(first).toJson(QJsonDocument::Compact));
    } else {
        printLine(QFile::encodeName(m_linkPath));
    }
    std::fprintf(stderr, "videowall-sim: port %s is %s; Ctrl-C ends\n",
                 QFile::encodeName(m_linkPath).constData(), name);
    return true;
}

// The link is replaced atomically, so a console opening it never finds it missing; anything that is
// not a symbolic link is someone's file and stays untouched.
bool ControllerSim::publishLink(QString *pError)
{
    const QByteArray path = QFile::encodeName(m_linkPath);
    struct stat info;
    if (::lstat(path.constData(), &info) == 0 && !S_ISLNK(info.st_mode)) {
        *pError = m_linkPath + QStringLiteral(" exists and is not a symbolic link; choose another --link");
        return false;
    }
    const QByteArray temporary = path + ".new-" + QByteArray::number(qint64(::getpid()));
    ::unlink(temporary.constData());
    if (::symlink(QFile::encodeName(m_slavePath).constData(), temporary.constData()) != 0) {
        *pError = QStringLiteral("cannot create ") + m_linkPath + QStringLiteral(": ") + errorText();
        return false;
    }
    if (::rename(temporary.constData(), path.constData()) != 0) {
        *pError = QStringLiteral("cannot create ") + m_linkPath + QStringLiteral(": ") + errorText();
        ::unlink(temporary.constData());
        return false;
    }
    m_isLinkPublished = true;
    return true;
}

void ControllerSim::removeLink()
{
    if (!m_isLinkPublished)
        return;
    m_isLinkPublished = false;
    // Another simulator may have taken the link over meanwhile; its link is not ours to remove.
    if (QFile::symLinkTarget(m_linkPath) == m_slavePath)
        QFile::remove(m_linkPath);
}

void ControllerSim::onMasterReadable()
{
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(m_master, buffer, sizeof buffer);
        if (count > 0) {
            m_pClient = nullptr;
            take(QByteArray(buffer, int(count)));
            continue;
        }
        if (count < 0 && (errno == EAGAIN || errno == EINTR))
            break;
        // Cannot happen while the simulator holds the slave open; stop rather than spin.
        std::fprintf(stderr, "videowall-sim: the pseudo-terminal failed: %s\n",
                     count < 0 ? std::strerror(errno) : "closed");
        m_pMasterNotifier->setEnabled(false);
        QCoreApplication::exit(1);
        return;
    }
}

void ControllerSim::take(const QByteArray &bytes)
{
    print(m_decoder.feed(bytes));
    if (m_decoder.hasPending())
        m_pIdleTimer->start();
    else
        m_pIdleTimer->stop();
}

bool ControllerSim::listenTcp(quint16 nPort, QString *pError)
{
    m_pServer = new QTcpServer(this);
    if (!m_pServer->listen(QHostAddress::LocalHost, nPort)) {
        *pError = QStringLiteral("cannot listen on port %1: ").arg(nPort) + m_pServer->errorString();
        return false;
    }
    connect(m_pServer, SIGNAL(newConnection()), this, SLOT(onTcpConnection()));
    std::fprintf(stderr, "videowall-sim: also at socket://127.0.0.1:%d\n", m_pServer->serverPort());
    return true;
}

void ControllerSim::onTcpConnection()
{
    while (QTcpSocket *pSocket = m_pServer->nextPendingConnection()) {
        connect(pSocket, SIGNAL(readyRead()), this, SLOT(onTcpReadable()));
        connect(pSocket, SIGNAL(disconnected()), pSocket, SLOT(deleteLater()));
    }
}

void ControllerSim::onTcpReadable()
{
    m_pClient = qobject_cast<QTcpSocket *>(sender());
    take(m_pClient->readAll());
}

void ControllerSim::onIdle()
{
    print(m_decoder.finish());
}

void ControllerSim::onSignal()
{
    char bytes[16];
    while (::read(signalFds[1], bytes, sizeof bytes) > 0) {
    }
    print(m_decoder.finish());
    removeLink();
    QCoreApplication::exit(0);
}

void ControllerSim::print(const QList<DecodedFrame> &frames)
{
    // The answer goes out before the line, so whoever reads the line may expect the answer to be there.
    for (const DecodedFrame &frame : frames) {
        if (!frame.isError())
            answer();
        printLine(m_isJson ? frame.toJson() : frame.toText().toUtf8());
    }
}

void ControllerSim::printLine(const QByteArray &line)
{
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    if (std::fflush(stdout) != 0)
        QCoreApplication::exit(1);
}

void ControllerSim::answer()
{
    if (m_answer.isEmpty())
        return;
    if (m_pClient) {
        m_pClient->write(m_answer);
        return;
    }
    const ssize_t written = ::write(m_master, m_answer.constData(), size_t(m_answer.size()));
    // The console drains answers after every frame; a full queue means nobody reads them.
    if (written != m_answer.size())
        std::fprintf(stderr, "videowall-sim: answer not delivered\n");
}
