// Wall layout files as they are on disk: what is read, what is written, and what survives a failure.
#include "messagecapture.h"
#include "modelfile.h"
#include "testdir.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(WndRecord)

namespace {

const char *const failLine = "xxxxxxxxxxxxxxxx";

WndRecord record(double dX, double dY, double dWidth, double dHeight, int nAddr, int nSub, int nType,
                 int nRotate)
{
    WndRecord rec;
    rec.x = dX;
    rec.y = dY;
    rec.width = dWidth;
    rec.height = dHeight;
    rec.address = nAddr;
    rec.subAddress = nSub;
    rec.type = nType;
    rec.rotate = nRotate;
    return rec;
}

QString describe(const WndRecord &rec)
{
    return QStringLiteral("(%1, %2, %3, %4) addr %5/%6 type %7 rotate %8")
        .arg(rec.x, 0, 'g', 17)
        .arg(rec.y, 0, 'g', 17)
        .arg(rec.width, 0, 'g', 17)
        .arg(rec.height, 0, 'g', 17)
        .arg(rec.address)
        .arg(rec.subAddress)
        .arg(rec.type)
        .arg(rec.rotate);
}

bool writeBytes(const QString &strPath, const QByteArray &bytes)
{
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString &strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QJsonObject readRoot(const QString &strPath)
{
    return QJsonDocument::fromJson(readBytes(strPath)).object();
}

} // namespace

class TestModelFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir *m_pDir = nullptr;

    QString path(const QString &strName) const { return m_pDir->filePath(strName); }

private slots:
    void initTestCase() { testdir::enterFresh(); }

    void init()
    {
        delete m_pDir;
        m_pDir = new QTemporaryDir;
        QVERIFY(m_pDir->isValid());
    }

    void cleanupTestCase() { delete m_pDir; }

    void emptyPathIsStateFileInWorkingDirectory()
    {
        QVERIFY(QDir::setCurrent(m_pDir->path()));
        {
            ModelFile model;
            QCOMPARE(model.fileName(), QDir::currentPath() + QStringLiteral("/SpliceState.data"));
            QVERIFY(model.items().isEmpty());
        }
        // Saving an empty layout still writes the file, with an empty list.
        QCOMPARE(readBytes(path(QStringLiteral("SpliceState.data"))), QByteArray("{\"items\":[]}"));
    }

    void writtenBytesAreCompactJson()
    {
        const QString strFile = path(QStringLiteral("one.data"));
        {
            ModelFile model(strFile);
            model.setItems({record(0, 0, 960, 540, 5, 9, 1, 2)});
        }
        QCOMPARE(readBytes(strFile),
                 QByteArray("{\"items\":[{\"address\":{\"x\":5},\"position\":{\"height\":540,\"width\":960,"
                            "\"x\":0,\"y\":0},\"rotate\":2,\"type\":1}]}"));
    }

    void roundTripKeepsValuesAndDropsSubAddress()
    {
        const QString strFile = path(QStringLiteral("layout.data"));
        const QList<WndRecord> saved{record(1.0 / 3.0, -12.75, 1234.5678901234567, 0.1, 7, 200, 0, 3),
                                     record(3840, 2160, 1e-7, 99999.125, 0, 0, 1, 0),
                                     record(-0.5, 0, 960, 540, 63, -1, 5, 1)};
        {
            ModelFile model(strFile);
            QVERIFY(model.items().isEmpty());
            model.setItems(saved);
        }
        ModelFile loaded(strFile, false);
        QCOMPARE(loaded.items().size(), saved.size());
        for (int i = 0; i < saved.size(); ++i) {
            WndRecord expected = saved.at(i);
            expected.subAddress = -1;
            QVERIFY2(
                loaded.items().at(i) == expected,
                qPrintable(describe(loaded.items().at(i)) + QStringLiteral(" != ") + describe(expected)));
        }
    }

    void itemFieldsAndDefaults_data()
    {
        QTest::addColumn<QByteArray>("item");
        QTest::addColumn<WndRecord>("expected");

        QTest::newRow("empty object") << QByteArray("{}") << record(0, 0, 960, 540, 0, -1, 0, 0);
        QTest::newRow("not an object") << QByteArray("[1,2]") << record(0, 0, 960, 540, 0, -1, 0, 0);
        QTest::newRow("number item") << QByteArray("17") << record(0, 0, 960, 540, 0, -1, 0, 0);
        QTest::newRow("all fields")
            << QByteArray(
                   R"({"type":1,"rotate":2,"address":{"x":12},"position":{"x":1.5,"y":2,"width":3,"height":4}})")
            << record(1.5, 2, 3, 4, 12, -1, 1, 2);
        QTest::newRow("missing address")
            << QByteArray(R"({"type":1,"position":{"x":10}})") << record(10, 0, 960, 540, 0, -1, 1, 0);
        QTest::newRow("address without x")
            << QByteArray(R"({"address":{"y":4}})") << record(0, 0, 960, 540, 0, -1, 0, 0);
        QTest::newRow("address not an object")
            << QByteArray(R"({"address":9})") << record(0, 0, 960, 540, 0, -1, 0, 0);
        QTest::newRow("strings for numbers")
            << QByteArray(R"({"type":"1","rotate":"2","address":{"x":"3"},"position":{"x":"5","width":"6"}})")
            << record(0, 0, 960, 540, 0, -1, 0, 0);
        QTest::newRow("fractional integers") << QByteArray(R"({"type":1.5,"rotate":2.5,"address":{"x":3.5}})")
                                             << record(0, 0, 960, 540, 0, -1, 0, 0);
        QTest::newRow("null and bool")
            << QByteArray(R"({"type":null,"rotate":true,"position":{"x":null,"y":false,"height":null}})")
            << record(0, 0, 960, 540, 0, -1, 0, 0);
        QTest::newRow("position not an object")
            << QByteArray(R"({"position":[1,2,3,4],"rotate":3})") << record(0, 0, 960, 540, 0, -1, 0, 3);
        QTest::newRow("negative values taken as they stand")
            << QByteArray(R"({"type":-4,"rotate":9,"address":{"x":-1},"position":{"x":-100,"width":-2}})")
            << record(-100, 0, -2, 540, -1, -1, -4, 9);
    }

    void itemFieldsAndDefaults()
    {
        QFETCH(QByteArray, item);
        QFETCH(WndRecord, expected);
        const QString strFile = path(QStringLiteral("item.data"));
        QVERIFY(writeBytes(strFile, "{\"items\":[" + item + "]}"));
        ModelFile model(strFile, false);
        QVERIFY(model.read());
        QCOMPARE(model.items().size(), 1);
        QVERIFY2(model.items().first() == expected,
                 qPrintable(describe(model.items().first()) + QStringLiteral(" != ") + describe(expected)));
    }

    void unusableDocumentsReadFalse_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty items") << QByteArray(R"({"items":[]})");
        QTest::newRow("no items") << QByteArray(R"({"other":[{}]})");
        QTest::newRow("items not an array") << QByteArray(R"({"items":{"0":{}}})");
        QTest::newRow("not json") << QByteArray("items: [ {} ]");
        QTest::newRow("truncated") << QByteArray(R"({"items":[{"type":1})");
        QTest::newRow("top-level array") << QByteArray("[{\"items\":[{}]}]");
        QTest::newRow("empty file") << QByteArray();
    }

    void unusableDocumentsReadFalse()
    {
        QFETCH(QByteArray, content);
        const QString strFile = path(QStringLiteral("bad.data"));
        QVERIFY(writeBytes(strFile, R"({"items":[{},{}]})"));
        ModelFile model(strFile, false);
        QCOMPARE(model.items().size(), 2);
        QVERIFY(writeBytes(strFile, content));
        QVERIFY(!model.read());
        QVERIFY(model.items().isEmpty());
    }

    void readingTwiceDoesNotDouble()
    {
        const QString strFile = path(QStringLiteral("twice.data"));
        QVERIFY(writeBytes(strFile, R"({"items":[{"type":1},{"rotate":2}]})"));
        ModelFile model(strFile, false);
        QCOMPARE(model.items().size(), 2);
        QVERIFY(model.read());
        QVERIFY(model.read());
        QCOMPARE(model.items().size(), 2);
        QCOMPARE(model.items().at(0).type, 1);
        QCOMPARE(model.items().at(1).rotate, 2);
    }

    void extraTopLevelKeysSurviveSave()
    {
        const QString strFile = path(QStringLiteral("extra.data"));
        QVERIFY(writeBytes(strFile, R"({"name":"hall","meta":{"v":[1,2]},"items":[{"type":1}],"n":3.5})"));
        {
            ModelFile model(strFile);
            model.setItems({record(1, 2, 3, 4, 5, 6, 0, 1), record(0, 0, 960, 540, 2, 0, 1, 0)});
        }
        const QJsonObject root = readRoot(strFile);
        QCOMPARE(root.keys(), QStringList({"items", "meta", "n", "name"}));
        QCOMPARE(root.value("name").toString(), QStringLiteral("hall"));
        QCOMPARE(root.value("meta").toObject().value("v").toArray(), QJsonArray({1, 2}));
        QCOMPARE(root.value("n").toDouble(), 3.5);
        QCOMPARE(root.value("items").toArray().size(), 2);
        QCOMPARE(root.value("items").toArray().at(0).toObject().value("address").toObject(),
                 QJsonObject({{"x", 5}}));
    }

    void fileThatDidNotParseLosesItsKeys()
    {
        const QString strFile = path(QStringLiteral("broken.data"));
        QVERIFY(writeBytes(strFile, R"({"name":"hall","items":[{"type":1}] trailing)"));
        {
            ModelFile model(strFile);
            QVERIFY(model.items().isEmpty());
            model.setItems({record(1, 2, 3, 4, 5, 6, 0, 1)});
        }
        const QJsonObject root = readRoot(strFile);
        QCOMPARE(root.keys(), QStringList({"items"}));
        QCOMPARE(root.value("items").toArray().size(), 1);
    }

    void loadingLeavesFileUntouched()
    {
        const QString strFile = path(QStringLiteral("keep.data"));
        // Spacing and key order that a rewrite would change.
        const QByteArray original(
            "{ \"items\" : [ {\"type\": 1, \"address\": {\"x\": 4, \"y\": 1}} ], \"z\": 0 }\n");
        QVERIFY(writeBytes(strFile, original));
        const QDateTime past(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
        {
            QFile file(strFile);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(past, QFileDevice::FileModificationTime));
        }
        {
            ModelFile model(strFile, false);
            QVERIFY(model.read());
            QCOMPARE(model.items().size(), 1);
            model.setItems({});
        }
        {
            ModelFile model(strFile);
            model.setSaveOnDestroy(false);
            QVERIFY(!model.saveOnDestroy());
        }
        QCOMPARE(readBytes(strFile), original);
        QCOMPARE(QFileInfo(strFile).lastModified().toUTC(), past);
    }

    void oversizedFileIsNotRead()
    {
        const QString strFile = path(QStringLiteral("big.data"));
        QVERIFY(writeBytes(strFile, R"({"keep":1,"items":[{"type":1}]})"));
        ModelFile model(strFile);
        QCOMPARE(model.items().size(), 1);

        // A valid layout that would give two records, padded beyond the limit.
        QByteArray big(R"({"items":[{},{}]})");
        big.append(QByteArray(int(ModelFile::maxFileSize) + 1 - big.size(), ' '));
        QVERIFY(writeBytes(strFile, big));
        QVERIFY(!model.read());
        QCOMPARE(model.items().size(), 1);
        QCOMPARE(model.items().first().type, 1);

        // At the limit it is read.
        big.chop(1);
        QVERIFY(writeBytes(strFile, big));
        QVERIFY(model.read());
        QCOMPARE(model.items().size(), 2);
    }

    void directoryInPlaceOfFile()
    {
        const QString strFile = path(QStringLiteral("dir.data"));
        QVERIFY(QDir().mkdir(strFile));
        QVERIFY(writeBytes(strFile + QStringLiteral("/inside"), "precious"));
        MessageCapture capture;
        {
            ModelFile model(strFile);
            QVERIFY(!model.read());
            QVERIFY(model.items().isEmpty());
            model.setItems({record(1, 2, 3, 4, 5, 6, 0, 1)});
            model.write();
            QCOMPARE(capture.lines().count(QString::fromLatin1(failLine)), 1);
            QCOMPARE(model.items().size(), 1);
        }
        QCOMPARE(capture.lines().count(QString::fromLatin1(failLine)), 2);
        QVERIFY(QFileInfo(strFile).isDir());
        QCOMPARE(readBytes(strFile + QStringLiteral("/inside")), QByteArray("precious"));
        QCOMPARE(QDir(m_pDir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList({"dir.data"}));
    }

    void failedWriteKeepsOldFile()
    {
        const QString strFile = path(QStringLiteral("SpliceState.data"));
        const QByteArray original(R"({"items":[{"address":{"x":1},"type":1}],"keep":true})");
        QVERIFY(writeBytes(strFile, original));

        const pid_t pid = fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            // The child may write no more than 4 KiB per file; a bigger layout fails part way.
            std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit;
            limit.rlim_cur = limit.rlim_max = 4096;
            setrlimit(RLIMIT_FSIZE, &limit);
            MessageCapture capture;
            auto *pModel = new ModelFile(strFile, false);
            QList<WndRecord> records;
            for (int i = 0; i < 500; ++i)
                records.append(record(i * 1.5, i, 960, 540, i % 64, 0, 0, i % 4));
            pModel->setItems(records);
            pModel->write();
            const bool isLogged = capture.lines().count(QString::fromLatin1(failLine)) == 1;
            const bool isRead = pModel->items().size() == 500;
            _exit(isLogged && isRead ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(pid, &status, 0), pid);
        QCOMPARE(readBytes(strFile), original);
        QCOMPARE(QDir(m_pDir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList({"SpliceState.data"}));
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);

        // Without the limit the same write goes through.
        {
            ModelFile model(strFile);
            QList<WndRecord> records;
            for (int i = 0; i < 500; ++i)
                records.append(record(i, i, 960, 540, 1, 0, 0, 0));
            model.setItems(records);
        }
        const QJsonObject root = readRoot(strFile);
        QCOMPARE(root.value("items").toArray().size(), 500);
        QCOMPARE(root.value("keep").toBool(), true);
    }
};

QTEST_GUILESS_MAIN(TestModelFile)
#include "tst_modelfile.moc"
