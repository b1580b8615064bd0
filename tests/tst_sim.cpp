// The controller simulator as an installer uses it: started as its own process, reached by the
// console's serial link through the published link, printing one line per frame in order.
#include "seriallink.h"
#include "testdir.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

QString simPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/videowall-sim");
}

// A link of its own for every run, so that no run meets the link or the port lock of another.
QString freshLinkName()
{
    static int count = 0;
    return QStringLiteral("port-%1").arg(++count);
}

// One run of the simulator; ended with SIGTERM when the test is done with it.
class SimRun
{
public:
    explicit SimRun(const QStringList &arguments)
    {
        m_process.setProgram(simPath());
        m_process.setArguments(arguments);
        m_process.start();
    }
    ~SimRun()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(10000))
                m_process.kill();
            m_process.waitForFinished(10000);
        }
    }

    QProcess &process() { return m_process; }

    // The next line on standard output; empty when none comes (the wait is only a guard).
    QString nextLine()
    {
        QElapsedTimer timer;
        timer.start();
        while (!m_pending.contains('\n') && timer.elapsed() < 20000) {
            if (!m_process.waitForReadyRead(1000) && m_process.state() == QProcess::NotRunning)
                break;
            m_pending += m_process.readAllStandardOutput();
        }
        m_pending += m_process.readAllStandardOutput();
        const int end = m_pending.indexOf('\n');
        if (end < 0)
            return QString();
        const QString line = QString::fromUtf8(m_pending.left(end));
        m_pending.remove(0, end + 1);
        return line;
    }

    QStringList nextLines(int nCount)
    {
        QStringList lines;
        while (lines.size() < nCount)
            lines << nextLine();
        return lines;
    }

    int finish(int nSignal)
    {
        ::kill(pid_t(m_process.processId()), nSignal);
        if (!m_process.waitForFinished(20000))
            return -1;
        m_pending += m_process.readAllStandardOutput();
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

    QByteArray rest() const { return m_pending; }

private:
    QProcess m_process;
    QByteArray m_pending;
};

QByteArray readBytes(QSerialPort &port, int nBytes)
{
    QByteArray bytes;
    QElapsedTimer timer;
    timer.start();
    while (bytes.size() < nBytes && timer.elapsed() < 20000) {
        port.waitForReadyRead(200);
        bytes += port.readAll();
    }
    return bytes;
}

} // namespace

class TestSim : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    SerialLink *m_pLink = SerialLink::theSerialLink();

    QString linkPath() { return m_dir.filePath(freshLinkName()); }

private slots:
    void initTestCase()
    {
        testdir::enterFresh();
        QVERIFY(m_dir.isValid());
        QVERIFY2(QFileInfo::exists(simPath()), qPrintable(simPath()));
    }

    void cleanup() { m_pLink->close(); }

    void decodesTheConsolesCommandsInOrder()
    {
        const QString link = linkPath();
        SimRun sim({QStringLiteral("--link"), link});
        QCOMPARE(sim.nextLine(), link);
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(QFileInfo(link).symLinkTarget().startsWith(QLatin1String("/dev/pts/")));

        QVERIFY(m_pLink->open(link));
        m_pLink->setPosition(1, 0, 0, 0, 3840, 2160);
        m_pLink->setSplice(2, 3, 0, 0);
        m_pLink->showAddressInfo(true);
        m_pLink->setRotate(3, 7);
        m_pLink->setPosition(-1, 0, 1, 2, 3, 4);
        m_pLink->setInputMode(2);
        m_pLink->switchSignal(2);
        m_pLink->setResolution(0, 1, 2);
        m_pLink->spliceOpenModel();
        m_pLink->resetUnit(0xFF);
        QCOMPARE(sim.nextLines(9),
                 QStringList({"position target=1 x=0 y=0 width=3840 height=2160",
                              "splice target=255 rows=2 columns=3 edge-x=0 edge-y=0",
                              "address-info target=255 show=1", "rotate target=3 rotation=2",
                              "input-mode mode=2", "signal source=2", "resolution target=18 res=0",
                              "splice target=255 rows=15 columns=15 edge-x=0 edge-y=0", "reset target=255"}));
        QCOMPARE(sim.finish(SIGTERM), 0);
        QCOMPARE(sim.rest(), QByteArray());
    }

    void keepsWorkingWhenThePortIsReopened()
    {
        const QString link = linkPath();
        SimRun sim({QStringLiteral("--link"), link});
        QCOMPARE(sim.nextLine(), link);
        for (int round = 0; round < 3; ++round) {
            QVERIFY(m_pLink->open(link));
            m_pLink->resetUnit(round);
            m_pLink->close();
        }
        QVERIFY(m_pLink->open(link));
        m_pLink->setRotate(4, 1);
        QCOMPARE(sim.nextLines(4), QStringList({"reset target=0", "reset target=1", "reset target=2",
                                                "rotate target=4 rotation=1"}));
    }

    void answersEveryFrameWithASoundEnvelope()
    {
        const QString link = linkPath();
        SimRun sim({QStringLiteral("--link"), link, QStringLiteral("--answer"), QStringLiteral("c5 A7 01")});
        QCOMPARE(sim.nextLine(), link);

        QSerialPort port(link);
        QVERIFY(port.open(QIODevice::ReadWrite));
        port.write(QByteArray::fromHex("c5a703ff00ff6e"
                                       "c5a703ff00ff6d"
                                       "0102"
                                       "c5a703031201 85"));
        QVERIFY(port.waitForBytesWritten(5000));
        QCOMPARE(sim.nextLines(4), QStringList({"bad checksum: c5a703ff00ff6e", "reset target=255",
                                                "garbage: 0102", "rotate target=3 rotation=1"}));
        // Each answer was written before its line: two sound frames, two answers, nothing more.
        QCOMPARE(readBytes(port, 6), QByteArray::fromHex("c5a701c5a701"));
        port.waitForReadyRead(100);
        QCOMPARE(port.readAll(), QByteArray());
        port.close();

        // The console's link reads the answers away and goes on frame after frame.
        QVERIFY(m_pLink->open(link));
        m_pLink->resetUnit(1);
        m_pLink->switchSignal(3);
        m_pLink->resetUnit(2);
        QCOMPARE(sim.nextLines(3), QStringList({"reset target=1", "signal source=3", "reset target=2"}));
    }

    void aFrameCutShortIsReportedWhenTheLineGoesQuiet()
    {
        const QString link = linkPath();
        SimRun sim({QStringLiteral("--link"), link});
        QCOMPARE(sim.nextLine(), link);
        QSerialPort port(link);
        QVERIFY(port.open(QIODevice::ReadWrite));
        port.write(QByteArray::fromHex("c5a70a0110"));
        QVERIFY(port.waitForBytesWritten(5000));
        QCOMPARE(sim.nextLine(), QStringLiteral("short frame: c5a70a0110"));
        port.write(QByteArray::fromHex("c5a703ff00ff6d"));
        QVERIFY(port.waitForBytesWritten(5000));
        QCOMPARE(sim.nextLine(), QStringLiteral("reset target=255"));
    }

    void jsonLines()
    {
        const QString link = linkPath();
        SimRun sim({QStringLiteral("--link"), link, QStringLiteral("--json")});
        const QJsonObject first = QJsonDocument::fromJson(sim.nextLine().toUtf8()).object();
        QCOMPARE(first.value("link").toString(), link);
        QCOMPARE(first.value("port").toString(), QFileInfo(link).symLinkTarget());
        QVERIFY(m_pLink->open(link));
        m_pLink->resetUnit(0xFF);
        m_pLink->setRotate(3, 1);
        QCOMPARE(sim.nextLines(2),
                 QStringList({"{\"command\":\"reset\",\"target\":255,\"frame\":\"c5a703ff00ff6d\"}",
                              "{\"command\":\"rotate\",\"target\":3,\"rotation\":1,\"frame\":\"c5a703031201"
                              "85\"}"}));
    }

    void endsCleanlyOnSignal_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }

    void endsCleanlyOnSignal()
    {
        QFETCH(int, signalNumber);
        const QString link = linkPath();
        SimRun sim({QStringLiteral("--link"), link});
        QCOMPARE(sim.nextLine(), link);
        QVERIFY(m_pLink->open(link));
        QCOMPARE(sim.finish(signalNumber), 0);
        QVERIFY(!QFileInfo(link).isSymLink());
        QVERIFY(!QFileInfo::exists(link));
    }

    void replacesAStaleLink()
    {
        const QString link = linkPath();
        QVERIFY(QFile::link(m_dir.filePath(QStringLiteral("gone")), link));
        SimRun sim({QStringLiteral("--link"), link});
        QCOMPARE(sim.nextLine(), link);
        QVERIFY(QFileInfo(link).symLinkTarget().startsWith(QLatin1String("/dev/pts/")));
        QVERIFY(m_pLink->open(link));
        m_pLink->resetUnit(7);
        QCOMPARE(sim.nextLine(), QStringLiteral("reset target=7"));
    }

    // A link taken over by a second simulator belongs to that one and survives the first one's end.
    void leavesALinkThatIsNoLongerItsOwn()
    {
        const QString link = linkPath();
        SimRun first({QStringLiteral("--link"), link});
        QCOMPARE(first.nextLine(), link);
        SimRun second({QStringLiteral("--link"), link});
        QCOMPARE(second.nextLine(), link);
        const QString target = QFileInfo(link).symLinkTarget();
        QCOMPARE(first.finish(SIGTERM), 0);
        QCOMPARE(QFileInfo(link).symLinkTarget(), target);
        QCOMPARE(second.finish(SIGTERM), 0);
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    void refusesToReplaceAnythingButALink_data()
    {
        QTest::addColumn<bool>("isFolder");
        QTest::newRow("file") << false;
        QTest::newRow("folder") << true;
    }

    void refusesToReplaceAnythingButALink()
    {
        QFETCH(bool, isFolder);
        const QString path = linkPath();
        if (isFolder) {
            QVERIFY(QDir().mkdir(path));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Config]\ncurrPort=COM1\n");
        }
        SimRun sim({QStringLiteral("--link"), path});
        QVERIFY(sim.process().waitForFinished(20000));
        QCOMPARE(sim.process().exitCode(), 1);
        QVERIFY(sim.process().readAllStandardError().contains("not a symbolic link"));
        QVERIFY(!QFileInfo(path).isSymLink());
        if (isFolder) {
            QVERIFY(QFileInfo(path).isDir());
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("[Config]\ncurrPort=COM1\n"));
        }
    }

    void wrongOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("answer not hex") << QStringList{"--answer", "zz"};
        QTest::newRow("answer odd digits") << QStringList{"--answer", "c5a"};
        QTest::newRow("stray argument") << QStringList{"extra"};
    }

    void wrongOptions()
    {
        QFETCH(QStringList, arguments);
        const QString link = linkPath();
        SimRun sim(QStringList{"--link", link} + arguments);
        QVERIFY(sim.process().waitForFinished(20000));
        QCOMPARE(sim.process().exitCode(), 2);
        QVERIFY(!QFileInfo(link).isSymLink());
    }
};

QTEST_GUILESS_MAIN(TestSim)
#include "tst_sim.moc"
