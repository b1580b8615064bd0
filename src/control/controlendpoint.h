#ifndef CONTROLENDPOINT_H
#define CONTROLENDPOINT_H

#include <QByteArray>
#include <QHostAddress>
#include <QString>

// Where the control port listens or the --send client connects, and the token that guards the port.

// Reads "[ADDRESS:]PORT": "7860" (on 127.0.0.1), "0.0.0.0:7860", "[::1]:7860". Addresses only, no host
// names: the port is bound or reached exactly where the operator said.
bool parseEndpoint(const QString &strText, QHostAddress *pAddress, quint16 *pPort, QString *pError);
// The first line of the file, trimmed. The file must be private to its owner, as ssh demands of a key.
bool readTokenFile(const QString &strPath, QByteArray *pToken, QString *pError);
// This machine's own addresses, also as a dual-stack socket reports an IPv4 peer (::ffff:127.0.0.1).
bool isLoopback(const QHostAddress &address);
// "127.0.0.1:40422" or "[::1]:40422", as logs and messages show a peer.
QString endpointText(const QHostAddress &address, quint16 nPort);

#endif // CONTROLENDPOINT_H
