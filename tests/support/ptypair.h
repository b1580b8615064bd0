#ifndef PTYPAIR_H
#define PTYPAIR_H

#include <QByteArray>
#include <QString>

// A pseudo-terminal pair standing in for a serial cable: the program opens slavePath() like any
// port, and the test reads what it wrote (and writes answers) on the master side.
class PtyPair
{
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool isValid() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

    // Everything that arrives within timeoutMs of the last byte (or of the call, if nothing comes).
    QByteArray readAll(int timeoutMs = 100);
    // Reads until at least nBytes arrived or timeoutMs passed.
    QByteArray readBytes(int nBytes, int timeoutMs = 1000);
    bool write(const QByteArray &bytes);
    // Closes the master side, as a peer that goes away.
    void closeMaster();

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
};

#endif // PTYPAIR_H
