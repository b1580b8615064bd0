// The top-level window: its flags and size, and the translator chosen from the language setting.
#include "appstatus.h"
#include "mainwindow.h"
#include "testdir.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

QString connectText()
{
    return QCoreApplication::translate("TitleFrame", "Connect");
}

void installLangs()
{
    QDir().mkpath(QStringLiteral("langs"));
    for (const char *name : {"zh-cn.qm", "zh-tw.qm"}) {
        QFile::remove(QStringLiteral("langs/") + QLatin1String(name));
        QVERIFY(QFile::copy(QStringLiteral(VW_BUILD_LANGS_DIR "/") + QLatin1String(name),
                            QStringLiteral("langs/") + QLatin1String(name)));
    }
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testdir::enterFresh(); }

    void framelessFixedWindow()
    {
        MainWindow window;
        QCOMPARE(window.windowFlags() & ~Qt::WindowType_Mask, Qt::FramelessWindowHint);
        QCOMPARE(window.minimumSize(), QSize(1024, 680));
        QCOMPARE(window.maximumSize(), QSize(1024, 680));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), QSize(1024, 680));
    }

    void centredOnDesktop()
    {
        QCOMPARE(MainWindow::centredPosition(QRect(0, 0, 1920, 1080), QSize(1024, 680)), QPoint(448, 200));
        QCOMPARE(MainWindow::centredPosition(QRect(0, 0, 1025, 681), QSize(1024, 680)), QPoint(0, 0));
        QCOMPARE(MainWindow::centredPosition(QRect(0, 0, 800, 600), QSize(1024, 680)), QPoint(-112, -40));
    }

    void chineseWithoutLangsFolderStaysEnglish()
    {
        AppStatus::theAppStatus()->setLangType(QStringLiteral("简体中文"));
        QVERIFY(!QDir(QStringLiteral("langs")).exists());
        MainWindow window;
        QCOMPARE(connectText(), QStringLiteral("Connect"));
    }

    void translatorFollowsLanguage()
    {
        installLangs();
        AppStatus::theAppStatus()->setLangType(QStringLiteral("简体中文"));
        {
            MainWindow window;
            QCOMPARE(connectText(), QStringLiteral("连接"));
            window.onChangLang(QStringLiteral("English"));
            QCOMPARE(connectText(), QStringLiteral("Connect"));
            window.onChangLang(QStringLiteral("繁体中文"));
            QCOMPARE(connectText(), QStringLiteral("連線"));
            window.onChangLang(QStringLiteral("简体中文"));
            QCOMPARE(connectText(), QStringLiteral("连接"));
        }
        // The translator dies with the window and takes its texts along.
        QCOMPARE(connectText(), QStringLiteral("Connect"));

        AppStatus::theAppStatus()->setLangType(QStringLiteral("English"));
        MainWindow english;
        QCOMPARE(connectText(), QStringLiteral("Connect"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
