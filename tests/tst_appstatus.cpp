// The settings file as it is on disk across whole runs. Each scenario runs in a child process (this
// program started again with a scenario name), so that the status object is created from the file and
// saved at the child's exit exactly as in the real program.
#include "appstatus.h"
#include "testdir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include <cstdio>

namespace {

void print(const QString &line)
{
    std::printf("%s\n", line.toUtf8().constData());
}

// Runs in the child, in the folder the parent chose; the settings are written when the child exits.
int runScenario(const QString &name)
{
    AppStatus *status = AppStatus::theAppStatus();
    if (name == QLatin1String("touch")) {
        QFile::copy(QStringLiteral("UserData.data"), QStringLiteral("created.data"));
    } else if (name == QLatin1String("dump")) {
        print(QStringLiteral("sceneType=%1").arg(status->sceneType()));
        print(QStringLiteral("unitWidth=%1").arg(status->unitWidth()));
        print(QStringLiteral("unitHeight=%1").arg(status->unitHeight()));
        print(QStringLiteral("sceneRow=%1").arg(status->sceneRow()));
        print(QStringLiteral("sceneColumn=%1").arg(status->sceneColumn()));
        print(QStringLiteral("langType=%1").arg(status->langType()));
        print(QStringLiteral("currPort=%1").arg(status->currPort()));
        print(QStringLiteral("logoType=%1").arg(status->logoType()));
        print(QStringLiteral("spliceRow=%1").arg(status->spliceRow()));
        print(QStringLiteral("openModel=%1").arg(status->isOpenModel() ? 1 : 0));
        for (int i = 0; i < AppStatus::aliasCount; ++i)
            print(QStringLiteral("alias%1=%2").arg(i).arg(status->sceneAlias(i)));
    } else if (name == QLatin1String("chinese")) {
        status->setSceneAlias(0, QStringLiteral("大厅主屏"));
        status->setSceneAlias(15, QStringLiteral("會議室"));
        status->setLangType(QStringLiteral("简体中文"));
        status->setOpenModel(true);
    }
    return 0;
}

QMap<QString, QString> parseDump(const QByteArray &out)
{
    QMap<QString, QString> values;
    for (const QString &line : QString::fromUtf8(out).split(QLatin1Char('\n'))) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq > 0)
            values.insert(line.left(eq), line.mid(eq + 1));
    }
    return values;
}

} // namespace

class TestAppStatus : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir *m_pDir = nullptr;

    QByteArray runChild(const QString &scenario)
    {
        QProcess child;
        child.setWorkingDirectory(m_pDir->path());
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--scenario"), scenario});
        if (!child.waitForFinished(30000))
            return QByteArray();
        return child.readAllStandardOutput();
    }

    QString path(const QString &file) const { return m_pDir->filePath(file); }

    QStringList keysOf(const QString &file)
    {
        QSettings settings(path(file), QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("Config"));
        return settings.childKeys();
    }

private slots:
    void init()
    {
        delete m_pDir;
        m_pDir = new QTemporaryDir;
        QVERIFY(m_pDir->isValid());
    }
    void cleanupTestCase() { delete m_pDir; }

    void firstRunCreatesDefaultsAndExitAddsOpenModel()
    {
        runChild(QStringLiteral("touch"));
        QStringList expected{"langType", "currPort", "SceneRow", "SceneColumn", "SceneType",
                             "SpliceRow", "SpliceColumn", "edgeX", "edgeY"};
        for (int i = 1; i <= 16; ++i)
            expected << AppStatus::aliasKey(i);
        QStringList created = keysOf(QStringLiteral("created.data"));
        QStringList sortedExpected = expected;
        created.sort();
        sortedExpected.sort();
        QCOMPARE(created, sortedExpected);

        QSettings settings(path(QStringLiteral("created.data")), QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("Config"));
        QCOMPARE(settings.value("langType").toString(), QStringLiteral("English"));
        QCOMPARE(settings.value("currPort").toString(), QStringLiteral("COM1"));
        QCOMPARE(settings.value("SceneRow").toInt(), 12);
        QCOMPARE(settings.value("SceneColumn").toInt(), 12);
        QCOMPARE(settings.value("SpliceRow").toInt(), 2);
        QCOMPARE(settings.value("SpliceColumn").toInt(), 3);
        QCOMPARE(settings.value("SceneAlias07").toString(), QStringLiteral("SceneAlias07"));

        QStringList afterExit = keysOf(QStringLiteral("UserData.data"));
        QVERIFY(afterExit.contains(QStringLiteral("openModel")));
        QVERIFY(!afterExit.contains(QStringLiteral("type")));
        QCOMPARE(afterExit.size(), expected.size() + 1);
        QSettings saved(path(QStringLiteral("UserData.data")), QSettings::IniFormat);
        QCOMPARE(saved.value("Config/openModel").toString(), QStringLiteral("false"));
    }

    void sparseFileReadsEmptyValues()
    {
        QFile file(path(QStringLiteral("UserData.data")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Config]\nSceneType=1\n");
        file.close();

        const auto values = parseDump(runChild(QStringLiteral("dump")));
        QCOMPARE(values.value("sceneType"), QStringLiteral("1"));
        QCOMPARE(values.value("unitWidth"), QStringLiteral("360"));
        QCOMPARE(values.value("unitHeight"), QStringLiteral("640"));
        QCOMPARE(values.value("sceneRow"), QStringLiteral("0"));
        QCOMPARE(values.value("sceneColumn"), QStringLiteral("0"));
        QCOMPARE(values.value("langType"), QString());
        QCOMPARE(values.value("currPort"), QString());
        QCOMPARE(values.value("spliceRow"), QStringLiteral("0"));
        for (int i = 0; i < 16; ++i)
            QVERIFY2(values.contains(QStringLiteral("alias%1").arg(i)), qPrintable(QString::number(i)));
        QCOMPARE(values.value("alias15"), QString());
    }

    void handWrittenLogoTypeSurvives()
    {
        QFile file(path(QStringLiteral("UserData.data")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Config]\nlangType=English\ntype=1\nSceneRow=4\n");
        file.close();

        const auto values = parseDump(runChild(QStringLiteral("dump")));
        QCOMPARE(values.value("logoType"), QStringLiteral("1"));
        QSettings saved(path(QStringLiteral("UserData.data")), QSettings::IniFormat);
        QCOMPARE(saved.value("Config/type").toInt(), 1);
        QCOMPARE(saved.value("Config/SceneRow").toInt(), 4);
    }

    void chineseAliasRoundTripsInGb2312()
    {
        runChild(QStringLiteral("chinese"));
        QFile file(path(QStringLiteral("UserData.data")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray raw = file.readAll();
        QTextCodec *gb = QTextCodec::codecForName("GB2312");
        QVERIFY(raw.contains(gb->fromUnicode(QStringLiteral("大厅主屏"))));
        QVERIFY(!raw.contains(QStringLiteral("大厅主屏").toUtf8()));

        const auto values = parseDump(runChild(QStringLiteral("dump")));
        QCOMPARE(values.value("alias0"), QStringLiteral("大厅主屏"));
        QCOMPARE(values.value("langType"), QStringLiteral("简体中文"));
        QCOMPARE(values.value("openModel"), QStringLiteral("1"));
        QCOMPARE(values.value("alias1"), QStringLiteral("SceneAlias02"));
    }

    // In-process: the values that follow from the scene type, and the guarded alias index.
    void sceneTypeAndAliasBounds()
    {
        QDir::setCurrent(m_pDir->path());
        AppStatus *status = AppStatus::theAppStatus();
        status->setSceneType(1);
        QCOMPARE(status->unitWidth(), 360);
        QCOMPARE(status->unitHeight(), 640);
        status->setSceneType(5);
        QCOMPARE(status->sceneType(), 5);
        QCOMPARE(status->unitWidth(), 360);
        QCOMPARE(status->unitHeight(), 640);
        status->setSceneType(2);
        QCOMPARE(status->unitWidth(), 640);
        QCOMPARE(status->unitHeight(), 360);

        QCOMPARE(status->sceneAlias(-1), QString());
        QCOMPARE(status->sceneAlias(16), QString());
        status->setSceneAlias(16, QStringLiteral("x"));
        status->setSceneAlias(-3, QStringLiteral("x"));
        QCOMPARE(status->sceneAlias(15), QStringLiteral("SceneAlias16"));
    }
};

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--scenario") == 0) {
        QCoreApplication app(argc, argv);
        return runScenario(QString::fromLatin1(argv[2]));
    }
    QCoreApplication app(argc, argv);
    TestAppStatus test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_appstatus.moc"
