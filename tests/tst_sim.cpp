// The controller simulator: its decoder finds every frame however the stream is cut and names each fault
// once; the program, in its own process, prints one line per frame the console's link writes to it.
#include "seriallink.h"
#include "testsupport.h"

#include <QProcess>

#include <csignal>

class TestSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { vt::enterFreshDir(); }

    // The same lines whole, in pieces of three and byte by byte.
    void decoder_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("lines");
        QTest::newRow("faults")
            << QByteArray::fromHex("c5a703ff00ff6e c5a704ff00ff006d c5a7c5a703ff00ff6d 0102c5ff "
                                   "c5a70a011000 c5a703019900 09 c5a70a04 10c5a7 0002 0001 0003 fc "
                                   "c5a70a01")
            << "bad checksum: c5a703ff00ff6e|bad length: c5a704|bad length: c5a7c5|reset "
               "target=255|garbage: 0102c5ff|short frame: c5a70a011000|unknown payload=019900|"
               "position target=4 x=50599 y=1 width=2 height=3|short frame: c5a70a01";
    }
    void decoder()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, lines);
        for (int nChunk : {bytes.size(), 3, 1}) {
            FrameDecoder decoder;
            QStringList decoded;
            QList<DecodedFrame> frames;
            for (int i = 0; i < bytes.size(); i += nChunk)
                frames += decoder.feed(bytes.mid(i, nChunk));
            for (const DecodedFrame &frame : frames + decoder.finish())
                decoded << frame.toText();
            QCOMPARE(decoded.join('|'), lines);
        }
    }

    // Through the published link (a stale one replaced), across reopens of the console's link; a signal ends
    // it and takes the link away.
    void session()
    {
        const QString link = QDir::current().filePath("port");
        QVERIFY(QFile::link(QDir::current().filePath("gone"), link));
        QProcess sim;
        sim.start(QCoreApplication::applicationDirPath() + "/../bin/videowall-sim", {"--link", link});
        auto lines = [&sim](int nCount) {
            QStringList read;
            for (int tries = 0; read.size() < nCount && tries < 100; ++tries) {
                if (sim.canReadLine() || sim.waitForReadyRead(200))
                    read << QString::fromUtf8(sim.readLine()).trimmed();
            }
            return read.join('|');
        };
        QCOMPARE(lines(1), link);
        SerialLink *pLink = SerialLink::theSerialLink();
        QVERIFY(pLink->open(link));
        pLink->setRotate(3, 7);
        pLink->close();
        QVERIFY(pLink->open(link));
        pLink->resetUnit(0xFF);
        pLink->close();
        QCOMPARE(lines(2), QStringLiteral("rotate target=3 rotation=2|reset target=255"));
        ::kill(pid_t(sim.processId()), SIGHUP);
        QVERIFY(sim.waitForFinished(10000) && sim.exitStatus() == QProcess::NormalExit &&
                sim.exitCode() == 0);
        QVERIFY(!QFileInfo(link).isSymLink());
    }
};

QTEST_GUILESS_MAIN(TestSim)
#include "tst_sim.moc"
