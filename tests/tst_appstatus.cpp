// The settings file on disk across whole runs: each scenario runs in a child process (this program with
// "--scenario name"), so the status is read from the file and saved at exit as in the real program.
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

void print(const char *key, const QVariant &value)
{
    std::printf("%s=%s\n", key, value.toString().toUtf8().constData());
}

int runScenario(const QString &name)
{
    AppStatus *status = AppStatus::theAppStatus();
    if (name == QLatin1String("touch")) {
        QFile::copy(QStringLiteral("UserData.data"), QStringLiteral("created.data"));
    } else if (name == QLatin1String("dump")) {
        print("sceneType", status->sceneType());
        print("unitWidth", status->unitWidth());
        print("unitHeight", status->unitHeight());
        print("sceneRow", status->sceneRow());
        print("spliceRow", status->spliceRow());
        print("langType", status->langType());
        print("currPort", status->currPort());
        print("logoType", status->logoType());
        print("openModel", int(status->isOpenModel()));
        for (int i = 0; i < AppStatus::aliasCount; ++i)
            print(qPrintable(QStringLiteral("alias%1").arg(i)), status->sceneAlias(i));
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
        QStringList keys = settings.childKeys();
        keys.sort();
        return keys;
    }
    void writeSettings(const QByteArray &body)
    {
        QFile file(path(QStringLiteral("UserData.data")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(body) == body.size());
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
        QStringList expected{"langType",  "currPort",     "SceneRow", "SceneColumn", "SceneType",
                             "SpliceRow", "SpliceColumn", "edgeX",    "edgeY"};
        for (int i = 1; i <= 16; ++i)
            expected << AppStatus::aliasKey(i);
        expected.sort();
        QCOMPARE(keysOf(QStringLiteral("created.data")), expected);
        QSettings created(path(QStringLiteral("created.data")), QSettings::IniFormat);
        const QStringList values{"English", "COM1", "12", "12", "2", "3", "SceneAlias07"};
        const QStringList keys{"langType",  "currPort",     "SceneRow",    "SceneColumn",
                               "SpliceRow", "SpliceColumn", "SceneAlias07"};
        for (int i = 0; i < keys.size(); ++i)
            QCOMPARE(created.value("Config/" + keys[i]).toString(), values[i]);

        expected << QStringLiteral("openModel");
        expected.sort();
        QCOMPARE(keysOf(QStringLiteral("UserData.data")), expected);
        QSettings saved(path(QStringLiteral("UserData.data")), QSettings::IniFormat);
        QCOMPARE(saved.value("Config/openModel").toString(), QStringLiteral("false"));
    }

    // Missing keys read empty, a hand-written logo type is kept on save.
    void sparseFileReadsEmptyValues()
    {
        writeSettings("[Config]\nSceneType=1\ntype=1\nSceneRow=4\n");
        const auto values = parseDump(runChild(QStringLiteral("dump")));
        QStringList dumped;
        for (const char *key : {"sceneType", "unitWidth", "unitHeight", "sceneRow", "spliceRow", "langType",
                                "currPort", "logoType", "alias15"})
            dumped << values.value(QLatin1String(key), QStringLiteral("missing"));
        QCOMPARE(dumped, (QStringList{"1", "360", "640", "4", "0", "", "", "1", ""}));
        QSettings saved(path(QStringLiteral("UserData.data")), QSettings::IniFormat);
        QCOMPARE(saved.value("Config/type").toInt(), 1);
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

    // In-process: the unit size follows the scene type (an unknown one keeps it); the alias index is guarded.
    void sceneTypeAndAliasBounds()
    {
        QDir::setCurrent(m_pDir->path());
        AppStatus *status = AppStatus::theAppStatus();
        for (const QVector<int> &row : QList<QVector<int>>{{1, 360, 640}, {5, 360, 640}, {2, 640, 360}}) {
            status->setSceneType(row[0]);
            QCOMPARE((QVector<int>{status->sceneType(), status->unitWidth(), status->unitHeight()}), row);
        }

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
