// The title bar (link buttons, language menu, window buttons, dragging) and the connection dialog.
#include "appstatus.h"
#include "messagecapture.h"
#include "modaldriver.h"
#include "portnames.h"
#include "ptypair.h"
#include "seriallink.h"
#include "settingconnectiondlg.h"
#include "testdir.h"
#include "titleframe.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTranslator>
#include <QVBoxLayout>
#include <QtTest>

using modal::withText;

namespace {

QAction *languageAction(TitleFrame &frame, const QString &text)
{
    for (QAction *pAction : frame.findChildren<QAction *>()) {
        if (pAction->text() == text && pAction->isCheckable())
            return pAction;
    }
    return nullptr;
}

QString titleText(TitleFrame *pFrame)
{
    return pFrame->findChild<QLabel *>(QStringLiteral("titleLabel"))->text();
}

// A shown top-level window holding a title bar, as the main window holds it.
struct Host
{
    QWidget window;
    TitleFrame *pTitle = new TitleFrame;
    Host()
    {
        auto *pLayout = new QVBoxLayout(&window);
        pLayout->addWidget(pTitle);
        window.resize(600, 300);
        window.move(50, 60);
        window.show();
    }
    QVariant maxNormal() { return pTitle->findChild<QPushButton *>("maxButton")->property("Normal"); }
    // At a global position: the window moves under the mouse while it is dragged.
    void mouse(QEvent::Type type, const QPoint &global)
    {
        QMouseEvent event(type, pTitle->mapFromGlobal(global), global, Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pTitle, &event);
    }
};

} // namespace

class TestTitleFrame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testdir::enterFresh(); }

    void connectFollowsLink()
    {
        PtyPair pty;
        QVERIFY(pty.isValid());
        TitleFrame frame;
        QCOMPARE(titleText(&frame), QStringLiteral("Video Wall Controller"));
        QPushButton *pConnect = withText<QPushButton>(&frame, QStringLiteral("Connect"));
        QPushButton *pDisconnect = withText<QPushButton>(&frame, QStringLiteral("Disconnect"));
        auto enabled = [pConnect, pDisconnect] {
            return QList<bool>{pConnect->isEnabled(), pDisconnect->isEnabled()};
        };
        QCOMPARE(enabled(), (QList<bool>{true, false}));

        AppStatus::theAppStatus()->setCurrPort(QStringLiteral("/nonexistent/ttyVW9"));
        QTest::mouseClick(pConnect, Qt::LeftButton);
        QCOMPARE(enabled(), (QList<bool>{true, false}));
        AppStatus::theAppStatus()->setCurrPort(pty.slavePath());
        QTest::mouseClick(pConnect, Qt::LeftButton);
        QVERIFY(SerialLink::theSerialLink()->isConnected());
        QCOMPARE(enabled(), (QList<bool>{false, true}));
        QTest::mouseClick(pDisconnect, Qt::LeftButton);
        QVERIFY(!SerialLink::theSerialLink()->isConnected());
        QCOMPARE(enabled(), (QList<bool>{true, false}));
    }

    void languageMenu()
    {
        AppStatus::theAppStatus()->setLangType(QStringLiteral("English"));
        TitleFrame frame;
        QSignalSpy spy(&frame, SIGNAL(changLang(QString)));
        QVERIFY(languageAction(frame, QStringLiteral("English"))->isChecked());
        QVERIFY(!languageAction(frame, QStringLiteral("简体中文"))->isChecked());
        languageAction(frame, QStringLiteral("English"))->trigger();
        QCOMPARE(spy.count(), 0);
        QVERIFY(languageAction(frame, QStringLiteral("English"))->isChecked());

        languageAction(frame, QStringLiteral("繁体中文"))->trigger();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("繁体中文"));
        QCOMPARE(AppStatus::theAppStatus()->langType(), QStringLiteral("繁体中文"));
        QVERIFY(!languageAction(frame, QStringLiteral("English"))->isChecked());
        AppStatus::theAppStatus()->setLangType(QStringLiteral("English"));
    }

    // The dialog keeps the language it was built in; the title bar follows every change.
    void retranslation()
    {
        TitleFrame frame;
        SettingConnectiondlg englishDlg(QStringList{QStringLiteral("COM2")});
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(VW_BUILD_LANGS_DIR "/zh-cn.qm")));
        QApplication::installTranslator(&translator);
        QCoreApplication::processEvents();
        QCOMPARE(titleText(&frame), QStringLiteral("视频墙控制系统"));
        QVERIFY(withText<QPushButton>(&frame, QStringLiteral("连接")));
        QVERIFY(withText<QPushButton>(&englishDlg, QStringLiteral("Ok")));
        SettingConnectiondlg chineseDlg(QStringList{QStringLiteral("COM2")});
        QVERIFY(withText<QPushButton>(&chineseDlg, QStringLiteral("确定")));

        QApplication::removeTranslator(&translator);
        QCoreApplication::processEvents();
        QCOMPARE(titleText(&frame), QStringLiteral("视频墙控制系统"));
        QVERIFY(withText<QPushButton>(&frame, QStringLiteral("Connect")));
    }

    // Double click and the max button toggle the window; a drag moves it, and restores it when maximised.
    void maximiseAndDrag()
    {
        Host host;
        QVERIFY(QTest::qWaitForWindowExposed(&host.window));
        QSignalSpy spy(host.pTitle, SIGNAL(changWindowSize(int)));
        QList<QVariant> states{host.maxNormal()};
        auto *pMax = host.pTitle->findChild<QPushButton *>("maxButton");
        for (int i = 0; i < 4; ++i) {
            if (i < 2)
                QTest::mouseDClick(host.pTitle, Qt::LeftButton, Qt::NoModifier, QPoint(300, 20));
            else
                QTest::mouseClick(pMax, Qt::LeftButton);
            QCOMPARE(host.window.isMaximized(), i % 2 == 0);
            states << host.maxNormal();
        }
        QCOMPARE(states, (QList<QVariant>{true, false, true, false, true}));

        const QPoint start = host.window.pos();
        host.mouse(QEvent::MouseButtonPress, QPoint(200, 200));
        host.mouse(QEvent::MouseMove, QPoint(210, 205));
        host.mouse(QEvent::MouseMove, QPoint(230, 215));
        QCOMPARE(host.window.pos(), start + QPoint(30, 15));
        host.mouse(QEvent::MouseButtonRelease, QPoint(230, 215));
        // Without a button down nothing moves.
        host.mouse(QEvent::MouseMove, QPoint(300, 300));
        QCOMPARE(host.window.pos(), start + QPoint(30, 15));

        host.pTitle->clickMax();
        QVERIFY(host.window.isMaximized());
        MessageCapture capture;
        host.mouse(QEvent::MouseButtonPress, QPoint(100, 100));
        host.mouse(QEvent::MouseMove, QPoint(101, 100));
        host.mouse(QEvent::MouseMove, QPoint(102, 100));
        host.mouse(QEvent::MouseButtonRelease, QPoint(102, 100));
        QVERIFY(!host.window.isMaximized());
        QCOMPARE(host.maxNormal(), QVariant(true));
        QCOMPARE(capture.startingWith(QStringLiteral("WindowState")).count(), 1);
        QList<int> sizes;
        for (const auto &args : spy)
            sizes << args.at(0).toInt();
        // The max button and double click; the first drag; clickMax; the drag from maximised.
        QCOMPARE(sizes, (QList<int>{1, 0, 1, 0, 0, 1, 0}));
    }

    void settingDialogReused()
    {
        TitleFrame frame;
        QList<QWidget *> shown;
        for (int i = 0; i < 2; ++i) {
            modal::whenShown<QDialog>([&shown](QDialog *pDialog) {
                shown << pDialog;
                pDialog->reject();
            });
            QTest::mouseClick(withText<QPushButton>(&frame, QStringLiteral("Setting")), Qt::LeftButton);
        }
        QCOMPARE(shown.count(), 2);
        QVERIFY(qobject_cast<SettingConnectiondlg *>(shown.at(0)));
        QCOMPARE(shown.at(1), shown.at(0));
    }

    // COM names first, in the system's order; each one is logged. Never an empty list.
    void portFilter_data()
    {
        QTest::addColumn<QStringList>("system");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<int>("debugLines");
        auto add = [](const char *name, const QStringList &system, const QStringList &offered, int nLines) {
            QTest::newRow(name) << system << offered << nLines;
        };
        add("COM3 and COM10", {"COM3", "COM10"}, {"COM3", "COM10"}, 2);
        add("system order", {"COM10", "COM3"}, {"COM10", "COM3"}, 2);
        add("any case, bar", {"com4", "|o|7"}, {"com4", "|o|7"}, 2);
        add("only ttyUSB0", {"ttyUSB0"}, {"ttyUSB0"}, 0);
        add("COM first", {"ttyS0", "COM2", "ttyACM0"}, {"COM2", "ttyS0", "ttyACM0"}, 1);
        add("COM without digits", {"COM"}, {"COM"}, 0);
        add("none", {}, {"COM1"}, 0);
        add("empty name", {""}, {"COM1"}, 0);
    }
    void portFilter()
    {
        QFETCH(QStringList, system);
        QFETCH(QStringList, offered);
        QFETCH(int, debugLines);
        MessageCapture capture;
        QCOMPARE(PortNames::filter(system), offered);
        QCOMPARE(capture.lines().count(), debugLines);
        for (const QString &line : capture.lines())
            QVERIFY(system.contains(line) || system.contains(line.mid(1, line.size() - 2)));
    }

    void dialogSelection_data()
    {
        QTest::addColumn<QStringList>("ports");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("selected");
        auto add = [](const char *name, const QStringList &ports, const char *stored, const char *selected) {
            QTest::newRow(name) << ports << QString(stored) << QString(selected);
        };
        add("stored present", {"COM3", "COM10"}, "COM10", "COM10");
        add("stored absent", {"COM3", "COM10"}, "COM7", "COM3");
        add("device path absent", {"ttyUSB0"}, "/dev/ttyACM3", "ttyUSB0");
        add("no ports", {}, "COM7", "COM1");
    }
    void dialogSelection()
    {
        QFETCH(QStringList, ports);
        QFETCH(QString, stored);
        QFETCH(QString, selected);
        AppStatus::theAppStatus()->setCurrPort(stored);
        SettingConnectiondlg dlg(ports);
        auto *pCombo = dlg.findChild<QComboBox *>();
        QCOMPARE(pCombo->count(), qMax(1, ports.count()));
        QCOMPARE(pCombo->currentText(), selected);
        QTest::mouseClick(withText<QPushButton>(&dlg, QStringLiteral("Cancel")), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(AppStatus::theAppStatus()->currPort(), stored);
        QTest::mouseClick(withText<QPushButton>(&dlg, QStringLiteral("Ok")), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(AppStatus::theAppStatus()->currPort(), selected);
    }

    // A typed port is taken trimmed; an empty one keeps the stored port.
    void dialogTypedPort()
    {
        AppStatus::theAppStatus()->setCurrPort(QStringLiteral("COM1"));
        SettingConnectiondlg dlg;
        auto *pCombo = dlg.findChild<QComboBox *>();
        QCOMPARE(pCombo->count(), PortNames::available().count());
        QPushButton *pOk = withText<QPushButton>(&dlg, QStringLiteral("Ok"));
        pCombo->setEditText(QStringLiteral(" /dev/serial/by-id/usb-adapter "));
        QTest::mouseClick(pOk, Qt::LeftButton);
        QCOMPARE(AppStatus::theAppStatus()->currPort(), QStringLiteral("/dev/serial/by-id/usb-adapter"));
        pCombo->setEditText(QString());
        QTest::mouseClick(pOk, Qt::LeftButton);
        QCOMPARE(AppStatus::theAppStatus()->currPort(), QStringLiteral("/dev/serial/by-id/usb-adapter"));
        QCOMPARE(pCombo->currentText(), QStringLiteral("/dev/serial/by-id/usb-adapter"));
    }
};

QTEST_MAIN(TestTitleFrame)
#include "tst_titleframe.moc"
