#include "controlclient.h"

#include "controlendpoint.h"
#include "controlserver.h"

#include <QDeadlineTimer>
#include <QTcpSocket>
#include <QTextStream>

namespace {

// Longer than any reply the console gives (STATUS and PRESETS included).
const qint64 maxReply = 1024 * 1024;

// One reply line within the time, without its line end; "" when none came (the socket says why).
QString readReply(QTcpSocket *pSocket, int nTimeout)
{
    const QDeadlineTimer deadline(nTimeout);
    while (!pSocket->canReadLine()) {
        if (pSocket->bytesAvailable() > maxReply || deadline.hasExpired() ||
            !pSocket->waitForReadyRead(int(deadline.remainingTime())))
            return QString();
    }
    QByteArray line = pSocket->readLine(maxReply);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

bool isReply(const QString &strReply, const QString &strWord)
{
    return strReply == strWord || strReply.startsWith(strWord + QLatin1Char(' '));
}

} // namespace

int sendControlLine(const QString &strLine, const QString &strTo, const QString &strTokenFile,
                    QTextStream &out, QTextStream &err, int nConnectTimeout, int nReplyTimeout)
{
    const auto failed = [&err](const QString &strError) {
        err << "videowall: " << strError << '\n';
        err.flush();
        return 2;
    };
    if (strLine.trimmed().isEmpty() || strLine.contains(QLatin1Char('\n')) ||
        strLine.contains(QLatin1Char('\r')))
        return failed(QStringLiteral("nothing to send: give one command on one line, as in \"PRESET 3\""));
    QHostAddress address(QHostAddress::LocalHost);
    quint16 nPort = ControlServer::defaultPort;
    QString strError;
    if (!strTo.trimmed().isEmpty() && !parseEndpoint(strTo, &address, &nPort, &strError))
        return failed(strError);
    QByteArray token;
    if (!strTokenFile.isEmpty() && !readTokenFile(strTokenFile, &token, &strError))
        return failed(strError);

    const QString strWhere = endpointText(address, nPort);
    QTcpSocket socket;
    socket.connectToHost(address, nPort);
    if (!socket.waitForConnected(nConnectTimeout))
        return failed(QStringLiteral("no console at %1: %2").arg(strWhere, socket.errorString()));
    QList<QByteArray> lines{strLine.toUtf8()};
    if (!token.isEmpty())
        lines.prepend("AUTH " + token);
    QString strReply;
    for (const QByteArray &line : qAsConst(lines)) {
        socket.write(line + '\n');
        strReply = readReply(&socket, nReplyTimeout);
        if (strReply.isEmpty() && socket.state() != QAbstractSocket::ConnectedState)
            return failed(
                QStringLiteral("the console at %1 closed the connection without a reply").arg(strWhere));
        if (strReply.isEmpty())
            return failed(QStringLiteral("no reply from the console at %1 within %2 s")
                              .arg(strWhere)
                              .arg(nReplyTimeout / 1000));
        // A refused token ends the exchange with the console's reason.
        if (!isReply(strReply, QStringLiteral("OK")))
            break;
    }
    out << strReply << '\n';
    out.flush();
    if (isReply(strReply, QStringLiteral("OK")))
        return 0;
    if (isReply(strReply, QStringLiteral("ERR")))
        return 1;
    return failed(QStringLiteral("the program at %1 is no console: it answered \"%2\"")
                      .arg(strWhere, strReply.left(80)));
}
