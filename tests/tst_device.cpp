// The device link seen from the wire: the bytes of every frame, and what a controller on a real
// pseudo-terminal receives, answers and survives.
#include "ptypair.h"
#include "ser2net.h"
#include "seriallink.h"
#include "testsupport.h"

#include <QSerialPort>
#include <QTcpServer>
#include <QTcpSocket>

#include <fcntl.h>
#include <functional>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

SerialLink *link()
{
    return SerialLink::theSerialLink();
}

// Descriptors of this process on the terminal: the pair's own, and the link's while it holds the port.
// The terminal is known by its device number: its name goes when the controller's side closes.
int descriptorsOn(dev_t device)
{
    int count = 0;
    for (const QString &entry : QDir("/proc/self/fd").entryList(QDir::Files | QDir::System)) {
        struct stat info;
        count += ::fstat(entry.toInt(), &info) == 0 && S_ISCHR(info.st_mode) && info.st_rdev == device;
    }
    return count;
}

// A second descriptor on the terminal, opened before the link takes it exclusively: it sees the settings
// the link applied and the input it left unread.
dev_t deviceOf(const QString &strTty)
{
    struct stat info;
    return ::stat(QFile::encodeName(strTty).constData(), &info) == 0 ? info.st_rdev : 0;
}

int openProbe(const QString &strTty)
{
    return ::open(QFile::encodeName(strTty).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
}

void allNineCommands()
{
    link()->setInputMode(1);
    link()->switchSignal(2);
    link()->setResolution(0, 0, 0);
    link()->spliceOpenModel();
    link()->setSplice(2, 3, 0, 0);
    link()->showAddressInfo(true);
    link()->setRotate(3, 1);
    link()->setPosition(1, 0, 0, 0, 3840, 2160);
    link()->resetUnit(0xFF);
}

const QByteArray fullWindow = hex("c5a70a01100000 0f00 0000 0870 0e");
const QByteArray resetAll = hex("c5a703ff00ff6d");

} // namespace

Q_DECLARE_METATYPE(std::function<void()>)

class TestDevice : public QObject
{
    Q_OBJECT

    PtyPair *m_pPty = nullptr;

private slots:
    void initTestCase() { vt::enterFreshDir(); }
    void init() { m_pPty = new PtyPair; }
    void cleanup()
    {
        link()->close();
        delete m_pPty;
    }

    void frames_data()
    {
        QTest::addColumn<std::function<void()>>("command");
        QTest::addColumn<QByteArray>("frame");
#define ROW(name, command, frame) QTest::newRow(name) << std::function<void()>([] { command; }) << hex(frame)
        ROW("input mode 2", link()->setInputMode(2), "c5a703003200 a1");
        ROW("input mode 7", link()->setInputMode(7), "c5a703000000 6f");
        ROW("input mode 0", link()->setInputMode(0), "c5a703003000 9f");
        ROW("signal 1, DP", link()->switchSignal(1), "c5a703001301 83");
        ROW("signal 2, HDMI1", link()->switchSignal(2), "c5a703001302 84");
        ROW("signal 3, HDMI2", link()->switchSignal(3), "c5a703001303 85");
        ROW("signal 4, wireless", link()->switchSignal(4), "c5a703001304 86");
        ROW("resolution 0", link()->setResolution(0, 0, 0), "c5a703003400 a3");
        ROW("resolution 1 at 1/2", link()->setResolution(1, 1, 2), "c5a703123500 b6");
        ROW("resolution 2", link()->setResolution(2, 0, 0), "c5a703003b00 aa");
        ROW("open model", link()->spliceOpenModel(), "c5a706ff110f0f0000 a0");
        ROW("splice 2 x 3", link()->setSplice(2, 3, 0, 0), "c5a706ff1102030000 87");
        ROW("splice 1 x 255, edges 255, 7", link()->setSplice(1, 255, 255, 7), "c5a706ff1101ffff07 88");
        // Refused whole: no field wraps into its byte, whatever a panel let through.
        ROW("splice out of range", link()->setSplice(0, 3, 0, 0); link()->setSplice(256, 3, 0, 0);
            link()->setSplice(3, 0, 0, 0); link()->setSplice(3, 256, 0, 0); link()->setSplice(3, 3, -1, 0);
            link()->setSplice(3, 3, 0, 256), "");
        ROW("position out of range", link()->setPosition(5, 0, -1, 0, 1, 1);
            link()->setPosition(5, 0, 0, 65536, 1, 1); link()->setPosition(5, 0, 0, 0, 65536, 1);
            link()->setPosition(5, 0, 0, 0, 1, -1); link()->setPosition(64, 0, 0, 0, 1, 1), "");
        ROW("others out of range", link()->switchSignal(256); link()->setResolution(0, 16, 0);
            link()->setResolution(0, 15, 15); link()->setRotate(64, 1); link()->resetUnit(64);
            link()->resetUnit(-1), "");
        ROW("address info on", link()->showAddressInfo(true), "c5a703ff0101 70");
        ROW("address info off", link()->showAddressInfo(false), "c5a703ff0100 6f");
        ROW("rotate 1", link()->setRotate(3, 1), "c5a703031201 85");
        ROW("rotate 3", link()->setRotate(3, 3), "c5a703031203 87");
        ROW("rotate 4 is 2", link()->setRotate(3, 4), "c5a703031202 86");
        ROW("rotate -2 is 0", link()->setRotate(3, -2), "c5a703031200 84");
        ROW("position", link()->setPosition(5, 9, 10, 20, 30, 40), "c5a70a0510000a001e00140028 ef");
        ROW("full wall", link()->setPosition(1, 0, 0, 0, 3840, 2160), "c5a70a011000000f0000000870 0e");
        ROW("reset all", link()->resetUnit(0xFF), "c5a703ff00ff 6d");
        ROW("reset 7", link()->resetUnit(7), "c5a7030700ff 75");
#undef ROW
    }
    void frames()
    {
        QFETCH(std::function<void()>, command);
        QFETCH(QByteArray, frame);
        QVERIFY(link()->open(m_pPty->slavePath()));
        vt::MessageCapture capture;
        command();
        QCOMPARE(m_pPty->read(0, frame.isEmpty() ? 50 : 100).toHex(' '), frame.toHex(' '));
        const QStringList lines =
            frame.isEmpty() ? QStringList() : QStringList{"true", "out   " + frame.toHex()};
        QCOMPARE(capture.lines, lines);
    }

    // 9600 8N1 without flow control, from a terminal set otherwise; a closed link sends and logs nothing,
    // lets the terminal go, and opens again.
    void openAndClose()
    {
        const dev_t tty = deviceOf(m_pPty->ttyPath());
        const int probe = openProbe(m_pPty->ttyPath());
        termios tio;
        ::tcgetattr(probe, &tio);
        cfsetispeed(&tio, B1200);
        cfsetospeed(&tio, B1200);
        tio.c_cflag |= CSTOPB | CRTSCTS;
        tio.c_iflag |= IXON | IXOFF;
        ::tcsetattr(probe, TCSANOW, &tio);
        const int idle = descriptorsOn(tty);
        QVERIFY(link()->open(m_pPty->slavePath()));
        QCOMPARE(descriptorsOn(tty), idle + 1);
        ::tcgetattr(probe, &tio);
        ::close(probe);
        QCOMPARE(cfgetispeed(&tio), speed_t(B9600));
        QCOMPARE(cfgetospeed(&tio), speed_t(B9600));
        QCOMPARE(tio.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t(CS8));
        QCOMPARE(tio.c_iflag & (IXON | IXOFF), tcflag_t(0));

        link()->close();
        link()->close();
        QVERIFY(!link()->isConnected());
        QCOMPARE(descriptorsOn(tty), idle - 1);
        vt::MessageCapture capture;
        allNineCommands();
        QCOMPARE(capture.lines, QStringList());
        link()->send(resetAll);
        QCOMPARE(capture.lines, QStringList{"false"});
        QCOMPARE(m_pPty->read(), QByteArray());
    }

    // What the controller answers is read away, whether it waits already or comes after the frame.
    void answersAreDrained()
    {
        const int probe = openProbe(m_pPty->ttyPath());
        QVERIFY(link()->open(m_pPty->slavePath()));
        const QByteArray answer = QByteArray("\xa7\xc5\x02OK", 5).repeated(40);
        QVERIFY(m_pPty->write(answer));
        link()->setPosition(1, 0, 0, 0, 3840, 2160);
        QCOMPARE(m_pPty->read(), fullWindow);
        QByteArray received;
        std::thread peer([&] {
            received = m_pPty->read(resetAll.size(), 2000);
            m_pPty->write(answer);
        });
        link()->resetUnit(0xFF);
        peer.join();
        QCOMPARE(received, resetAll);
        // Nothing of either answer is left for the next exchange.
        int pending = -1;
        ::ioctl(probe, FIONREAD, &pending);
        ::close(probe);
        QCOMPARE(pending, 0);
    }

    // The controller hangs up during an exchange: commands keep returning, the dead device is let go (the
    // event loop does not spin on it).
    void controllerGoesAway()
    {
        const dev_t tty = deviceOf(m_pPty->ttyPath());
        const int idle = descriptorsOn(tty);
        QVERIFY(link()->open(m_pPty->slavePath()));
        QByteArray received;
        std::thread peer([&] {
            received = m_pPty->read(fullWindow.size(), 2000);
            m_pPty->closeMaster();
        });
        link()->setPosition(1, 0, 0, 0, 3840, 2160);
        peer.join();
        QTest::qWait(100);
        QCOMPARE(received, fullWindow);
        allNineCommands();
        QCOMPARE(descriptorsOn(tty), idle);
    }

    // Why a line did not open, in words an operator can act on; the link stays closed and silent, and a
    // good port opens on the same link. A window without an address reaches no unit: -1 would pack into
    // the broadcast target.
    void failureReasons()
    {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QString refused = QStringLiteral("socket://127.0.0.1:%1").arg(closed.serverPort());
        closed.close();
        auto *pHolder = new QSerialPort(m_pPty->slavePath());
        QVERIFY(pHolder->open(QIODevice::ReadWrite));
        QStringList reasons;
        for (const QString &name :
             {QString("/dev/vw-no-such-port"), QString("COM97"), QString(), m_pPty->slavePath(), refused,
              QString("rfc2217://no-such-host.invalid:4001"), QString("socket://[::1]")}) {
            QSignalSpy spy(link(), SIGNAL(stateChanged()));
            vt::MessageCapture capture;
            QVERIFY2(!link()->open(name), qPrintable(name));
            link()->resetUnit(0xFF);
            QVERIFY(link()->state() == SerialLink::Disconnected && spy.size() == 1 &&
                    capture.lines.isEmpty());
            reasons << link()->errorString();
        }
        QCOMPARE(
            reasons.join('|'),
            "no such device|no such device|no port chosen|the port is locked by another program|connection "
            "refused: is the device server on, and the port right?|host not found|a network port is named "
            "with its host and port, as in socket://192.168.1.50:4001");
        delete pHolder;
        QVERIFY(link()->open(m_pPty->slavePath()));
        link()->setRotate(-1, 1);
        link()->setPosition(-1, -1, 10, 20, 30, 40);
        link()->resetUnit(7);
        QCOMPARE(m_pPty->read(), hex("c5a7030700ff75"));
    }

    // Telnet with the COM-PORT-OPTION, against a server that states its own options: the link asks for
    // binary both ways, no go-ahead and the port settings at once, agrees to the options it wants and
    // refuses the others, once each, and doubles a 0xFF of a frame.
    void telnetNegotiation()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        // The server says nothing until the link is open: the link's first wait for it runs out.
        QVERIFY(link()->open(QStringLiteral("rfc2217://127.0.0.1:%1").arg(server.serverPort())));
        QTRY_VERIFY(server.hasPendingConnections());
        QTcpSocket *pPeer = server.nextPendingConnection();
        QByteArray greeting;
        QTRY_COMPARE((greeting += pPeer->readAll()).size(), 53);
        // IAC DO/WILL BINARY, SGA; IAC WILL COM-PORT; 9600 baud, 8 data bits, no parity, 1 stop bit, no flow.
        QCOMPARE(greeting.toHex(' '),
                 hex("fffd00 fffd03 fffb00 fffb03 fffb2c fffa2c0100002580fff0 fffa2c0208fff0 "
                     "fffa2c0301fff0 fffa2c0401fff0 fffa2c0501fff0")
                     .toHex(' '));
        // The server: WILL BINARY (agreed already), WILL ECHO, DO TERMINAL-TYPE, WILL COM-PORT, a line-state
        // note, DONT SGA.
        pPeer->write(hex("fffb00 fffb01 fffd18 fffb2c fffa2c6b00fff0 fffe03"));
        pPeer->flush();
        link()->resetUnit(0xFF);
        QByteArray received;
        QTRY_COMPARE((received += pPeer->readAll()).toHex(' '),
                     hex("c5a703ffff00ffff6d fffe01 fffc18 fffd2c fffc03").toHex(' '));
    }

    // ser2net in front of the terminal: raw TCP and Telnet with the COM-PORT-OPTION deliver every frame
    // whole, 0xFF and CR NUL included; a stopped server is a lost line, one open reaches it once back.
    void serialDeviceServer()
    {
        vt::Ser2net server(m_pPty->ttyPath());
        if (!server.isThere())
            QSKIP("ser2net is not installed (scripts/test installs it)");
        QVERIFY(server.start());
        const QByteArray frames = hex("c5a703ff00ff6d c5a70a01100d00000d0000000d ae");
        for (const QString &scheme : {server.raw(), server.telnet()}) {
            QVERIFY(link()->open(scheme));
            link()->resetUnit(0xFF);
            link()->setPosition(1, 0, 3328, 0, 13, 13);
            QCOMPARE(m_pPty->read(frames.size(), 3000).toHex(' '), frames.toHex(' '));
            // The server lets go of the terminal a moment after the connection closes.
            if (scheme.startsWith("socket")) {
                link()->close();
                QTest::qWait(300);
            }
        }
        server.stop();
        QTRY_COMPARE(link()->state(), SerialLink::Lost);
        link()->resetUnit(0xFF);
        QVERIFY(server.start());
        QVERIFY(link()->open(server.telnet()));
        link()->resetUnit(7);
        QCOMPARE(m_pPty->read(7, 3000), hex("c5a7030700ff75"));
    }
};

QTEST_GUILESS_MAIN(TestDevice)
#include "tst_device.moc"
