#ifndef CONTROLSERVER_H
#define CONTROLSERVER_H

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTimer>

class ControlConnection;
class ControlTarget;

// The control port: a TCP server through which room control systems, button panels and schedulers drive
// the console with lines of text (docs/control.md). Commands run one at a time, through the operations
// the console's buttons call, and those that change the wall wait while the operator is busy.
class ControlServer : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 defaultPort = 7860;
    static constexpr int maxClients = 8;
    // Milliseconds between two looks whether a busy console is free again, while a command waits.
    static constexpr int busyPollInterval = 50;

    explicit ControlServer(QObject *pParent = nullptr);
    ~ControlServer() override;

    // An empty token lets every client in at once, so it is allowed on this machine's own addresses only.
    bool listen(const QHostAddress &address, quint16 nPort, const QByteArray &token, QString *pError);
    void close();
    bool isListening() const { return m_server.isListening(); }
    // The port listened on; the one the system chose when listen() was given 0.
    quint16 serverPort() const { return m_server.serverPort(); }
    // Without a target every command is answered "ERR not ready".
    void setTarget(ControlTarget *pTarget);

protected:
    // Whether a client is on this machine: only such a client may name a port to CONNECT to.
    virtual bool isLocalPeer(const QHostAddress &address) const;

private:
    void acceptClients();
    void scheduleCommands();
    void runCommands();

    QTcpServer m_server;
    QByteArray m_token;
    ControlTarget *m_pTarget = nullptr;
    QList<ControlConnection *> m_connections;
    QTimer m_busyTimer;
    bool m_isScheduled = false;
    bool m_isExecuting = false;
};

#endif // CONTROLSERVER_H
