// The device link seen from outside: the bytes of every frame, and what a peer on a real
// pseudo-terminal receives, answers and survives.
#include "commandpacket.h"
#include "messagecapture.h"
#include "ptypair.h"
#include "seriallink.h"
#include "testdir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
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

QString outLine(const QByteArray &frame)
{
    return QStringLiteral("out   ") + QString::fromLatin1(frame.toHex());
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
    ~SlaveProbe()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool isValid() const { return m_fd >= 0; }
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
        const QStringList entries =
            QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System);
        for (const QString &entry : entries) {
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

struct CommandCase
{
    const char *name;
    void (*run)(SerialLink *);
    const char *frame;
};

// Every device command, with the frame it must put on the wire.
const CommandCase commandCases[] = {
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

// The port's lock file is named after the path it is opened by. Another program on the machine that has
// just closed a terminal of the same number may still hold the lock of /dev/pts/N for a moment, so the
// link opens each terminal through a link of its own name.
QString portPath(const PtyPair &pty)
{
    static QTemporaryDir dir;
    static int count = 0;
    const QString path = dir.filePath(QStringLiteral("port-%1").arg(++count));
    QFile::link(pty.slavePath(), path);
    return path;
}

} // namespace

class TestDevice : public QObject
{
    Q_OBJECT

private:
    void addFrameColumns()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QByteArray>("frame");
    }
    void addCommandRows()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QByteArray>("frame");
        for (int i = 0; i < int(sizeof commandCases / sizeof commandCases[0]); ++i)
            QTest::newRow(commandCases[i].name) << i << hex(commandCases[i].frame);
    }
    void checkFrame()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QByteArray, frame);
        QCOMPARE(payload, frame.mid(3, frame.size() - 4));
        CommandPacket packet;
        packet.data = payload;
        QCOMPARE(packFrame(packet).toHex(' '), frame.toHex(' '));
    }

private slots:
    void initTestCase() { testdir::enterFresh(); }
    void cleanup() { link()->close(); }

    // ---- Frames ----

    void workedFrames_data()
    {
        addFrameColumns();
        QTest::newRow("reset all") << CommandPacket().makeReset(0xFF).data << hex("C5 A7 03 FF 00 FF 6D");
        QTest::newRow("splice 2x3") << CommandPacket().makeSplice(0xFF, 2, 3, 0, 0).data
                                    << hex("C5 A7 06 FF 11 02 03 00 00 87");
        QTest::newRow("open model") << CommandPacket().makeSplice(0xFF, 15, 15, 0, 0).data
                                    << hex("C5 A7 06 FF 11 0F 0F 00 00 A0");
        QTest::newRow("input mode 2") << CommandPacket().makeInputMode(2).data << hex("C5 A7 03 00 32 00 A1");
        QTest::newRow("resolution 0")
            << CommandPacket().makeResolution(0, 0, 0).data << hex("C5 A7 03 00 34 00 A3");
        QTest::newRow("signal 2") << CommandPacket().makeSignal(2).data << hex("C5 A7 03 00 13 02 84");
        QTest::newRow("show address")
            << CommandPacket().makeAddressInfo(true, 0xFF).data << hex("C5 A7 03 FF 01 01 70");
        QTest::newRow("rotate") << CommandPacket().makeRotate(1, 3).data << hex("C5 A7 03 03 12 01 85");
        QTest::newRow("full window") << CommandPacket().makePosition(0, 0, 3840, 2160, 1).data
                                     << hex("C5 A7 0A 01 10 00 00 0F 00 00 00 08 70 0E");
    }
    void workedFrames() { checkFrame(); }

    void builderEdges_data()
    {
        addFrameColumns();
        QTest::newRow("input mode 0") << CommandPacket().makeInputMode(0).data << hex("C5 A7 03 00 30 00 9F");
        QTest::newRow("input mode 3") << CommandPacket().makeInputMode(3).data << hex("C5 A7 03 00 33 00 A2");
        QTest::newRow("input mode 4") << CommandPacket().makeInputMode(4).data << hex("C5 A7 03 00 00 00 6F");
        QTest::newRow("input mode -1")
            << CommandPacket().makeInputMode(-1).data << hex("C5 A7 03 00 00 00 6F");
        QTest::newRow("resolution 2")
            << CommandPacket().makeResolution(2, 0, 0).data << hex("C5 A7 03 00 3B 00 AA");
        QTest::newRow("resolution 3")
            << CommandPacket().makeResolution(3, 0, 0).data << hex("C5 A7 03 00 00 00 6F");
        QTest::newRow("resolution -1")
            << CommandPacket().makeResolution(-1, 0, 0).data << hex("C5 A7 03 00 00 00 6F");
        QTest::newRow("target 1/2") << CommandPacket().makeResolution(1, 1, 2).data
                                    << hex("C5 A7 03 12 35 00 B6");
        QTest::newRow("sub -1") << CommandPacket().makeResolution(0, 5, -1).data
                                << hex("C5 A7 03 FF 34 00 A2");
        QTest::newRow("main -1") << CommandPacket().makeResolution(0, -1, 0).data
                                 << hex("C5 A7 03 F0 34 00 93");
        QTest::newRow("main 16") << CommandPacket().makeResolution(0, 16, 0).data
                                 << hex("C5 A7 03 00 34 00 A3");
        QTest::newRow("signal 256") << CommandPacket().makeSignal(256).data << hex("C5 A7 03 00 13 00 82");
        QTest::newRow("signal 300") << CommandPacket().makeSignal(300).data << hex("C5 A7 03 00 13 2C AE");
        QTest::newRow("signal -1") << CommandPacket().makeSignal(-1).data << hex("C5 A7 03 00 13 FF 81");
        QTest::newRow("splice edges")
            << CommandPacket().makeSplice(0xFF, 4, 4, 300, -1).data << hex("C5 A7 06 FF 11 04 04 2C FF B5");
        QTest::newRow("hide address")
            << CommandPacket().makeAddressInfo(false, 0xFF).data << hex("C5 A7 03 FF 01 00 6F");
        QTest::newRow("address to 5")
            << CommandPacket().makeAddressInfo(true, 5).data << hex("C5 A7 03 05 01 01 76");
        QTest::newRow("rotate at -1")
            << CommandPacket().makeRotate(1, -1).data << hex("C5 A7 03 FF 12 01 81");
        QTest::newRow("position order") << CommandPacket().makePosition(10, 20, 30, 40, 5).data
                                        << hex("C5 A7 0A 05 10 00 0A 00 1E 00 14 00 28 EF");
        QTest::newRow("position wraps") << CommandPacket().makePosition(-1, -2, 0x11234, 70000, 0x3F).data
                                        << hex("C5 A7 0A 3F 10 FF FF 12 34 FF FE 11 70 87");
        QTest::newRow("reset 7") << CommandPacket().makeReset(7).data << hex("C5 A7 03 07 00 FF 75");
        QTest::newRow("reset 256") << CommandPacket().makeReset(256).data << hex("C5 A7 03 00 00 FF 6E");
    }
    void builderEdges() { checkFrame(); }

    void builderReplacesWholePayload()
    {
        CommandPacket packet;
        packet.data = QByteArray(20, '\x55');
        QCOMPARE(packet.makeInputMode(1).data, hex("00 31 00"));
        QCOMPARE(packet.makePosition(1, 2, 3, 4, 5).data, hex("05 10 00 01 00 03 00 02 00 04"));
        QCOMPARE(packet.makeSplice(1, 2, 3, 4, 5).data, hex("01 11 02 03 04 05"));
        QCOMPARE(packet.makeReset(0xFF).data, hex("FF 00 FF"));
        QCOMPARE(packet.makeAddressInfo(false, 0).data, hex("00 01 00"));
        QCOMPARE(packet.makeSignal(0).data, hex("00 13 00"));
        QCOMPARE(packet.makeRotate(0, 0).data, hex("00 12 00"));
        QCOMPARE(packet.makeResolution(9, 0, 0).data, hex("00 00 00"));
    }

    void packFrameLeavesPacket()
    {
        CommandPacket packet;
        packet.makePosition(100, 200, 300, 400, 9);
        const QByteArray before = packet.data;
        const QByteArray frame = packFrame(packet);
        QCOMPARE(packet.data, before);
        QCOMPARE(frame.size(), 14);
        QCOMPARE(packFrame(packet), frame);
    }

    // The envelope over many payloads: header, length, and the 8-bit sum of everything before it.
    void frameInvariants()
    {
        for (int value = -300; value <= 70000; value += 97) {
            const QByteArray frames[] = {
                packFrame(CommandPacket().makeInputMode(value)),
                packFrame(CommandPacket().makeSignal(value)),
                packFrame(CommandPacket().makeResolution(value % 4, value, value / 7)),
                packFrame(CommandPacket().makeSplice(value, value + 1, value + 2, value + 3, value + 4)),
                packFrame(CommandPacket().makeAddressInfo(value % 2, value)),
                packFrame(CommandPacket().makeRotate(value, value)),
                packFrame(CommandPacket().makePosition(value, -value, value * 3, value + 7, value)),
                packFrame(CommandPacket().makeReset(value)),
            };
            const int lengths[] = {7, 7, 7, 10, 7, 7, 14, 7};
            for (int i = 0; i < 8; ++i) {
                const QByteArray &frame = frames[i];
                QCOMPARE(frame.size(), lengths[i]);
                QCOMPARE(quint8(frame.at(0)), quint8(0xC5));
                QCOMPARE(quint8(frame.at(1)), quint8(0xA7));
                QCOMPARE(int(quint8(frame.at(2))), frame.size() - 4);
                quint8 sum = 0;
                for (int j = 0; j < frame.size() - 1; ++j)
                    sum = quint8(sum + quint8(frame.at(j)));
                QCOMPARE(quint8(frame.back()), sum);
            }
        }
    }

    // ---- Link ----

    // Runs first among the link cases, while the singleton has never opened a port.
    void closeNeverOpened()
    {
        MessageCapture capture;
        link()->close();
        link()->close();
        QVERIFY(!link()->isConnected());
        QCOMPARE(capture.lines(), QStringList());
    }

    void openConfiguresPort()
    {
        PtyPair pty;
        QVERIFY(pty.isValid());
        SlaveProbe probe(pty.slavePath());
        QVERIFY(probe.isValid());
        // Start from settings that differ in every respect the link must set.
        termios tio = probe.attributes();
        cfsetispeed(&tio, B1200);
        cfsetospeed(&tio, B1200);
        tio.c_cflag |= CSTOPB | CRTSCTS;
        tio.c_iflag |= IXON | IXOFF;
        probe.setAttributes(tio);

        QVERIFY(link()->open(portPath(pty)));
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

    // Device paths and links to them (as under /dev/serial/by-id) are opened as given.
    void openByPath_data()
    {
        QTest::addColumn<bool>("viaSymlink");
        QTest::newRow("pseudo-terminal path") << false;
        QTest::newRow("symbolic link") << true;
    }
    void openByPath()
    {
        QFETCH(bool, viaSymlink);
        PtyPair pty;
        QTemporaryDir dir;
        QString path = pty.ttyPath();
        if (viaSymlink) {
            path = dir.filePath(QStringLiteral("usb-Controller_if00-port0"));
            QVERIFY(QFile::link(pty.slavePath(), path));
        }
        // See portPath(): the plain terminal path may meet another program's lock for a moment.
        bool isOpen = link()->open(path);
        for (int attempt = 0; !isOpen && attempt < 50; ++attempt) {
            QThread::msleep(10);
            isOpen = link()->open(path);
        }
        QVERIFY(isOpen);
        link()->resetUnit(0xFF);
        QCOMPARE(pty.readAll(50), hex("C5 A7 03 FF 00 FF 6D"));
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
        QVERIFY(link()->open(portPath(pty)));
        QVERIFY(link()->isConnected());
        link()->showAddressInfo(true);
        QCOMPARE(pty.readAll(50), hex("C5 A7 03 FF 01 01 70"));
    }

    // A second open keeps the device the link already has and reports the link connected.
    void openWhileConnected_data()
    {
        QTest::addColumn<bool>("otherIsValid");
        QTest::newRow("missing port") << false;
        QTest::newRow("another valid port") << true;
    }
    void openWhileConnected()
    {
        QFETCH(bool, otherIsValid);
        PtyPair first;
        PtyPair second;
        QVERIFY(link()->open(portPath(first)));
        QVERIFY(link()->open(otherIsValid ? portPath(second) : QStringLiteral("/dev/vw-no-such-port")));
        QVERIFY(link()->isConnected());
        link()->switchSignal(2);
        QCOMPARE(first.readAll(50), hex("C5 A7 03 00 13 02 84"));
        QCOMPARE(second.readAll(20), QByteArray());
    }

    void closeDisconnectsAndReleases()
    {
        PtyPair pty;
        SlaveProbe probe(pty.slavePath());
        const int idle = probe.openDescriptors();
        QVERIFY(link()->open(portPath(pty)));
        QCOMPARE(probe.openDescriptors(), idle + 1);
        link()->close();
        QVERIFY(!link()->isConnected());
        QCOMPARE(probe.openDescriptors(), idle);
        link()->close();
        QVERIFY(!link()->isConnected());
        runAllNineCommands(link());
        QCOMPARE(pty.readAll(50), QByteArray());
        // The same port object opens again.
        QVERIFY(link()->open(portPath(pty)));
        link()->resetUnit(7);
        QCOMPARE(pty.readAll(50), hex("C5 A7 03 07 00 FF 75"));
    }

    void commandBytes_data() { addCommandRows(); }
    void commandBytes()
    {
        QFETCH(int, command);
        QFETCH(QByteArray, frame);
        PtyPair pty;
        QVERIFY(link()->open(portPath(pty)));
        MessageCapture capture;
        commandCases[command].run(link());
        QCOMPARE(pty.readAll(50).toHex(' '), frame.toHex(' '));
        QCOMPARE(capture.lines(), QStringList() << QStringLiteral("true") << outLine(frame));
    }

    void commandsWhileDisconnected_data() { addCommandRows(); }
    void commandsWhileDisconnected()
    {
        QFETCH(int, command);
        PtyPair pty;
        QVERIFY(link()->open(portPath(pty)));
        link()->close();
        MessageCapture capture;
        commandCases[command].run(link());
        QCOMPARE(pty.readAll(30), QByteArray());
        QCOMPARE(capture.lines(), QStringList());
    }

    void windowWithoutAddress()
    {
        PtyPair pty;
        QVERIFY(link()->open(portPath(pty)));
        MessageCapture capture;
        link()->setRotate(-1, 1);
        link()->setPosition(-1, 0, 0, 0, 3840, 2160);
        link()->setPosition(-1, -1, 10, 20, 30, 40);
        QCOMPARE(pty.readAll(50), QByteArray());
        QCOMPARE(capture.lines(), QStringList());
    }

    void sendLogsConnectedFlag()
    {
        PtyPair pty;
        const QByteArray frame = hex("C5 A7 03 FF 00 FF 6D");
        {
            MessageCapture capture;
            link()->send(frame);
            QCOMPARE(capture.lines(), QStringList() << QStringLiteral("false"));
        }
        QVERIFY(link()->open(portPath(pty)));
        {
            MessageCapture capture;
            link()->send(frame);
            QCOMPARE(capture.lines(),
                     QStringList() << QStringLiteral("true") << QStringLiteral("out   c5a703ff00ff6d"));
        }
        QCOMPARE(pty.readAll(50), frame);
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
        QVERIFY(link()->open(portPath(pty)));
        const QByteArray answer = QByteArray("\xA7\xC5\x02OK", 5).repeated(40);
        const QByteArray frame = hex("C5 A7 0A 01 10 00 00 0F 00 00 00 08 70 0E");

        QByteArray received;
        if (answerFirst) {
            QVERIFY(pty.write(answer));
            link()->setPosition(1, 0, 0, 0, 3840, 2160);
            received = pty.readAll(50);
        } else {
            std::thread peer([&]() {
                received = pty.readBytes(frame.size(), 2000);
                pty.write(answer);
            });
            link()->setPosition(1, 0, 0, 0, 3840, 2160);
            peer.join();
        }
        QCOMPARE(received, frame);
        QCOMPARE(probe.pendingInput(), 0);

        // The next exchange carries its own frame only, and nothing is left behind.
        link()->resetUnit(0xFF);
        QCOMPARE(pty.readAll(50), hex("C5 A7 03 FF 00 FF 6D"));
        QCOMPARE(probe.pendingInput(), 0);
    }

    // The peer goes away between exchanges: the link keeps its state, commands keep returning, the dead
    // device is let go (so the event loop does not spin on it), and the operator can connect again.
    void peerClosesBetweenExchanges_data()
    {
        QTest::addColumn<bool>("idleFirst");
        QTest::newRow("then the event loop") << true;
        QTest::newRow("then a command") << false;
    }
    void peerClosesBetweenExchanges()
    {
        QFETCH(bool, idleFirst);
        PtyPair pty;
        SlaveProbe probe(pty.slavePath());
        const int idle = probe.openDescriptors();
        QVERIFY(link()->open(portPath(pty)));
        link()->resetUnit(0xFF);
        QCOMPARE(pty.readAll(50), hex("C5 A7 03 FF 00 FF 6D"));

        pty.closeMaster();
        if (idleFirst)
            QTest::qWait(100);
        {
            MessageCapture capture;
            link()->setRotate(3, 1);
            QCOMPARE(capture.lines(), QStringList()
                                          << QStringLiteral("true") << outLine(hex("C5 A7 03 03 12 01 85")));
        }
        QTest::qWait(20);
        QCOMPARE(probe.openDescriptors(), idle);
        QVERIFY(link()->isConnected());
        runAllNineCommands(link());
        QVERIFY(link()->isConnected());

        link()->close();
        QVERIFY(!link()->isConnected());
        PtyPair again;
        QVERIFY(link()->open(portPath(again)));
        link()->resetUnit(0xFF);
        QCOMPARE(again.readAll(50), hex("C5 A7 03 FF 00 FF 6D"));
    }

    void peerClosesDuringExchange()
    {
        PtyPair pty;
        SlaveProbe probe(pty.slavePath());
        const int idle = probe.openDescriptors();
        QVERIFY(link()->open(portPath(pty)));
        QByteArray received;
        // The peer takes the frame and hangs up while the link waits for an answer.
        std::thread peer([&]() {
            received = pty.readBytes(14, 2000);
            pty.closeMaster();
        });
        link()->setPosition(1, 0, 0, 0, 3840, 2160);
        peer.join();
        QCOMPARE(received, hex("C5 A7 0A 01 10 00 00 0F 00 00 00 08 70 0E"));

        runAllNineCommands(link());
        QTest::qWait(20);
        QVERIFY(link()->isConnected());
        QCOMPARE(probe.openDescriptors(), idle);
        link()->close();
        QVERIFY(!link()->isConnected());
    }
};

QTEST_GUILESS_MAIN(TestDevice)
#include "tst_device.moc"
