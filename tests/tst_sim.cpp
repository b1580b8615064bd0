// The controller simulator in its own process, reached by the console's link through the published
// link, printing one line per frame in order.
#include "seriallink.h"
#include "testdir.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

// One run of the simulator; ended with SIGTERM if the test leaves it running.
class SimRun : public QProcess
{
public:
    explicit SimRun(const QStringList &arguments)
    {
        start(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/videowall-sim"), arguments);
        waitForStarted(20000);
    }
    ~SimRun() override
    {
        // A signal to id 0 would hit the test's own group.
        if (state() == QProcess::Running && processId() > 0)
            terminate();
        waitForFinished(10000);
    }

    // The next lines on standard output; an empty line for each that never comes.
    QStringList nextLines(int nCount = 1)
    {
        QStringList lines;
        for (int i = 0; i < nCount; ++i) {
            for (int tries = 0; !canReadLine() && tries < 100 && state() == QProcess::Running; ++tries)
                waitForReadyRead(200);
            lines << QString::fromUtf8(readLine()).trimmed();
        }
        return lines;
    }
    QString nextLine() { return nextLines().first(); }

    int endWith(int nSignal)
    {
        if (state() != QProcess::Running || processId() <= 0)
            return -1;
        ::kill(pid_t(processId()), nSignal);
        return waitForFinished(20000) && exitStatus() == QProcess::NormalExit ? exitCode() : -1;
    }
};

} // namespace

class TestSim : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    SerialLink *m_pLink = SerialLink::theSerialLink();
    int m_count = 0;

    QString freshLink() { return m_dir.filePath(QStringLiteral("port-%1").arg(++m_count)); }

private slots:
    void initTestCase()
    {
        testdir::enterFresh();
        QVERIFY(m_dir.isValid());
    }

    void cleanup() { m_pLink->close(); }

    void consoleSessionInOrderAcrossReopens()
    {
        const QString link = freshLink();
        SimRun sim({QStringLiteral("--link"), link});
        QCOMPARE(sim.nextLine(), link);
        QVERIFY(QFileInfo(link).symLinkTarget().startsWith(QLatin1String("/dev/pts/")));

        QVERIFY(m_pLink->open(link));
        m_pLink->setPosition(1, 0, 0, 0, 3840, 2160);
        m_pLink->setSplice(2, 3, 0, 0);
        m_pLink->setRotate(3, 7);
        m_pLink->close();
        QVERIFY(m_pLink->open(link));
        m_pLink->switchSignal(2);
        m_pLink->resetUnit(0xFF);
        QCOMPARE(sim.nextLines(5),
                 QStringList({"position target=1 x=0 y=0 width=3840 height=2160",
                              "splice target=255 rows=2 columns=3 edge-x=0 edge-y=0",
                              "rotate target=3 rotation=2", "signal source=2", "reset target=255"}));
        QCOMPARE(sim.endWith(SIGTERM), 0);
        QCOMPARE(sim.readAllStandardOutput(), QByteArray());
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    void answersSoundFramesAndReportsBrokenOnes()
    {
        const QString link = freshLink();
        SimRun sim({QStringLiteral("--link"), link, QStringLiteral("--answer"), QStringLiteral("c5 A7 01")});
        QCOMPARE(sim.nextLine(), link);

        QSerialPort port(link);
        QVERIFY(port.open(QIODevice::ReadWrite));
        port.write(QByteArray::fromHex("c5a703ff00ff6e c5a703ff00ff6d 0102 c5a703031201 85 c5a70a0110"));
        QVERIFY(port.waitForBytesWritten(5000));
        // The last frame never completes: the line going quiet ends it.
        QCOMPARE(sim.nextLines(5),
                 QStringList({"bad checksum: c5a703ff00ff6e", "reset target=255", "garbage: 0102",
                              "rotate target=3 rotation=1", "short frame: c5a70a0110"}));
        // Every answer is written before its line: two sound frames, two answers.
        QByteArray answers = port.readAll();
        for (int tries = 0; answers.size() < 6 && tries < 100; ++tries) {
            port.waitForReadyRead(200);
            answers += port.readAll();
        }
        port.waitForReadyRead(100); // nothing more
        answers += port.readAll();
        QCOMPARE(answers, QByteArray::fromHex("c5a701c5a701"));
        port.close();

        // The console's link reads the answers away and goes on frame after frame.
        QVERIFY(m_pLink->open(link));
        m_pLink->resetUnit(1);
        m_pLink->switchSignal(3);
        QCOMPARE(sim.nextLines(2), QStringList({"reset target=1", "signal source=3"}));
    }

    void jsonLines()
    {
        const QString link = freshLink();
        SimRun sim({QStringLiteral("--link"), link, QStringLiteral("--json")});
        const QJsonObject first = QJsonDocument::fromJson(sim.nextLine().toUtf8()).object();
        QCOMPARE(first.value("link").toString(), link);
        QCOMPARE(first.value("port").toString(), QFileInfo(link).symLinkTarget());
        QVERIFY(m_pLink->open(link));
        m_pLink->setRotate(3, 1);
        QCOMPARE(sim.nextLine(), QStringLiteral("{\"command\":\"rotate\",\"target\":3,\"rotation\":1,"
                                                "\"frame\":\"c5a70303120185\"}"));
    }

    // A stale link is replaced; a link another simulator took over is that one's to remove. Each of the
    // signals that end a session ends it cleanly.
    void linksChangeHands()
    {
        const QString link = freshLink();
        QVERIFY(QFile::link(m_dir.filePath(QStringLiteral("gone")), link));
        SimRun first({QStringLiteral("--link"), link});
        QCOMPARE(first.nextLine(), link);
        QVERIFY(QFileInfo(link).symLinkTarget().startsWith(QLatin1String("/dev/pts/")));
        SimRun second({QStringLiteral("--link"), link});
        QCOMPARE(second.nextLine(), link);
        const QString target = QFileInfo(link).symLinkTarget();
        QCOMPARE(first.endWith(SIGINT), 0);
        QCOMPARE(QFileInfo(link).symLinkTarget(), target);
        QVERIFY(m_pLink->open(link));
        m_pLink->resetUnit(7);
        QCOMPARE(second.nextLine(), QStringLiteral("reset target=7"));
        QCOMPARE(second.endWith(SIGHUP), 0);
        QVERIFY(!QFileInfo(link).isSymLink());
    }

    // Nothing in the way is replaced.
    void refusesToStart_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("existing");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("file at the link") << QStringList() << "file" << 1;
        QTest::newRow("folder at the link") << QStringList() << "folder" << 1;
        QTest::newRow("answer not hex") << QStringList{"--answer", "zz"} << "" << 2;
        QTest::newRow("answer odd digits") << QStringList{"--answer", "c5a"} << "" << 2;
        QTest::newRow("stray argument") << QStringList{"extra"} << "" << 2;
    }

    void refusesToStart()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, existing);
        QFETCH(int, exitCode);
        const QString path = freshLink();
        const QByteArray body("[Config]\ncurrPort=COM1\n");
        QFile file(path);
        if (existing == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(path));
        else if (existing == QLatin1String("file"))
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(body) == body.size());
        file.close();

        SimRun sim(QStringList{"--link", path} + arguments);
        QVERIFY(sim.waitForFinished(20000));
        QCOMPARE(sim.exitCode(), exitCode);
        QVERIFY(!QFileInfo(path).isSymLink());
        QCOMPARE(QFileInfo(path).isDir(), existing == QLatin1String("folder"));
        if (existing == QLatin1String("file")) {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), body);
        }
    }
};

QTEST_GUILESS_MAIN(TestSim)
#include "tst_sim.moc"
