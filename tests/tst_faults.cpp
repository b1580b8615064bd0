// Bad settings, bad layout files, unwritable files and a misbehaving controller never crash the program
// nor lose what was on disk. Runs needing a fresh process start this program with "--scenario program".
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

using testdir::readBytes;
using testdir::writeBytes;

const QByteArray
    twoWindows("{\"items\":[{\"type\":0,\"position\":{\"x\":100,\"y\":50,\"width\":900,\"height\":500}},"
               "{\"type\":1,\"address\":{\"x\":2},\"rotate\":1}]}");

// The main window and a painted wall scene through both models; with bEdit also settings and windows to
// write at the end.
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
    if (limit >= 0) { // a full disk
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit size;
        size.rlim_cur = size.rlim_max = arguments.value(limit + 1).toULong();
        setrlimit(RLIMIT_FSIZE, &size);
    }
    return exerciseProgram(true) ? 0 : 1;
}

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
QStringList settingsOf(const AppStatus *s)
{
    QTextCodec *codec = QTextCodec::codecForName("GB2312");
    auto text = [codec](const QString &str) { return codec->toUnicode(codec->fromUnicode(str)); };
    QStringList values{text(s->langType()), text(s->currPort())};
    for (int n :
         {s->sceneRow(), s->sceneColumn(), s->logoType(), s->sceneType(), s->unitWidth(), s->unitHeight(),
          int(s->isOpenModel()), s->spliceRow(), s->spliceColumn(), s->edgeX(), s->edgeY()})
        values << QString::number(n);
    for (int i = 0; i < AppStatus::aliasCount; ++i)
        values << text(s->sceneAlias(i));
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

// Notices a reader opening a named pipe (and lets it go), so that the test fails instead of hanging.
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

    void badSettingsStillRun_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::newRow("zero and negative") << QByteArray("[Config]\nSceneRow=0\nSceneColumn=-2147483648\n"
                                                         "SpliceRow=-3\nSpliceColumn=0\nedgeX=-2147483648\n");
        QTest::newRow("not numeric") << QByteArray("[Config]\nSceneRow=abc\nSceneColumn=1.5\nSpliceRow=0x10\n"
                                                   "SpliceColumn=\nSceneType=one\nopenModel=maybe\n");
        QTest::newRow("beyond any wall")
            << QByteArray("[Config]\nSceneRow=2147483647\nSceneColumn=99999\n"
                          "SpliceRow=256\nSpliceColumn=2147483647\nSceneType=7\n");
        QTest::newRow("very long texts") << QByteArray("[Config]\nSceneAlias01=") + QByteArray(100000, 'W') +
                                                "\nlangType=" + QByteArray(5000, 'x') + "\n";
        QTest::newRow("not GB2312") << bytes("[Config]\nlangType=\xff\xfe\x80\nSceneAlias01=\x81\x30\x00z\n"
                                             "currPort=\xa1\nSceneRow=\xb1\xb2\n[\xff]\n\xfe=1\n");
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
        const QStringList held = settingsOf(status);
        status->save();
        status->reload();
        QCOMPARE(settingsOf(status), held);
    }

    // What the model file reads is tested on its own; here the program must neither hang nor lose the wall.
    void badLayouts_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("path");
        const QString file = QStringLiteral("layout.data");
        QTest::newRow("truncated") << QByteArray("{\"items\":[{\"address\":{\"x\":1},\"position\":{\"wid")
                                   << file;
        QTest::newRow("deeply nested") << QByteArray("{\"items\":[") + QByteArray(200000, '[') << file;
        QTest::newRow("endless device") << QByteArray() << QStringLiteral("/dev/zero");
        QTest::newRow("named pipe") << QByteArray() << QStringLiteral("pipe.data");
    }
    void badLayouts()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, path);
        testdir::enterFresh();
        AppStatus *status = AppStatus::theAppStatus();
        status->reload();
        const bool isPipe = path == QLatin1String("pipe.data");
        const bool isFile = !isPipe && !path.startsWith(QLatin1Char('/'));
        std::unique_ptr<PipeWatch> pWatch;
        if (isPipe) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
            pWatch.reset(new PipeWatch(path));
        }
        if (isFile) {
            // As the state file at start: the program runs and closes, leaving a layout.
            QVERIFY(writeBytes(path, content) && writeBytes(QStringLiteral("SpliceState.data"), content));
            status->setOpenModel(true);
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
        QCOMPARE(scene.windows().size(), 1);
        QCOMPARE(scene.windows().first()->position(), Position(30, 40, 500, 600));
        if (isFile)
            QCOMPARE(readBytes(path), content);
        if (isPipe) {
            // Saving over it is refused too: a file renamed into its place would replace it.
            scene.saveModel(path);
            QVERIFY(QFileInfo(path).exists() && !QFileInfo(path).isFile());
            QVERIFY(!pWatch->wasOpened());
        }
    }

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
            arguments << QStringLiteral("--limit") << QString::number(settings.size() + 16);
        } else if (fault == QLatin1String("read-only folder")) {
            // Permission bits do not stop root.
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
        // Nothing left behind, nothing lost; a full disk may still take a short layout, then whole.
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

    void misbehavingPeer_data()
    {
        QTest::addColumn<QString>("peer");
        for (const char *peer : {"silent", "garbage", "flooding"})
            QTest::newRow(peer) << QString::fromLatin1(peer);
    }
    // Commands always come back, the link keeps working and no descriptor leaks across reopens.
    void misbehavingPeer()
    {
        QFETCH(QString, peer);
        PtyPair pty;
        std::atomic<bool> isDone{false};
        std::thread thread([&]() {
            const bool isFlooding = peer == QLatin1String("flooding");
            QByteArray garbage("\xc5\xa7\x7f\xc5\x00\xff\xa7\xc5\xa7\x02", 10);
            while (!isDone && peer != QLatin1String("silent")) {
                const QByteArray frames = pty.readAll(isFlooding ? 0 : 5);
                if (isFlooding)
                    pty.write(QByteArray(4096, '\xa7'));
                else if (!frames.isEmpty())
                    pty.write(garbage.repeated(1 + frames.size() % 7));
            }
        });
        int descriptors = 0;
        for (int cycle = 0; cycle < 5; ++cycle) {
            QVERIFY(link()->open(pty.slavePath()));
            link()->setPosition(1, 0, cycle, cycle, 1920, 1080);
            link()->setRotate(cycle, cycle % 4);
            link()->close();
            if (cycle == 0)
                descriptors = openDescriptors();
        }
        QCOMPARE(openDescriptors(), descriptors);
        isDone = true;
        thread.join();
        pty.readAll(50);

        QVERIFY(link()->open(pty.slavePath()));
        link()->resetUnit(7);
        QCOMPARE(pty.readAll(100), resetFrame);
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
