#include "controlserver.h"

#include "controlconnection.h"
#include "controlendpoint.h"
#include "controltarget.h"

#include <QDebug>
#include <QPointer>
#include <QTcpSocket>

namespace {

// A reply of the console's is one line whatever the target returned: a line break would let one reply
// pass for two.
QString oneLine(QString strReply)
{
    strReply.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return strReply.isEmpty() ? QStringLiteral("ERR no reply") : strReply;
}

} // namespace

ControlServer::ControlServer(QObject *pParent) : QObject(pParent)
{
    m_busyTimer.setInterval(busyPollInterval);
    connect(&m_server, &QTcpServer::newConnection, this, &ControlServer::acceptClients);
    connect(&m_busyTimer, &QTimer::timeout, this, &ControlServer::runCommands);
}

ControlServer::~ControlServer()
{
    close();
}

bool ControlServer::listen(const QHostAddress &address, quint16 nPort, const QByteArray &token,
                           QString *pError)
{
    close();
    const QString strWhere = endpointText(address, nPort);
    QString strError;
    if (token.isEmpty() && !isLoopback(address))
        strError = QStringLiteral("the control port on %1 needs a token: without one it may listen on this "
                                  "machine's own addresses only (127.0.0.1, ::1)")
                       .arg(strWhere);
    else if (!m_server.listen(address, nPort))
        strError =
            QStringLiteral("the control port cannot listen on %1: %2").arg(strWhere, m_server.errorString());
    if (!strError.isEmpty()) {
        qDebug().noquote() << "control:" << strError;
        if (pError)
            *pError = strError;
        return false;
    }
    m_token = token;
    qDebug().noquote() << "control: listening on" << endpointText(address, m_server.serverPort())
                       << (token.isEmpty() ? "without a token" : "with a token");
    return true;
}

void ControlServer::close()
{
    m_server.close();
    m_busyTimer.stop();
    for (ControlConnection *pConnection : qAsConst(m_connections)) {
        pConnection->disconnect(this);
        pConnection->drop();
        pConnection->deleteLater();
    }
    m_connections.clear();
}

void ControlServer::setTarget(ControlTarget *pTarget)
{
    m_pTarget = pTarget;
    scheduleCommands();
}

bool ControlServer::isLocalPeer(const QHostAddress &address) const
{
    return isLoopback(address);
}

void ControlServer::acceptClients()
{
    while (QTcpSocket *pSocket = m_server.nextPendingConnection()) {
        const QString strPeer = endpointText(pSocket->peerAddress(), pSocket->peerPort());
        qDebug().noquote() << "control: connection from" << strPeer;
        if (m_connections.size() >= maxClients) {
            const QString strReason = QStringLiteral("too many clients (at most %1)").arg(maxClients);
            qDebug().noquote() << "control:" << strPeer << "refused:" << strReason;
            pSocket->write("ERR " + strReason.toUtf8() + "\r\n");
            connect(pSocket, &QTcpSocket::disconnected, pSocket, &QObject::deleteLater);
            pSocket->disconnectFromHost();
            if (pSocket->state() == QAbstractSocket::UnconnectedState)
                pSocket->deleteLater();
            continue;
        }
        auto *pConnection =
            new ControlConnection(pSocket, m_token, isLocalPeer(pSocket->peerAddress()), this);
        m_connections << pConnection;
        connect(pConnection, &ControlConnection::commandWaiting, this, &ControlServer::scheduleCommands);
        connect(pConnection, &ControlConnection::finished, this, [this, pConnection] {
            m_connections.removeOne(pConnection);
            pConnection->deleteLater();
        });
    }
}

// Commands run from the event loop, never from inside a connection's own handlers: execute() may run an
// event loop of its own, in which that connection could be deleted under its handler.
void ControlServer::scheduleCommands()
{
    if (m_isScheduled)
        return;
    m_isScheduled = true;
    QMetaObject::invokeMethod(this, &ControlServer::runCommands, Qt::QueuedConnection);
}

void ControlServer::runCommands()
{
    m_isScheduled = false;
    const QPointer<ControlServer> pSelf(this);
    for (;;) {
        // Queries answer at once, also while a command runs its own event loop (they change nothing);
        // commands that change the wall run one at a time, in the order they came across clients.
        ControlConnection *pNext = nullptr;
        for (ControlConnection *pConnection : qAsConst(m_connections)) {
            if (!pConnection->hasCommand())
                continue;
            if (!pConnection->command().changesWall() || !m_pTarget) {
                pNext = pConnection;
                break;
            }
            if (!m_isExecuting && (!pNext || pConnection->commandOrder() < pNext->commandOrder()))
                pNext = pConnection;
        }
        if (!pNext || (pNext->command().changesWall() && m_pTarget && m_pTarget->isBusy()))
            break;
        const QPointer<ControlConnection> pConnection(pNext);
        const ControlCommand command = pNext->command();
        QString strReply = QStringLiteral("ERR not ready");
        if (m_pTarget) {
            const bool isWall = command.changesWall();
            m_isExecuting = m_isExecuting || isWall;
            strReply = m_pTarget->execute(command);
            if (!pSelf)
                return;
            if (isWall)
                m_isExecuting = false;
        }
        if (pConnection)
            pConnection->answer(oneLine(strReply));
    }
    bool isWaiting = false;
    for (ControlConnection *pConnection : qAsConst(m_connections))
        isWaiting = isWaiting || pConnection->hasCommand();
    if (!isWaiting)
        m_busyTimer.stop();
    else if (!m_busyTimer.isActive())
        m_busyTimer.start();
}
