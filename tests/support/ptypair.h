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
    // A path of its own that leads to the slave terminal. QSerialPort names its lock file after the path
    // it opens, and a terminal number just given up by another test process may still be locked for a
    // moment; a unique path keeps parallel test programs apart.
    QString slavePath() const { return m_linkPath; }
    // The terminal device itself (/dev/pts/N).
    QString ttyPath() const { return m_slavePath; }

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
    QString m_linkDir;
    QString m_linkPath;
};

#endif // PTYPAIR_H
