// The device link seen from outside: the bytes of every frame, and what a peer on a real
// pseudo-terminal receives, answers and survives.
#include "commandpacket.h"
#include "messagecapture.h"
#include "ptypair.h"
#include "seriallink.h"
#include "testdir.h"

#include <QDir>
#include <QtTest>

#include <fcntl.h>
#include <iterator>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', QByteArray()));
}

QStringList sentLines(const QByteArray &frame)
{
    return {QStringLiteral("true"), QStringLiteral("out   ") + QString::fromLatin1(frame.toHex())};
}

// A second descriptor on the slave side, opened before the link takes the port exclusively. It shares the
// terminal with the link, so it sees the settings the link applied and the input the link left unread.
class SlaveProbe
{
public:
    explicit SlaveProbe(const QString &path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        struct stat info;
        if (m_fd >= 0 && ::fstat(m_fd, &info) == 0)
            m_device = info.st_rdev;
    }
    ~SlaveProbe() { ::close(m_fd); }
    termios attributes() const
    {
        termios tio{};
        ::tcgetattr(m_fd, &tio);
        return tio;
    }
    void setAttributes(const termios &tio) const { ::tcsetattr(m_fd, TCSANOW, &tio); }
    int pendingInput() const
    {
        int count = -1;
        ::ioctl(m_fd, FIONREAD, &count);
        return count;
    }
    // Descriptors of this process on the same terminal: the pair's, the probe's and the link's, if open.
    int openDescriptors() const
    {
        int count = 0;
        for (const QString &entry : QDir("/proc/self/fd").entryList(QDir::Files | QDir::System)) {
            struct stat info;
            if (::fstat(entry.toInt(), &info) == 0 && S_ISCHR(info.st_mode) && info.st_rdev == m_device)
                ++count;
        }
        return count;
    }

private:
    int m_fd = -1;
    dev_t m_device = 0;
};

// Every device command, with the frame it must put on the wire.
const struct
{
    const char *name;
    void (*run)(SerialLink *);
    const char *frame;
} commandCases[] = {
    {"setInputMode(2)", [](SerialLink *p) { p->setInputMode(2); }, "C5 A7 03 00 32 00 A1"},
    {"setInputMode(7)", [](SerialLink *p) { p->setInputMode(7); }, "C5 A7 03 00 00 00 6F"},
    {"switchSignal(2)", [](SerialLink *p) { p->switchSignal(2); }, "C5 A7 03 00 13 02 84"},
    {"setResolution(0,0,0)", [](SerialLink *p) { p->setResolution(0, 0, 0); }, "C5 A7 03 00 34 00 A3"},
    {"setResolution(1,1,2)", [](SerialLink *p) { p->setResolution(1, 1, 2); }, "C5 A7 03 12 35 00 B6"},
    {"spliceOpenModel()", [](SerialLink *p) { p->spliceOpenModel(); }, "C5 A7 06 FF 11 0F 0F 00 00 A0"},
    {"setSplice(2,3,0,0)", [](SerialLink *p) { p->setSplice(2, 3, 0, 0); }, "C5 A7 06 FF 11 02 03 00 00 87"},
    {"setSplice(4,4,300,-1)", [](SerialLink *p) { p->setSplice(4, 4, 300, -1); },
     "C5 A7 06 FF 11 04 04 2C FF B5"},
    {"showAddressInfo(true)", [](SerialLink *p) { p->showAddressInfo(true); }, "C5 A7 03 FF 01 01 70"},
    {"showAddressInfo(false)", [](SerialLink *p) { p->showAddressInfo(false); }, "C5 A7 03 FF 01 00 6F"},
    {"setRotate(3,1)", [](SerialLink *p) { p->setRotate(3, 1); }, "C5 A7 03 03 12 01 85"},
    {"setRotate(3,3)", [](SerialLink *p) { p->setRotate(3, 3); }, "C5 A7 03 03 12 03 87"},
    {"setRotate(3,4)", [](SerialLink *p) { p->setRotate(3, 4); }, "C5 A7 03 03 12 02 86"},
    {"setRotate(3,7)", [](SerialLink *p) { p->setRotate(3, 7); }, "C5 A7 03 03 12 02 86"},
    {"setRotate(3,-2)", [](SerialLink *p) { p->setRotate(3, -2); }, "C5 A7 03 03 12 00 84"},
    {"setPosition(5,9,10,20,30,40)", [](SerialLink *p) { p->setPosition(5, 9, 10, 20, 30, 40); },
     "C5 A7 0A 05 10 00 0A 00 1E 00 14 00 28 EF"},
    {"setPosition(1,0,0,0,3840,2160)", [](SerialLink *p) { p->setPosition(1, 0, 0, 0, 3840, 2160); },
     "C5 A7 0A 01 10 00 00 0F 00 00 00 08 70 0E"},
    {"resetUnit(0xFF)", [](SerialLink *p) { p->resetUnit(0xFF); }, "C5 A7 03 FF 00 FF 6D"},
    {"resetUnit(7)", [](SerialLink *p) { p->resetUnit(7); }, "C5 A7 03 07 00 FF 75"},
};

void runAllNineCommands(SerialLink *pLink)
{
    pLink->setInputMode(1);
    pLink->switchSignal(2);
    pLink->setResolution(0, 0, 0);
    pLink->spliceOpenModel();
    pLink->setSplice(2, 3, 0, 0);
    pLink->showAddressInfo(true);
    pLink->setRotate(3, 1);
    pLink->setPosition(1, 0, 0, 0, 3840, 2160);
    pLink->resetUnit(0xFF);
}

SerialLink *link()
{
    return SerialLink::theSerialLink();
}

const QByteArray resetAll = hex("C5 A7 03 FF 00 FF 6D");
const QByteArray fullWindow = hex("C5 A7 0A 01 10 00 00 0F 00 00 00 08 70 0E");

} // namespace

class TestDevice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testdir::enterFresh(); }
    void cleanup() { link()->close(); }

    // The builder beyond what the link's commands reach: codes out of range, bytes that wrap, targets
    // packed into nibbles. Every payload is built over a longer one, which it must replace whole.
    void builderEdges_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QByteArray>("frame");
        CommandPacket p;
        p.data = QByteArray(20, '\x55');
        auto add = [](const char *name, const CommandPacket &packet, const char *frame) {
            QTest::newRow(name) << packet.data << hex(frame);
        };
        add("input mode 0", p.makeInputMode(0), "C5 A7 03 00 30 00 9F");
        add("input mode 1", p.makeInputMode(1), "C5 A7 03 00 31 00 A0");
        add("input mode 3", p.makeInputMode(3), "C5 A7 03 00 33 00 A2");
        add("input mode 4", p.makeInputMode(4), "C5 A7 03 00 00 00 6F");
        add("input mode -1", p.makeInputMode(-1), "C5 A7 03 00 00 00 6F");
        add("position wraps", p.makePosition(-1, -2, 0x11234, 70000, 0x3F),
            "C5 A7 0A 3F 10 FF FF 12 34 FF FE 11 70 87");
        add("resolution 2", p.makeResolution(2, 0, 0), "C5 A7 03 00 3B 00 AA");
        add("resolution 3", p.makeResolution(3, 0, 0), "C5 A7 03 00 00 00 6F");
        add("resolution -1", p.makeResolution(-1, 0, 0), "C5 A7 03 00 00 00 6F");
        add("sub -1", p.makeResolution(0, 5, -1), "C5 A7 03 FF 34 00 A2");
        add("main -1", p.makeResolution(0, -1, 0), "C5 A7 03 F0 34 00 93");
        add("main 16", p.makeResolution(0, 16, 0), "C5 A7 03 00 34 00 A3");
        add("splice to 1", p.makeSplice(1, 2, 3, 4, 5), "C5 A7 06 01 11 02 03 04 05 92");
        add("signal 256", p.makeSignal(256), "C5 A7 03 00 13 00 82");
        add("signal 300", p.makeSignal(300), "C5 A7 03 00 13 2C AE");
        add("signal -1", p.makeSignal(-1), "C5 A7 03 00 13 FF 81");
        add("address to 5", p.makeAddressInfo(true, 5), "C5 A7 03 05 01 01 76");
        add("rotate at -1", p.makeRotate(1, -1), "C5 A7 03 FF 12 01 81");
        add("reset 256", p.makeReset(256), "C5 A7 03 00 00 FF 6E");
    }
    void builderEdges()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QByteArray, frame);
        QCOMPARE(payload, frame.mid(3, frame.size() - 4));
        CommandPacket packet;
        packet.data = payload;
        QCOMPARE(packFrame(packet).toHex(' '), frame.toHex(' '));
    }

    // Runs first among the link cases, while the singleton has never opened a port.
    void closeNeverOpened()
    {
        MessageCapture capture;
        link()->close();
        QVERIFY(!link()->isConnected());
        QCOMPARE(capture.lines(), QStringList());
    }

    void openConfiguresPort()
    {
        PtyPair pty;
        SlaveProbe probe(pty.slavePath());
        // Start from settings that differ in every respect the link must set.
        termios tio = probe.attributes();
        cfsetispeed(&tio, B1200);
        cfsetospeed(&tio, B1200);
        tio.c_cflag |= CSTOPB | CRTSCTS;
        tio.c_iflag |= IXON | IXOFF;
        probe.setAttributes(tio);

        QVERIFY(link()->open(pty.slavePath()));
        QVERIFY(link()->isConnected());
        tio = probe.attributes();
        QCOMPARE(cfgetispeed(&tio), speed_t(B9600));
        QCOMPARE(cfgetospeed(&tio), speed_t(B9600));
        // A pseudo-terminal keeps 8 bits without parity whatever is asked; these two hold on real ports.
        QCOMPARE(tio.c_cflag & CSIZE, tcflag_t(CS8));
        QCOMPARE(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
        QCOMPARE(tio.c_iflag & (IXON | IXOFF), tcflag_t(0));
        QVERIFY(tio.c_cflag & CREAD);
    }

    // A device path is opened as given, as are the links to one (as under /dev/serial/by-id, and as every
    // other case here opens its terminal).
    void openByDevicePath()
    {
        PtyPair pty;
        // Another program that just gave up a terminal of this number may still hold its lock a moment.
        bool isOpen = link()->open(pty.ttyPath());
        for (int attempt = 0; !isOpen && attempt < 50; ++attempt) {
            QThread::msleep(10);
            isOpen = link()->open(pty.ttyPath());
        }
        QVERIFY(isOpen);
        link()->resetUnit(0xFF);
        QCOMPARE(pty.readAll(50), resetAll);
    }

    void missingPortThenValid_data()
    {
        QTest::addColumn<QString>("missing");
        QTest::newRow("absent device path") << QStringLiteral("/dev/vw-no-such-port");
        QTest::newRow("absent COM name") << QStringLiteral("COM97");
        QTest::newRow("empty name") << QString();
        QTest::newRow("not a terminal") << QStringLiteral("/proc/self/status");
    }
    void missingPortThenValid()
    {
        QFETCH(QString, missing);
        MessageCapture capture;
        QVERIFY(!link()->open(missing));
        QVERIFY(!link()->isConnected());
        link()->resetUnit(0xFF);
        QCOMPARE(capture.lines(), QStringList());

        PtyPair pty;
        QVERIFY(link()->open(pty.slavePath()));
        QVERIFY(link()->isConnected());
        link()->resetUnit(0xFF);
        QCOMPARE(pty.readAll(50), resetAll);
    }

    // A second open keeps the device the link already has and reports the link connected.
    void openWhileConnected()
    {
        PtyPair first;
        PtyPair second;
        QVERIFY(link()->open(first.slavePath()));
        QVERIFY(link()->open(QStringLiteral("/dev/vw-no-such-port")));
        QVERIFY(link()->open(second.slavePath()));
        link()->switchSignal(2);
        QCOMPARE(first.readAll(50), hex("C5 A7 03 00 13 02 84"));
        QCOMPARE(second.readAll(20), QByteArray());
    }

    // Closed, the link lets the terminal go and sends and logs nothing; the same link opens again.
    void closeDisconnectsAndReleases()
    {
        PtyPair pty;
        SlaveProbe probe(pty.slavePath());
        const int idle = probe.openDescriptors();
        QVERIFY(link()->open(pty.slavePath()));
        QCOMPARE(probe.openDescriptors(), idle + 1);
        link()->close();
        link()->close();
        QVERIFY(!link()->isConnected());
        QCOMPARE(probe.openDescriptors(), idle);
        {
            MessageCapture capture;
            runAllNineCommands(link());
            QCOMPARE(capture.lines(), QStringList());
            link()->send(resetAll);
            QCOMPARE(capture.lines(), QStringList{"false"});
        }
        QCOMPARE(pty.readAll(50), QByteArray());
        QVERIFY(link()->open(pty.slavePath()));
        link()->resetUnit(7);
        QCOMPARE(pty.readAll(50), hex("C5 A7 03 07 00 FF 75"));
    }

    void commandBytes_data()
    {
        QTest::addColumn<int>("command");
        for (int i = 0; i < int(std::size(commandCases)); ++i)
            QTest::newRow(commandCases[i].name) << i;
    }
    void commandBytes()
    {
        QFETCH(int, command);
        const QByteArray frame = hex(commandCases[command].frame);
        PtyPair pty;
        QVERIFY(link()->open(pty.slavePath()));
        MessageCapture capture;
        commandCases[command].run(link());
        QCOMPARE(pty.readAll(50).toHex(' '), frame.toHex(' '));
        QCOMPARE(capture.lines(), sentLines(frame));
    }

    // -1 packs into the broadcast target: a window without an address must reach no unit.
    void windowWithoutAddress()
    {
        PtyPair pty;
        QVERIFY(link()->open(pty.slavePath()));
        MessageCapture capture;
        link()->setRotate(-1, 1);
        link()->setPosition(-1, 0, 0, 0, 3840, 2160);
        link()->setPosition(-1, -1, 10, 20, 30, 40);
        QCOMPARE(pty.readAll(50), QByteArray());
        QCOMPARE(capture.lines(), QStringList());
    }

    // What the controller answers is read away, whether it was waiting already or comes after the frame.
    void answerIsDrained_data()
    {
        QTest::addColumn<bool>("answerFirst");
        QTest::newRow("answer waiting") << true;
        QTest::newRow("answer after frame") << false;
    }
    void answerIsDrained()
    {
        QFETCH(bool, answerFirst);
        PtyPair pty;
        SlaveProbe probe(pty.slavePath());
        QVERIFY(link()->open(pty.slavePath()));
        const QByteArray answer = QByteArray("\xA7\xC5\x02OK", 5).repeated(40);
        QByteArray received;
        if (answerFirst) {
            QVERIFY(pty.write(answer));
            link()->setPosition(1, 0, 0, 0, 3840, 2160);
            received = pty.readAll(50);
        } else {
            std::thread peer([&]() {
                received = pty.readBytes(fullWindow.size(), 2000);
                pty.write(answer);
            });
            link()->setPosition(1, 0, 0, 0, 3840, 2160);
            peer.join();
        }
        QCOMPARE(received, fullWindow);
        QCOMPARE(probe.pendingInput(), 0);
        // The next exchange carries its own frame only, and nothing is left behind.
        link()->resetUnit(0xFF);
        QCOMPARE(pty.readAll(50), resetAll);
        QCOMPARE(probe.pendingInput(), 0);
    }

    // The peer goes away: the link keeps its state, commands keep returning, the dead device is let go (so
    // the event loop does not spin on it), and the operator can connect again.
    void peerGoesAway_data()
    {
        QTest::addColumn<int>("when");
        QTest::newRow("between exchanges, then the event loop") << 0;
        QTest::newRow("between exchanges, then a command") << 1;
        QTest::newRow("during an exchange") << 2;
    }
    void peerGoesAway()
    {
        QFETCH(int, when);
        PtyPair pty;
        SlaveProbe probe(pty.slavePath());
        const int idle = probe.openDescriptors();
        QVERIFY(link()->open(pty.slavePath()));
        QByteArray received;
        if (when == 2) {
            // The peer takes the frame and hangs up while the link waits for an answer.
            std::thread peer([&]() {
                received = pty.readBytes(fullWindow.size(), 2000);
                pty.closeMaster();
            });
            link()->setPosition(1, 0, 0, 0, 3840, 2160);
            peer.join();
        } else {
            link()->setPosition(1, 0, 0, 0, 3840, 2160);
            received = pty.readAll(50);
            pty.closeMaster();
            if (when == 0)
                QTest::qWait(100);
        }
        QCOMPARE(received, fullWindow);
        {
            MessageCapture capture;
            link()->setRotate(3, 1);
            QCOMPARE(capture.lines(), sentLines(hex("C5 A7 03 03 12 01 85")));
        }
        runAllNineCommands(link());
        QTest::qWait(20);
        QCOMPARE(probe.openDescriptors(), idle);
        QVERIFY(link()->isConnected());

        link()->close();
        QVERIFY(!link()->isConnected());
        PtyPair again;
        QVERIFY(link()->open(again.slavePath()));
        link()->resetUnit(0xFF);
        QCOMPARE(again.readAll(50), resetAll);
    }
};

QTEST_GUILESS_MAIN(TestDevice)
#include "tst_device.moc"
