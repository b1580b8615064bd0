// The settings file and the layout files as they are on disk: what is read, what is written, and what
// survives a failure (a full disk, a folder another user owns, a pipe or a folder in place of a file).
#include "appstatus.h"
#include "modelfile.h"
#include "testsupport.h"

#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextCodec>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(WndRecord)

namespace {

using vt::readFile;
using vt::writeFile;

// Runs the function in a child process, where files may grow to nBytes at most; as another user when
// asked. Gives the child's exit status: 0 when the function returned true.
int inChild(const std::function<bool()> &run, rlim_t nBytes = RLIM_INFINITY, bool bOtherUser = false)
{
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {nBytes, nBytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        if (bOtherUser && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        _exit(run() ? 0 : 1);
    }
    int status = -1;
    waitpid(pid, &status, 0);
    return status;
}

// Every path below the working folder with its content ("<dir>" for folders, "<other>" for pipes).
QMap<QString, QByteArray> snapshot()
{
    QMap<QString, QByteArray> entries;
    for (QDirIterator it(".", QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString strPath = it.next();
        entries.insert(strPath, it.fileInfo().isDir()    ? QByteArray("<dir>")
                                : it.fileInfo().isFile() ? readFile(strPath)
                                                         : QByteArray("<other>"));
    }
    return entries;
}

QString held(const AppStatus *s)
{
    QStringList values{s->langType(), s->currPort()};
    for (int n :
         {s->sceneRow(), s->sceneColumn(), s->logoType(), s->sceneType(), s->unitWidth(), s->unitHeight(),
          int(s->isOpenModel()), s->spliceRow(), s->spliceColumn(), s->edgeX(), s->edgeY()})
        values << QString::number(n);
    return (values << s->sceneAlias(0) << s->sceneAlias(15)).join('|');
}

WndRecord readOne(const QByteArray &item)
{
    writeFile("item.data", "{\"items\":[" + item + "]}");
    return ModelFile("item.data", false).items().value(0, WndRecord{-9, -9, -9, -9, -9, -9, -9, -9});
}

} // namespace

class TestCore : public QObject
{
    Q_OBJECT

    AppStatus *status = AppStatus::theAppStatus();

private slots:
    void init() { vt::enterFreshDir(); }

    // The first start writes the defaults; a save adds the open model and keeps a logo type written by
    // hand; Chinese texts are stored in GB2312; missing texts read empty, numbers out of their ranges (or
    // missing) as their defaults.
    void settings()
    {
        status->setLayoutFolder("elsewhere");
        status->reload();
        QVERIFY(status->layoutFolder().isEmpty());
        const QString defaults = "English|COM1|12|12|0|0|640|360|0|2|3|0|0|SceneAlias01|SceneAlias16";
        QCOMPARE(held(status), defaults);
        QCOMPARE(readFile("UserData.data").count('='), 25);
        QVERIFY(writeFile("UserData.data", readFile("UserData.data") + "type=1\n"));
        status->reload();
        status->setSceneAlias(0, QStringLiteral("大厅主屏"));
        status->setSceneAlias(15, "@Variant(lobby)");
        status->setSceneAlias(16, "x");
        status->setSceneAlias(-1, "x");
        status->setLangType(QStringLiteral("简体中文"));
        status->setOpenModel(true);
        status->save();
        const QByteArray raw = readFile("UserData.data");
        QVERIFY(raw.contains(QTextCodec::codecForName("GB2312")->fromUnicode(QStringLiteral("大厅主屏"))));
        QVERIFY(!raw.contains(QStringLiteral("大厅主屏").toUtf8()) && raw.contains("openModel=true"));
        status->reload();
        QCOMPARE(held(status),
                 QStringLiteral("简体中文|COM1|12|12|1|0|640|360|1|2|3|0|0|大厅主屏|@Variant(lobby)"));
        QCOMPARE(status->sceneAlias(16) + status->sceneAlias(-1), QString());

        // Both ends of each range are kept, a step beyond either reads as the default.
        const QString unset = "||12|12|0|0|640|360|0|2|3|0|0||";
        for (const QString &row :
             QStringList{"1 1 1 1 1 0 0=||1|1|0|1|360|640|0|1|1|0|0||",
                         "2 15 15 15 15 255 255=||15|15|0|2|640|360|0|15|15|255|255||",
                         "-1 0 0 0 0 -1 -1=" + unset, "3 16 16 16 16 256 256=" + unset}) {
            const QStringList values = row.section('=', 0, 0).split(' ');
            QString file = "[Config]\n";
            for (const char *key :
                 {"SceneType", "SceneRow", "SceneColumn", "SpliceRow", "SpliceColumn", "edgeX", "edgeY"})
                file += QString("%1=%2\n").arg(key, values.value(file.count('=')));
            QVERIFY(writeFile("UserData.data", file.toUtf8()));
            status->reload();
            QCOMPARE(held(status), row.section('=', 1));
        }
        // Serialised data, spelled with escapes and quotes, is neither read nor written over: any count fits.
        const QByteArray forged =
            "[Config]\nSceneRow=4\nx=\\x40V\"ariant\"(\\0\\0\\0\\x7f\\xff\\xff\\xff\\xff)\n";
        QVERIFY(writeFile("UserData.data", forged));
        status->reload();
        status->save();
        QVERIFY(status->isFileRefused() && status->sceneRow() == 12 && readFile("UserData.data") == forged);
    }

    // A settings file or layout that cannot be replaced whole leaves everything in the folder as it was.
    void filesThatCannotBeWritten_data()
    {
        QTest::addColumn<QString>("fault");
        for (const char *fault : {"full disk", "read-only folder", "folder in place", "pipe in place"})
            QTest::newRow(fault) << QString(fault);
    }
    void filesThatCannotBeWritten()
    {
        QFETCH(QString, fault);
        if (fault == "read-only folder" && ::getuid() != 0)
            QSKIP("needs root to run the program as another user");
        QVERIFY(writeFile("UserData.data",
                          "[Config]\nlangType=English\ncurrPort=COM1\ntype=1\nSceneAlias01=\xb4\xf3\n"));
        QVERIFY(writeFile("SpliceState.data", R"({"items":[{"type":1}],"keep":true})"));
        if (fault.endsWith("in place")) {
            for (const char *name : {"UserData.data", "SpliceState.data"}) {
                QVERIFY(QFile::remove(name));
                QVERIFY(fault == "pipe in place"
                            ? ::mkfifo(name, 0644) == 0
                            : QDir().mkdir(name) && writeFile(name + QString("/in"), "kept"));
            }
        }
        QFile::setPermissions(".", QFile::permissions(".") | QFile::ReadOther | QFile::ExeOther);
        const auto before = snapshot();
        QList<WndRecord> records;
        for (int i = 0; i < 500; ++i)
            records.append(WndRecord{i * 1.5, double(i), 960, 540, i % 64, 0, 0, i % 4});
        const auto write = [this, &records] {
            status->reload();
            status->setSceneRow(9);
            status->save();
            ModelFile(QString()).setItems(records);
            return true;
        };
        vt::MessageCapture capture;
        QCOMPARE(inChild(write, fault == "full disk" ? 80 : RLIM_INFINITY, fault == "read-only folder"), 0);
        QCOMPARE(snapshot(), before);
        // Without the fault the same goes through.
        if (fault == "full disk" && write()) {
            QVERIFY(readFile("UserData.data").contains("SceneRow=9"));
            QCOMPARE(ModelFile(QString(), false).items().size(), 500);
            QVERIFY(QJsonDocument::fromJson(readFile("SpliceState.data")).object().value("keep").toBool());
        }
    }

    // Missing or mistyped fields read as their defaults, other values as they stand.
    void itemFields_data()
    {
        QTest::addColumn<QByteArray>("item");
        QTest::addColumn<WndRecord>("expected");
        const auto row = [](const char *item, const WndRecord &expected) {
            QTest::newRow(item) << QByteArray(item) << expected;
        };
        row("{}", WndRecord{0, 0, 960, 540, 0, -1, 0, 0});
        row(R"({"type":1,"rotate":2,"address":{"x":12},"position":{"x":1.5,"y":2,"width":3,"height":4}})",
            WndRecord{1.5, 2, 3, 4, 12, -1, 1, 2});
        row(R"({"type":"1","rotate":true,"address":{"x":3.5},"position":{"x":10,"y":false,"height":[1]}})",
            WndRecord{10, 0, 960, 540, 0, -1, 0, 0});
        row(R"({"type":-4,"rotate":9,"position":{"width":-2}})", WndRecord{0, 0, -2, 540, 0, -1, -4, 9});
    }
    void itemFields()
    {
        QFETCH(QByteArray, item);
        QFETCH(WndRecord, expected);
        QVERIFY(readOne(item) == expected);
    }

    // No usable layout reads false and leaves no stale records; other top-level keys survive a save only
    // when the file parsed; a file one byte beyond the limit is not read; folders,
    // pipes and devices are neither read nor replaced.
    void filesThatAreNoLayouts()
    {
        QVERIFY(writeFile("bad.data", R"({"items":[{},{}]})"));
        ModelFile model("bad.data", false);
        QVERIFY(model.read());
        QCOMPARE(model.items().size(), 2);
        for (const QByteArray &content : {QByteArray(R"({"items":[]})"), QByteArray(R"({"other":[{}]})"),
                                          QByteArray(R"({"items":{"0":{}}})"), QByteArray(R"({"items":[{}])"),
                                          QByteArray(R"({"items":[1,2,"x"]})")}) {
            QVERIFY(writeFile("bad.data", content));
            QVERIFY2(!model.read() && model.items().isEmpty(), content.constData());
        }
        QVERIFY(writeFile("a.data", R"({"name":"hall","meta":{"v":[1,2]},"items":[{"type":1}]})"));
        QVERIFY(writeFile("b.data", R"({"name":"hall","items":[]} trailing)"));
        for (const char *name : {"a.data", "b.data"})
            ModelFile(name).setItems({WndRecord{}, WndRecord{}});
        QCOMPARE(
            readFile("a.data"),
            QByteArray(R"({"items":[{"address":{"x":-1},"position":{"height":540,"width":960,"x":0,"y":0},)"
                       R"("rotate":0,"type":0},{"address":{"x":-1},"position":{"height":540,"width":960,)"
                       R"("x":0,"y":0},"rotate":0,"type":0}],"meta":{"v":[1,2]},"name":"hall"})"));
        QCOMPARE(QJsonDocument::fromJson(readFile("b.data")).object().keys(), QStringList{"items"});

        QByteArray big = readFile("a.data");

        big.append(QByteArray(int(ModelFile::maxFileSize) + 1 - big.size(), ' '));
        QVERIFY(writeFile("big.data", big));
        ModelFile tooBig("big.data", false);
        QVERIFY(!tooBig.read() && tooBig.items().isEmpty());
        QVERIFY(writeFile("big.data", big.left(big.size() - 1)));
        QCOMPARE(ModelFile("big.data", false).items().size(), 2);

        QVERIFY(QDir().mkdir("dir.data") && writeFile("dir.data/in", "kept") &&
                ::mkfifo("pipe.data", 0644) == 0);
        const auto before = snapshot();
        vt::MessageCapture capture;
        for (const QString strPath : {"dir.data", "pipe.data", "/dev/zero"}) {
            ModelFile other(strPath, strPath != "/dev/zero");
            QVERIFY(!other.read());
            other.setItems({WndRecord{}});
        }
        QCOMPARE(capture.lines.count("xxxxxxxxxxxxxxxx"), 2);
        QCOMPARE(snapshot(), before);
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "tst_core.moc"
