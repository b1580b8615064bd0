#ifndef SER2NET_H
#define SER2NET_H

// ser2net, a real serial device server, in front of a terminal: a raw TCP port and a Telnet (RFC 2217) one
// on loopback, both to the same terminal (one client at a time). Skips the test where ser2net is missing.
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QThread>

#include "testsupport.h"

namespace vt {

class Ser2net
{
public:
    explicit Ser2net(const QString &strTty)
    {
        m_strProgram = QStandardPaths::findExecutable("ser2net", {"/usr/sbin", "/usr/bin"});
        QString config;
        for (const QString &accepter : {QString("tcp"), QString("telnet(rfc2217),tcp")}) {
            QTcpServer probe;
            probe.listen(QHostAddress::LocalHost);
            ports << probe.serverPort();
            config +=
                QStringLiteral("connection: &c%1\n  accepter: %2,127.0.0.1,%1\n  connector: serialdev,%3,"
                               "9600n81,local\n  options:\n    kickolduser: true\n")
                    .arg(ports.last())
                    .arg(accepter, strTty);
        }
        m_strConfig = QDir::current().filePath("ser2net-%1.yaml").arg(ports.first());
        writeFile(m_strConfig, config.toUtf8());
    }
    ~Ser2net() { stop(); }
    bool isThere() const { return !m_strProgram.isEmpty(); }
    // Up once its ports are taken: a connection to try would open the terminal for a while.
    bool start()
    {
        m_process.start(m_strProgram, {"-n", "-d", "-c", m_strConfig});
        for (int tries = 0; tries < 50; ++tries) {
            QTcpServer probe;
            if (!probe.listen(QHostAddress::LocalHost, ports[0]) &&
                !probe.listen(QHostAddress::LocalHost, ports[1]))
                return true;
            probe.close();
            QThread::msleep(100);
        }
        return false;
    }
    void stop()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    QString raw() const { return QStringLiteral("socket://127.0.0.1:%1").arg(ports[0]); }
    QString telnet() const { return QStringLiteral("rfc2217://127.0.0.1:%1").arg(ports[1]); }

    QList<quint16> ports;

private:
    QString m_strProgram;
    QString m_strConfig;
    QProcess m_process;
};

} // namespace vt

#endif // SER2NET_H
