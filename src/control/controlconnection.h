#ifndef CONTROLCONNECTION_H
#define CONTROLCONNECTION_H

#include "controlcommand.h"
#include "controllinereader.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QTcpSocket;

// One client of the control port. It reads the client's lines, holds the client to the token, and keeps
// what the client sent in order: the commands that wait for their turn, and the replies due after them.
// The server decides when a command runs; the connection writes its reply and whatever follows it.
class ControlConnection : public QObject
{
    Q_OBJECT

public:
    // Commands waiting per client; a client that sends more gets "ERR busy" for the extra ones.
    static constexpr int maxQueued = 32;
    // Replies a client leaves unread before it is dropped, in bytes.
    static constexpr int maxOutput = 64 * 1024;
    // Milliseconds a client has to send the token, and a client with a wrong token stays before it is
    // closed (guessing is slow, as the slot stays taken).
    static constexpr int authTimeout = 30000;
    static constexpr int refusalDelay = 1000;
    // Input taken from the system at a time; the rest waits there until it is read.
    static constexpr int readBufferSize = 16 * 1024;

    // An empty token lets the client in at once. bLocalPeer: the client is on this machine.
    ControlConnection(QTcpSocket *pSocket, const QByteArray &token, bool bLocalPeer,
                      QObject *pParent = nullptr);

    QString peer() const { return m_strPeer; }
    // True when the head of the queue is a command for the console.
    bool hasCommand() const;
    // The head command; only meaningful while hasCommand().
    ControlCommand command() const;
    // Where the head command came among all clients' commands: lower came first.
    quint64 commandOrder() const;
    // Replies to the head command, then writes the replies that are due after it.
    void answer(const QString &strReply);
    // Drops the client at once, without replies and without finished().
    void drop();

signals:
    // A command is at the head of the queue.
    void commandWaiting();
    // The client is gone or was sent away: the connection may be deleted.
    void finished();

private:
    enum End
    {
        KeepOpen,
        Close,
        CloseLater
    };
    struct Entry
    {
        ControlCommand command;
        // A reply due in order; empty for a command.
        QString reply;
        quint64 order = 0;
        End end = KeepOpen;
    };

    void readLines();
    void takeLine(const ControlLineReader::Item &item);
    void refuse(const QString &strReason, End end = KeepOpen);
    void queueReply(const QString &strReply, End end = KeepOpen);
    void writeDue();
    void write(const QString &strReply);
    void checkOutput();
    void log(const QString &strText) const;
    void finish();

    QTcpSocket *m_pSocket;
    ControlLineReader m_reader;
    const QByteArray m_token;
    const bool m_isLocalPeer;
    const QString m_strPeer;
    QList<Entry> m_queue;
    int m_nCommands = 0;
    qint64 m_nQueuedBytes = 0;
    bool m_isAuthenticated;
    // No more lines are taken: the client is being sent away.
    bool m_isEnding = false;
    // Sent away after a wrong token, the client keeps its slot for the refusal delay.
    bool m_isHeld = false;
    bool m_isFinished = false;
    QTimer m_authTimer;
};

#endif // CONTROLCONNECTION_H
