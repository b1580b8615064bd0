// Wall layout files as they are on disk: what is read, what is written, and what survives a failure.
#include "messagecapture.h"
#include "modelfile.h"
#include "testdir.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(WndRecord)

namespace {

const QString failLine = QStringLiteral("xxxxxxxxxxxxxxxx");

using testdir::readBytes;
using testdir::writeBytes;

QJsonObject readRoot(const QString &strPath)
{
    return QJsonDocument::fromJson(readBytes(strPath)).object();
}

// The names in the working folder.
QStringList entries()
{
    return QDir().entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
}

} // namespace

class TestModelFile : public QObject
{
    Q_OBJECT

private slots:
    // Every case starts in an empty working folder of its own.
    void init() { testdir::enterFresh(); }

    void stateFileInWorkingDirectoryAndCompactBytes()
    {
        {
            ModelFile model;
            QCOMPARE(model.fileName(), QDir::currentPath() + QStringLiteral("/SpliceState.data"));
            model.setItems({WndRecord{0, 0, 960, 540, 5, 9, 1, 2}});
        }
        QCOMPARE(
            readBytes("SpliceState.data"),
            QByteArray(R"({"items":[{"address":{"x":5},"position":{"height":540,"width":960,"x":0,"y":0},)"
                       R"("rotate":2,"type":1}]})"));
    }

    // Values come back exactly, a second read does not double the list, the sub address is not stored.
    void roundTripKeepsValuesAndDropsSubAddress()
    {
        const QList<WndRecord> saved{WndRecord{1.0 / 3.0, -12.75, 1234.5678901234567, 0.1, 7, 200, 0, 3},
                                     WndRecord{3840, 2160, 1e-7, 99999.125, 0, 0, 1, 0}};
        ModelFile("layout.data").setItems(saved);
        ModelFile loaded("layout.data", false);
        QVERIFY(loaded.read());
        QCOMPARE(loaded.items().size(), saved.size());
        for (int i = 0; i < saved.size(); ++i) {
            WndRecord expected = saved.at(i);
            expected.subAddress = -1;
            QVERIFY2(loaded.items().at(i) == expected, qPrintable(QString::number(i)));
        }
    }

    void itemFieldsAndDefaults_data()
    {
        QTest::addColumn<QByteArray>("item");
        QTest::addColumn<WndRecord>("expected");
        const WndRecord defaults{0, 0, 960, 540, 0, -1, 0, 0};
        QTest::newRow("empty object") << QByteArray("{}") << defaults;
        QTest::newRow("not an object") << QByteArray("[1,2]") << defaults;
        QTest::newRow("all fields")
            << QByteArray(
                   R"({"type":1,"rotate":2,"address":{"x":12},"position":{"x":1.5,"y":2,"width":3,"height":4}})")
            << WndRecord{1.5, 2, 3, 4, 12, -1, 1, 2};
        QTest::newRow("no address, part of a position")
            << QByteArray(R"({"type":1,"position":{"x":10}})") << WndRecord{10, 0, 960, 540, 0, -1, 1, 0};
        QTest::newRow("strings") << QByteArray(R"({"type":"1","address":{"x":"3"},"position":{"width":"6"}})")
                                 << defaults;
        QTest::newRow("fractions for integers")
            << QByteArray(R"({"type":1.5,"rotate":2.5,"address":{"x":3.5}})") << defaults;
        QTest::newRow("null, bool, array")
            << QByteArray(R"({"type":null,"rotate":true,"address":9,"position":{"y":false,"height":[1]}})")
            << defaults;
        QTest::newRow("values as they stand")
            << QByteArray(R"({"type":-4,"rotate":9,"position":{"width":-2}})")
            << WndRecord{0, 0, -2, 540, 0, -1, -4, 9};
    }
    void itemFieldsAndDefaults()
    {
        QFETCH(QByteArray, item);
        QFETCH(WndRecord, expected);
        QVERIFY(writeBytes("item.data", "{\"items\":[" + item + "]}"));
        ModelFile model("item.data", false);
        QCOMPARE(model.items().size(), 1);
        QVERIFY(model.items().first() == expected);
    }

    // A document without a usable layout reads false and leaves no stale records behind.
    void unusableDocumentsReadFalse_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty items") << QByteArray(R"({"items":[]})");
        QTest::newRow("no items") << QByteArray(R"({"other":[{}]})");
        QTest::newRow("items not an array") << QByteArray(R"({"items":{"0":{}}})");
        QTest::newRow("truncated") << QByteArray(R"({"items":[{"type":1})");
        QTest::newRow("empty file") << QByteArray();
    }
    void unusableDocumentsReadFalse()
    {
        QFETCH(QByteArray, content);
        QVERIFY(writeBytes("bad.data", R"({"items":[{},{}]})"));
        ModelFile model("bad.data", false);
        QCOMPARE(model.items().size(), 2);
        QVERIFY(writeBytes("bad.data", content));
        QVERIFY(!model.read());
        QVERIFY(model.items().isEmpty());
    }

    void otherTopLevelKeysSurviveOnlyWhenParsed_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("parsed") << QByteArray(R"({"name":"hall","meta":{"v":[1,2]},"items":[{"type":1}]})")
                                << QStringList{"items", "meta", "name"};
        QTest::newRow("did not parse")
            << QByteArray(R"({"name":"hall","items":[]} trailing)") << QStringList{"items"};
    }
    void otherTopLevelKeysSurviveOnlyWhenParsed()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, keys);
        QVERIFY(writeBytes("extra.data", content));
        ModelFile("extra.data").setItems({WndRecord{1, 2, 3, 4, 5, 6, 0, 1}, WndRecord{}});
        const QJsonObject root = readRoot("extra.data");
        QCOMPARE(root.keys(), keys);
        QCOMPARE(root.value("items").toArray().size(), 2);
        if (keys.contains("meta"))
            QCOMPARE(root.value("meta").toObject().value("v").toArray(), QJsonArray({1, 2}));
    }

    void loadingLeavesFileUntouched()
    {
        const QByteArray original(
            "{ \"items\" : [ {\"type\": 1, \"address\": {\"x\": 4, \"y\": 1}} ], \"z\": 0 }\n");
        QVERIFY(writeBytes("keep.data", original));
        const QDateTime past(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
        {
            QFile file("keep.data");
            QVERIFY(file.open(QIODevice::ReadWrite) &&
                    file.setFileTime(past, QFileDevice::FileModificationTime));
        }
        {
            ModelFile model("keep.data", false);
            QVERIFY(model.read());
            model.setItems({});
        }
        ModelFile("keep.data").setSaveOnDestroy(false);
        QCOMPARE(readBytes("keep.data"), original);
        QCOMPARE(QFileInfo("keep.data").lastModified().toUTC(), past);
    }

    // A valid layout one byte beyond the limit is refused, the records read before are kept.
    void oversizedFileIsNotRead()
    {
        QVERIFY(writeBytes("big.data", R"({"items":[{"type":1}]})"));
        ModelFile model("big.data", false);
        QByteArray big(R"({"items":[{},{}]})");
        big.append(QByteArray(int(ModelFile::maxFileSize) + 1 - big.size(), ' '));
        QVERIFY(writeBytes("big.data", big));
        QVERIFY(!model.read());
        QCOMPARE(model.items().size(), 1);
        QCOMPARE(model.items().first().type, 1);
        big.chop(1);
        QVERIFY(writeBytes("big.data", big));
        QVERIFY(model.read());
        QCOMPARE(model.items().size(), 2);
    }

    void directoryInPlaceOfFile()
    {
        QVERIFY(QDir().mkdir("dir.data"));
        QVERIFY(writeBytes("dir.data/inside", "precious"));
        MessageCapture capture;
        {
            ModelFile model("dir.data");
            QVERIFY(!model.read());
            model.setItems({WndRecord{}});
            model.write();
            QCOMPARE(capture.lines().count(failLine), 1);
        }
        QCOMPARE(capture.lines().count(failLine), 2);
        QCOMPARE(readBytes("dir.data/inside"), QByteArray("precious"));
        QCOMPARE(entries(), QStringList{"dir.data"});
    }

    // A write that fails part way (here: no file may grow beyond 4 KiB) leaves the old file as it was.
    void failedWriteKeepsOldFile()
    {
        const QByteArray original(R"({"items":[{"address":{"x":1},"type":1}],"keep":true})");
        QVERIFY(writeBytes("SpliceState.data", original));
        QList<WndRecord> records;
        for (int i = 0; i < 500; ++i)
            records.append(WndRecord{i * 1.5, double(i), 960, 540, i % 64, 0, 0, i % 4});

        const pid_t pid = fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit;
            limit.rlim_cur = limit.rlim_max = 4096;
            setrlimit(RLIMIT_FSIZE, &limit);
            MessageCapture capture;
            auto *pModel = new ModelFile("SpliceState.data", false);
            pModel->setItems(records);
            pModel->write();
            _exit(capture.lines().count(failLine) == 1 ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(pid, &status, 0), pid);
        QCOMPARE(readBytes("SpliceState.data"), original);
        QCOMPARE(entries(), QStringList{"SpliceState.data"});
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);

        // Without the limit the same layout is written.
        ModelFile("SpliceState.data").setItems(records);
        QCOMPARE(readRoot("SpliceState.data").value("items").toArray().size(), 500);
        QCOMPARE(readRoot("SpliceState.data").value("keep").toBool(), true);
    }
};

QTEST_GUILESS_MAIN(TestModelFile)
#include "tst_modelfile.moc"
