#include "controlconnection.h"

#include "controlendpoint.h"

#include <QDebug>
#include <QTcpSocket>

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace {

quint64 g_nextOrder = 0;

// Every byte of the given token is compared whatever differs first, and a length that differs counts in the
// same sum: the time taken tells nothing about the expected token.
bool sameToken(const QByteArray &given, const QByteArray &expected)
{
    unsigned nDiff = unsigned(given.size() ^ expected.size());
    for (int i = 0; i < given.size(); ++i)
        nDiff |= unsigned(quint8(given.at(i)) ^ quint8(expected.at(i % expected.size())));
    return nDiff == 0;
}

// Idle clients may stay for hours; keep-alive probes find a peer that vanished without closing (a switched
// off panel, a pulled cable) within about two minutes.
void keepAlive(QTcpSocket *pSocket)
{
    pSocket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
#ifdef Q_OS_LINUX
    const int nSocket = int(pSocket->socketDescriptor());
    const int nIdle = 60;
    const int nInterval = 10;
    const int nCount = 6;
    ::setsockopt(nSocket, IPPROTO_TCP, TCP_KEEPIDLE, &nIdle, sizeof nIdle);
    ::setsockopt(nSocket, IPPROTO_TCP, TCP_KEEPINTVL, &nInterval, sizeof nInterval);
    ::setsockopt(nSocket, IPPROTO_TCP, TCP_KEEPCNT, &nCount, sizeof nCount);
#endif
}

} // namespace

ControlConnection::ControlConnection(QTcpSocket *pSocket, const QByteArray &token, bool bLocalPeer,
                                     QObject *pParent)
    : QObject(pParent), m_pSocket(pSocket), m_token(token), m_isLocalPeer(bLocalPeer),
      m_strPeer(endpointText(pSocket->peerAddress(), pSocket->peerPort())), m_isAuthenticated(token.isEmpty())
{
    m_pSocket->setParent(this);
    m_pSocket->setReadBufferSize(readBufferSize);
    keepAlive(m_pSocket);
    m_authTimer.setSingleShot(true);
    connect(m_pSocket, &QTcpSocket::readyRead, this, &ControlConnection::readLines);
    // A client sent away after a wrong token keeps its slot until its delay is over, even if it left.
    connect(m_pSocket, &QTcpSocket::disconnected, this, [this] {
        if (!m_isHeld)
            finish();
    });
    connect(&m_authTimer, &QTimer::timeout, this, [this] {
        refuse(QStringLiteral("no AUTH within %1 s").arg(authTimeout / 1000), Close);
        writeDue();
    });
    if (!m_isAuthenticated)
        m_authTimer.start(authTimeout);
}

bool ControlConnection::hasCommand() const
{
    return !m_isFinished && !m_queue.isEmpty() && m_queue.first().reply.isEmpty();
}

ControlCommand ControlConnection::command() const
{
    return m_queue.value(0).command;
}

quint64 ControlConnection::commandOrder() const
{
    return m_queue.value(0).order;
}

void ControlConnection::answer(const QString &strReply)
{
    if (!hasCommand())
        return;
    m_queue.removeFirst();
    --m_nCommands;
    write(strReply);
    writeDue();
}

void ControlConnection::drop()
{
    m_isFinished = true;
    m_queue.clear();
    m_pSocket->abort();
}

void ControlConnection::readLines()
{
    if (m_isFinished)
        return;
    // A client being sent away is read to the end: closing on unread input would reset the connection,
    // and the client might lose the reply that says why.
    const QByteArray bytes = m_pSocket->readAll();
    if (m_isEnding)
        return;
    for (const ControlLineReader::Item &item : m_reader.feed(bytes)) {
        if (m_isEnding || m_isFinished)
            break;
        takeLine(item);
    }
    writeDue();
}

void ControlConnection::takeLine(const ControlLineReader::Item &item)
{
    const ControlCommand command = item.fault.isEmpty() ? parseControlLine(item.line) : ControlCommand();
    if (!m_isAuthenticated) {
        if (command.verb != ControlCommand::Auth)
            return refuse(QStringLiteral("AUTH first"), Close);
        if (!sameToken(command.text.toUtf8(), m_token))
            return refuse(QStringLiteral("unauthorized"), CloseLater);
        m_isAuthenticated = true;
        m_authTimer.stop();
    }
    if (!item.fault.isEmpty())
        return refuse(item.fault, item.fault == QLatin1String(ControlLineReader::tooLong) ? Close : KeepOpen);
    if (command.verb == ControlCommand::Invalid)
        return refuse(command.error);
    log(command.logText());
    if (command.verb == ControlCommand::Auth) {
        queueReply(QStringLiteral("OK"));
    } else if (command.verb == ControlCommand::Quit) {
        queueReply(QStringLiteral("OK bye"), Close);
    } else if (command.verb == ControlCommand::Connect && !command.text.isEmpty() && !m_isLocalPeer) {
        // A remote client must not make the console open a device or host of its choosing.
        refuse(QStringLiteral("CONNECT with a port is taken from this machine only"));
    } else if (m_nCommands >= maxQueued) {
        refuse(QStringLiteral("busy"));
    } else {
        m_queue << Entry{command, QString(), g_nextOrder++, KeepOpen};
        ++m_nCommands;
    }
}

void ControlConnection::refuse(const QString &strReason, End end)
{
    log(QStringLiteral("refused: ") + strReason);
    queueReply(QStringLiteral("ERR ") + strReason, end);
}

void ControlConnection::queueReply(const QString &strReply, End end)
{
    m_isEnding = m_isEnding || end != KeepOpen;
    m_queue << Entry{ControlCommand(), strReply, 0, end};
    m_nQueuedBytes += strReply.toUtf8().size() + 2;
    checkOutput();
}

void ControlConnection::writeDue()
{
    while (!m_isFinished && !m_queue.isEmpty() && !m_queue.first().reply.isEmpty()) {
        const Entry entry = m_queue.takeFirst();
        m_nQueuedBytes -= entry.reply.toUtf8().size() + 2;
        write(entry.reply);
        if (entry.end == KeepOpen)
            continue;
        m_queue.clear();
        m_authTimer.stop();
        m_pSocket->readAll();
        if (entry.end == Close) {
            m_pSocket->disconnectFromHost();
            return;
        }
        m_isHeld = true;
        QTimer::singleShot(refusalDelay, this, [this] {
            m_pSocket->readAll();
            m_pSocket->disconnectFromHost();
            finish();
        });
        return;
    }
    if (hasCommand())
        emit commandWaiting();
}

void ControlConnection::write(const QString &strReply)
{
    if (m_isFinished)
        return;
    m_pSocket->write(strReply.toUtf8() + "\r\n");
    checkOutput();
}

void ControlConnection::checkOutput()
{
    if (m_isFinished || m_pSocket->bytesToWrite() + m_nQueuedBytes <= maxOutput)
        return;
    log(QStringLiteral("refused: replies not read (more than %1 KiB waiting)").arg(maxOutput / 1024));
    m_queue.clear();
    m_pSocket->abort();
    finish();
}

void ControlConnection::log(const QString &strText) const
{
    qDebug().noquote() << "control:" << m_strPeer << strText;
}

void ControlConnection::finish()
{
    if (m_isFinished)
        return;
    m_isFinished = true;
    m_queue.clear();
    m_authTimer.stop();
    log(QStringLiteral("closed"));
    emit finished();
}
