#ifndef CONTROLLERSIM_H
#define CONTROLLERSIM_H

#include "framedecoder.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;
class QTcpServer;
class QTcpSocket;
class QTimer;

// Stands in for the wall controller: a pseudo-terminal whose slave side the console opens as its serial
// port (through a stable symbolic link), and which prints one line for every frame that arrives.
class ControllerSim : public QObject
{
    Q_OBJECT

public:
    // Without a byte this long after a partial frame, the frame is taken as cut short.
    static const int idleMs = 500;

    explicit ControllerSim(QObject *parent = nullptr);
    ~ControllerSim() override;

    void setLinkPath(const QString &strPath) { m_linkPath = strPath; }
    void setAnswer(const QByteArray &answer) { m_answer = answer; }
    void setJson(bool bJson) { m_isJson = bJson; }

    // Opens the pseudo-terminal, publishes the link and starts listening; on failure says why.
    bool start(QString *pError);
    // Takes frames over TCP too, as a serial device server does: a raw byte stream on the loopback
    // address, one console at a time (a new one replaces the last).
    bool listenTcp(quint16 nPort, QString *pError);
    // Removes the link if it is still ours.
    void removeLink();

    // Routes SIGINT, SIGTERM and SIGHUP into the event loop; call once before start.
    static bool catchSignals();

private slots:
    void onMasterReadable();
    void onTcpConnection();
    void onTcpReadable();
    void onSignal();
    void onIdle();

private:
    bool publishLink(QString *pError);
    void print(const QList<DecodedFrame> &frames);
    void take(const QByteArray &bytes);
    void printLine(const QByteArray &line);
    void answer();

    QString m_linkPath;
    QString m_slavePath;
    QByteArray m_answer;
    bool m_isJson = false;
    bool m_isLinkPublished = false;
    int m_master = -1;
    // Kept open so that the master never reads EIO while the console has the port closed.
    int m_slave = -1;
    FrameDecoder m_decoder;
    QSocketNotifier *m_pMasterNotifier = nullptr;
    QSocketNotifier *m_pSignalNotifier = nullptr;
    QTimer *m_pIdleTimer = nullptr;
    QTcpServer *m_pServer = nullptr;
    // The console on TCP, which gets the answers while it sends.
    QTcpSocket *m_pClient = nullptr;
};

#endif // CONTROLLERSIM_H
