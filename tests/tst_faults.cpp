// The program against bad settings, bad layout files, files it cannot write and a misbehaving controller:
// it never crashes, a command always comes back, and what the operator had on disk is never lost. Runs
// that need a fresh process (another user, a size limit, the settings written at exit) start this program
// again with "--scenario program".
#include "appstatus.h"
#include "mainwindow.h"
#include "modelfile.h"
#include "ptypair.h"
#include "seriallink.h"
#include "splicescene.h"
#include "testdir.h"
#include "unitwnd.h"

#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QGraphicsView>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

Q_DECLARE_METATYPE(WndRecord)

namespace {

template <int N>
QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

const QByteArray resetFrame = QByteArray::fromHex("c5a7030700ff75");

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

// A layout with a window of each type, the second addressed.
const QByteArray
    twoWindows("{\"items\":[{\"type\":0,\"position\":{\"x\":100,\"y\":50,\"width\":900,\"height\":500}},"
               "{\"type\":1,\"address\":{\"x\":2},\"rotate\":1}]}");

// The program as the operator meets it: the main window, and a wall scene in a view as the splice view
// shows it, switched through both splice models, snapped to the units and painted. With bEdit the operator
// also changes settings and adds windows, so that there is something to write at the end.
bool exerciseProgram(bool bEdit)
{
    AppStatus *status = AppStatus::theAppStatus();
    // Declared first, so that the main window closes first and this scene writes the state file last.
    QGraphicsView view;
    std::unique_ptr<SpliceScene> pScene(new SpliceScene);
    MainWindow window;
    window.show();
    pScene->setSceneRect(0, 0, status->unitWidth(), status->unitHeight());
    view.setScene(pScene.get());
    view.show();
    const bool isExposed = QTest::qWaitForWindowExposed(&view) && QTest::qWaitForWindowExposed(&window);
    for (bool bOpen : {true, false}) {
        status->setOpenModel(bOpen);
        pScene->applyOpenModel(bOpen);
        for (UnitWnd *pWnd : pScene->windows())
            pWnd->snapToUnits();
        view.viewport()->repaint();
    }
    if (bEdit) {
        status->setSceneRow(9);
        status->setSceneAlias(0, QString(200, QLatin1Char('M')));
        for (int i = 0; i < 10; ++i)
            pScene->slotAddWnd();
    }
    window.grab();
    return isExposed;
}

int runScenario(const QStringList &arguments)
{
    const int limit = arguments.indexOf(QStringLiteral("--limit"));
    if (limit >= 0) {
        // A disk that fills up: no file may grow beyond the limit, and the write fails instead.
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit size;
        size.rlim_cur = size.rlim_max = arguments.value(limit + 1).toULong();
        setrlimit(RLIMIT_FSIZE, &size);
    }
    return exerciseProgram(true) ? 0 : 1;
}

// Every file and folder below strDir, with the bytes of the regular files.
QMap<QString, QByteArray> snapshot(const QString &strDir)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(strDir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString strPath = it.next();
        QByteArray content("<dir>");
        if (it.fileInfo().isFile())
            content = readBytes(strPath);
        else if (!it.fileInfo().isDir())
            content = "<special>";
        entries.insert(strPath.mid(strDir.size()), content);
    }
    return entries;
}

// The settings as the program holds them; texts as they come back from a GB2312 file.
QStringList settingsOf(const AppStatus *status)
{
    QTextCodec *codec = QTextCodec::codecForName("GB2312");
    auto text = [codec](const QString &str) { return codec->toUnicode(codec->fromUnicode(str)); };
    QStringList values{text(status->langType()),
                       text(status->currPort()),
                       QString::number(status->sceneRow()),
                       QString::number(status->sceneColumn()),
                       QString::number(status->logoType()),
                       QString::number(status->sceneType()),
                       QString::number(status->unitWidth()),
                       QString::number(status->unitHeight()),
                       QString::number(status->isOpenModel()),
                       QString::number(status->spliceRow()),
                       QString::number(status->spliceColumn()),
                       QString::number(status->edgeX()),
                       QString::number(status->edgeY())};
    for (int i = 0; i < AppStatus::aliasCount; ++i)
        values << text(status->sceneAlias(i));
    return values;
}

QList<WndRecord> recordsOf(const QString &strFile)
{
    ModelFile model(strFile, false);
    model.read();
    return model.items();
}

SerialLink *link()
{
    return SerialLink::theSerialLink();
}

// Watches a named pipe: a reader that opens it, and would wait there for a writer forever, is noticed and
// let go with an empty read, so that a test fails instead of hanging.
class PipeWatch
{
public:
    explicit PipeWatch(const QString &strPath)
        : m_path(QFile::encodeName(strPath)), m_thread([this] { run(); })
    {}
    ~PipeWatch()
    {
        m_isDone = true;
        m_thread.join();
    }
    bool wasOpened() const { return m_wasOpened; }

private:
    void run()
    {
        while (!m_isDone) {
            // Opening to write without blocking succeeds only while someone has the pipe open to read.
            const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
            struct stat info;
            if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISFIFO(info.st_mode))
                m_wasOpened = true;
            if (fd >= 0)
                ::close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    QByteArray m_path;
    std::atomic<bool> m_isDone{false};
    std::atomic<bool> m_wasOpened{false};
    std::thread m_thread;
};

int openDescriptors()
{
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size();
}

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testdir::enterFresh(); }
    void cleanup() { link()->close(); }

    // ---- Settings ----

    void badSettingsStillRun_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::newRow("rows and columns 0") << QByteArray("[Config]\nSceneRow=0\nSceneColumn=0\nSpliceRow=0\n"
                                                          "SpliceColumn=0\n");
        QTest::newRow("negative") << QByteArray(
            "[Config]\nSceneRow=-1\nSceneColumn=-2147483648\nSpliceRow=-3\n"
            "SpliceColumn=-1\nedgeX=-2147483648\nSceneType=-1\n");
        QTest::newRow("not numeric") << QByteArray("[Config]\nSceneRow=abc\nSceneColumn=1.5\nSpliceRow=0x10\n"
                                                   "SpliceColumn=\nSceneType=one\nopenModel=maybe\n");
        QTest::newRow("beyond any wall") << QByteArray("[Config]\nSceneRow=2147483647\nSceneColumn=99999\n"
                                                       "SpliceRow=256\nSpliceColumn=2147483647\n");
        QTest::newRow("unknown scene type")
            << QByteArray("[Config]\nSceneType=7\nSceneRow=4\nSceneColumn=4\n");
        QTest::newRow("very long texts") << QByteArray("[Config]\nSceneAlias01=") + QByteArray(100000, 'W') +
                                                "\nlangType=" + QByteArray(5000, 'x') +
                                                "\ncurrPort=" + QByteArray(5000, '/') + "\n";
        QTest::newRow("not GB2312") << bytes("[Config]\nlangType=\xff\xfe\x80\nSceneAlias01=\x81\x30\x00z\n"
                                             "currPort=\xa1\nSceneRow=\xb1\xb2\n[\xff]\n\xfe=1\n");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("not an INI file") << bytes("\x00\x01\x02[[[\n=\n\\\n\"");
    }
    void badSettingsStillRun()
    {
        QFETCH(QByteArray, settings);
        testdir::enterFresh();
        QVERIFY(writeBytes(QStringLiteral("UserData.data"), settings));
        QVERIFY(writeBytes(QStringLiteral("SpliceState.data"), twoWindows));
        AppStatus *status = AppStatus::theAppStatus();
        status->reload();
        QVERIFY(exerciseProgram(false));
        QVERIFY(QJsonDocument::fromJson(readBytes(QStringLiteral("SpliceState.data"))).isObject());

        // What the program held is what it finds at its next start.
        const QStringList held = settingsOf(status);
        status->save();
        status->reload();
        QCOMPARE(settingsOf(status), held);
    }

    // ---- Layout files ----

    void badLayouts_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("windows");
        const QString file = QStringLiteral("layout.data");
        QTest::newRow("empty") << QByteArray() << file << -1;
        QTest::newRow("truncated") << QByteArray(
                                          "{\"items\":[{\"address\":{\"x\":1},\"position\":{\"x\":0,\"wid")
                                   << file << -1;
        QTest::newRow("deeply nested") << QByteArray("{\"items\":[") + QByteArray(200000, '[') << file << -1;
        QTest::newRow("nested items")
            << QByteArray("{\"items\":[") + QByteArray(500, '[') + QByteArray(500, ']') + ",{\"type\":0}]}"
            << file << 2;
        QTest::newRow("wrong types")
            << QByteArray("{\"items\":[{\"address\":\"3\",\"position\":[1,2],\"type\":\"1\",\"rotate\":null},"
                          "{\"address\":{\"x\":true},\"position\":{\"x\":\"1\",\"y\":null,\"width\":{}},"
                          "\"type\":1.5},"
                          "7,\"text\",null,{}],\"other\":{\"items\":1}}")
            << file << 6;
        QTest::newRow("extreme numbers")
            << QByteArray(
                   "{\"items\":[{\"address\":{\"x\":2147483647},\"rotate\":2147483647,\"position\":"
                   "{\"x\":1e308,\"y\":-1e308,\"width\":9007199254740992,\"height\":-9007199254740993}},"
                   "{\"address\":{\"x\":-2147483648},\"rotate\":-1,\"position\":"
                   "{\"x\":-0.0,\"y\":4.9e-324,\"width\":1.7976931348623157e308,\"height\":-1}},"
                   "{\"address\":{\"x\":9007199254740993},\"type\":1,\"position\":{\"x\":2147483648}}]}")
            << file << 3;
        QTest::newRow("tens of megabytes") << QByteArray() << QStringLiteral("huge.data") << -1;
        QTest::newRow("endless device") << QByteArray() << QStringLiteral("/dev/zero") << -1;
        QTest::newRow("named pipe") << QByteArray() << QStringLiteral("pipe.data") << -1;
    }
    void badLayouts()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, path);
        QFETCH(int, windows);
        testdir::enterFresh();
        AppStatus *status = AppStatus::theAppStatus();
        status->reload();
        status->setOpenModel(true);
        // Neither a device nor a pipe (which no one writes to) may hold the program up.
        const bool isPipe = path == QLatin1String("pipe.data");
        const bool isDevice = isPipe || path.startsWith(QLatin1Char('/'));
        std::unique_ptr<PipeWatch> pWatch;
        if (isPipe) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
            pWatch.reset(new PipeWatch(path));
        }
        for (const QString &strFile : {path, QStringLiteral("SpliceState.data")}) {
            if (isDevice)
                break;
            if (path == QLatin1String("huge.data")) {
                // Sparse: a layout followed by 40 MiB of nothing, beyond what is read.
                QFile huge(strFile);
                QVERIFY(huge.open(QIODevice::WriteOnly) && huge.write("{\"items\":[{}]} ") > 0);
                QVERIFY(huge.resize(40 * 1024 * 1024));
            } else {
                QVERIFY(writeBytes(strFile, content));
            }
        }
        const QByteArray before = isDevice ? QByteArray() : readBytes(path);

        // As the state file at start: the program builds from it, runs and closes, leaving a layout.
        if (!isDevice) {
            QVERIFY(exerciseProgram(false));
            QVERIFY(QJsonDocument::fromJson(readBytes(QStringLiteral("SpliceState.data"))).isObject());
        }

        // Loaded by the operator over a wall that has one window.
        status->setOpenModel(true);
        SpliceScene scene;
        scene.setRebuildPause(0);
        ModelFile one(QStringLiteral("one.data"), false);
        one.setItems({WndRecord{30, 40, 500, 600, 5, -1, 0, 2}});
        scene.loadConfig(&one);
        scene.loadModel(path);
        if (windows < 0) {
            QCOMPARE(scene.windows().size(), 1);
            QCOMPARE(scene.windows().first()->position(), Position(30, 40, 500, 600));
        } else {
            QCOMPARE(scene.windows().size(), windows);
            // What was loaded is what is saved again, numbers as they stood.
            QList<WndRecord> shown = recordsOf(path);
            shown.erase(
                std::remove_if(shown.begin(), shown.end(), [](const WndRecord &r) { return r.type != 0; }),
                shown.end());
            scene.saveModel(QStringLiteral("saved.data"));
            QCOMPARE(recordsOf(QStringLiteral("saved.data")), shown);
        }
        if (!isDevice)
            QCOMPARE(readBytes(path), before);
        if (isPipe) {
            // Saving over it is refused as well: a file renamed into its place would replace it.
            scene.saveModel(path);
            QVERIFY(QFileInfo(path).exists() && !QFileInfo(path).isFile());
            QVERIFY(!pWatch->wasOpened());
        }
    }

    // ---- Files that cannot be written ----

    void filesThatCannotBeWritten_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("isWritten");
        const QString settings = QStringLiteral("UserData.data");
        const QString state = QStringLiteral("SpliceState.data");
        QTest::newRow("none") << QString() << QString() << true;
        QTest::newRow("full disk") << QStringLiteral("full disk") << QString() << false;
        QTest::newRow("read-only folder") << QStringLiteral("read-only folder") << QString() << false;
        QTest::newRow("settings file is a folder") << QStringLiteral("folder") << settings << false;
        QTest::newRow("state file is a folder") << QStringLiteral("folder") << state << false;
        QTest::newRow("settings file is a pipe") << QStringLiteral("pipe") << settings << false;
        QTest::newRow("state file is a pipe") << QStringLiteral("pipe") << state << false;
    }
    void filesThatCannotBeWritten()
    {
        QFETCH(QString, fault);
        QFETCH(QString, file);
        QFETCH(bool, isWritten);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile::setPermissions(dir.path(),
                              QFile::permissions(dir.path()) | QFile::ReadOther | QFile::ExeOther);
        QByteArray settings(
            "[Config]\nlangType=English\ncurrPort=COM1\nSceneRow=12\nSceneColumn=12\nSpliceRow=2\n"
            "SpliceColumn=3\ntype=1\nSceneAlias01=\xb4\xf3\xcc\xfc\n");
        QVERIFY(writeBytes(dir.filePath(QStringLiteral("UserData.data")), settings));
        QVERIFY(writeBytes(dir.filePath(QStringLiteral("SpliceState.data")), twoWindows));
        if (!file.isEmpty()) {
            QVERIFY(QFile::remove(dir.filePath(file)));
            if (fault == QLatin1String("pipe")) {
                QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(file)).constData(), 0644), 0);
            } else {
                QVERIFY(QDir(dir.path()).mkpath(file));
                QVERIFY(writeBytes(dir.filePath(file + QStringLiteral("/inside")), "kept"));
            }
        }
        const auto before = snapshot(dir.path());

        QString program = QCoreApplication::applicationFilePath();
        QStringList arguments{QStringLiteral("--scenario"), QStringLiteral("program")};
        QTemporaryDir bin;
        if (fault == QLatin1String("full disk")) {
            // Room for a copy of each file as it is, not for what the program would write.
            arguments << QStringLiteral("--limit") << QString::number(settings.size() + 16);
        } else if (fault == QLatin1String("read-only folder")) {
            // Permission bits do not stop root: the program runs as another user.
            const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
            if (::getuid() != 0 || setpriv.isEmpty())
                QSKIP("needs root and setpriv to run the program as another user");
            const QString copy = bin.filePath(QStringLiteral("tst_faults"));
            QVERIFY(QFile::copy(program, copy));
            QFile::setPermissions(bin.path(),
                                  QFile::permissions(bin.path()) | QFile::ReadOther | QFile::ExeOther);
            arguments = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                    QStringLiteral("--clear-groups"), copy} +
                        arguments;
            program = setpriv;
        }
        std::unique_ptr<PipeWatch> pWatch;
        if (fault == QLatin1String("pipe"))
            pWatch.reset(new PipeWatch(dir.filePath(file)));
        QProcess child;
        child.setWorkingDirectory(dir.path());
        child.start(program, arguments);
        QVERIFY(child.waitForFinished(60000));
        if (pWatch)
            QVERIFY(!pWatch->wasOpened());
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
                 child.readAllStandardError().right(3000).constData());

        const auto after = snapshot(dir.path());
        const QString state = QStringLiteral("/SpliceState.data");
        if (isWritten) {
            QVERIFY(after.value(QStringLiteral("/UserData.data")).contains("SceneRow=9"));
            // The grid of the standard model and the ten new windows.
            QCOMPARE(recordsOf(dir.path() + state).size(), 16);
            return;
        }
        // Nothing is left behind, and what could not be written is as it was. A full disk may still take a
        // short layout, which must then be whole.
        QCOMPARE(after.keys(), before.keys());
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            const bool isFaulty = !file.isEmpty() ? it.key().startsWith(QLatin1Char('/') + file)
                                                  : it.key() != state || fault != QLatin1String("full disk");
            if (isFaulty)
                QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key()));
            else if (it.key() == state)
                QVERIFY(QJsonDocument::fromJson(after.value(state)).isObject());
        }
    }

    // ---- A controller that misbehaves ----

    void misbehavingPeer_data()
    {
        QTest::addColumn<QString>("peer");
        QTest::newRow("silent") << QStringLiteral("silent");
        QTest::newRow("garbage") << QStringLiteral("garbage");
        QTest::newRow("flooding") << QStringLiteral("flooding");
    }
    void misbehavingPeer()
    {
        QFETCH(QString, peer);
        PtyPair pty;
        QVERIFY(link()->open(pty.slavePath()));
        std::atomic<bool> isDone{false};
        std::thread thread([&]() {
            if (peer == QLatin1String("silent"))
                return;
            const bool isFlooding = peer == QLatin1String("flooding");
            QByteArray garbage("\xc5\xa7\x7f\xc5\x00\xff\xa7\xc5\xa7\x02", 10);
            while (!isDone) {
                // Takes what the link wrote, so that its writes keep flowing, and answers at once.
                const QByteArray frames = pty.readAll(isFlooding ? 0 : 5);
                if (isFlooding)
                    pty.write(QByteArray(4096, '\xa7'));
                else if (!frames.isEmpty())
                    pty.write(garbage.repeated(1 + frames.size() % 7));
            }
        });
        for (int i = 0; i < 8; ++i) {
            QElapsedTimer timer;
            timer.start();
            link()->setPosition(1, 0, i, i, 1920, 1080);
            // Loose: a command takes about a quarter of a second at most.
            QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
        }
        isDone = true;
        thread.join();
        pty.readAll(50);

        link()->resetUnit(7);
        QCOMPARE(pty.readAll(100), resetFrame);
        QVERIFY(link()->isConnected());
    }

    void noDescriptorGrowth()
    {
        PtyPair pty;
        std::atomic<bool> isDone{false};
        // A controller that answers every frame at once.
        std::thread echo([&]() {
            while (!isDone) {
                if (!pty.readAll(5).isEmpty())
                    pty.write(QByteArray("\xa7\xc5\x01\x00", 4));
            }
        });
        auto cycle = [&]() {
            QVERIFY(link()->open(pty.slavePath()));
            for (int i = 0; i < 10; ++i)
                link()->setRotate(i, i % 4);
            link()->close();
        };
        cycle();
        const int descriptors = openDescriptors();
        for (int i = 0; i < 20; ++i)
            cycle();
        isDone = true;
        echo.join();
        QCOMPARE(openDescriptors(), descriptors);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc >= 3 && qstrcmp(argv[1], "--scenario") == 0)
        return runScenario(app.arguments());
    TestFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_faults.moc"
