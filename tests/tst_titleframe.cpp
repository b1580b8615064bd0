// The title bar (link buttons, language menu, window buttons, dragging) and the connection dialog.
#include "appstatus.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "operationframe.h"
#include "portnames.h"
#include "ptypair.h"
#include "seriallink.h"
#include "settingconnectiondlg.h"
#include "testdir.h"
#include "titleframe.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QPushButton *buttonWithText(QWidget *pParent, const QString &text)
{
    const auto buttons = pParent->findChildren<QPushButton *>();
    for (QPushButton *pButton : buttons) {
        if (pButton->text() == text)
            return pButton;
    }
    return nullptr;
}

QAction *languageAction(TitleFrame &frame, const QString &text)
{
    const auto actions = frame.findChildren<QAction *>();
    for (QAction *pAction : actions) {
        if (pAction->text() == text && pAction->isCheckable())
            return pAction;
    }
    return nullptr;
}

void sendMouse(QWidget *pWidget, QEvent::Type type, const QPoint &global)
{
    QMouseEvent event(type, pWidget->mapFromGlobal(global), global, Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pWidget, &event);
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
    QPushButton *maxButton() { return pTitle->findChild<QPushButton *>(QStringLiteral("maxButton")); }
};

} // namespace

class TestTitleFrame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testdir::enterFresh(); }

    void initialState()
    {
        TitleFrame frame;
        QCOMPARE(frame.height(), 40);
        QCOMPARE(frame.property("class").toString(), QStringLiteral("titleFrame"));
        QCOMPARE(frame.findChild<QLabel *>(QStringLiteral("titleLabel"))->text(),
                 QStringLiteral("Video Wall Controller"));
        for (const char *name : {"aboutButton", "minButton", "maxButton", "closeButton"})
            QVERIFY(frame.findChild<QPushButton *>(QLatin1String(name))->text().isEmpty());
        QCOMPARE(frame.findChild<QPushButton *>(QStringLiteral("maxButton"))->property("Normal"),
                 QVariant(true));
        QVERIFY(buttonWithText(&frame, QStringLiteral("Connect"))->isEnabled());
        QVERIFY(!buttonWithText(&frame, QStringLiteral("Disconnect"))->isEnabled());
        QVERIFY(frame.findChild<QPushButton *>(QStringLiteral("aboutButton"))->menu());
        QVERIFY(languageAction(frame, QStringLiteral("English"))->isChecked());
        QVERIFY(!languageAction(frame, QStringLiteral("简体中文"))->isChecked());
    }

    void connectFollowsLink()
    {
        PtyPair pty;
        QVERIFY(pty.isValid());
        TitleFrame frame;
        QPushButton *pConnect = buttonWithText(&frame, QStringLiteral("Connect"));
        QPushButton *pDisconnect = buttonWithText(&frame, QStringLiteral("Disconnect"));

        AppStatus::theAppStatus()->setCurrPort(QStringLiteral("/nonexistent/ttyVW9"));
        QTest::mouseClick(pConnect, Qt::LeftButton);
        QVERIFY(pConnect->isEnabled());
        QVERIFY(!pDisconnect->isEnabled());

        AppStatus::theAppStatus()->setCurrPort(pty.slavePath());
        QTest::mouseClick(pConnect, Qt::LeftButton);
        QVERIFY(SerialLink::theSerialLink()->isConnected());
        QVERIFY(!pConnect->isEnabled());
        QVERIFY(pDisconnect->isEnabled());

        QTest::mouseClick(pDisconnect, Qt::LeftButton);
        QVERIFY(!SerialLink::theSerialLink()->isConnected());
        QVERIFY(pConnect->isEnabled());
        QVERIFY(!pDisconnect->isEnabled());
    }

    void languageMenu()
    {
        AppStatus::theAppStatus()->setLangType(QStringLiteral("English"));
        TitleFrame frame;
        QSignalSpy spy(&frame, SIGNAL(changLang(QString)));

        languageAction(frame, QStringLiteral("English"))->trigger();
        QCOMPARE(spy.count(), 0);
        QCOMPARE(AppStatus::theAppStatus()->langType(), QStringLiteral("English"));
        QVERIFY(languageAction(frame, QStringLiteral("English"))->isChecked());

        languageAction(frame, QStringLiteral("繁体中文"))->trigger();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("繁体中文"));
        QCOMPARE(AppStatus::theAppStatus()->langType(), QStringLiteral("繁体中文"));
        QVERIFY(languageAction(frame, QStringLiteral("繁体中文"))->isChecked());
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
        QCOMPARE(frame.findChild<QLabel *>(QStringLiteral("titleLabel"))->text(),
                 QStringLiteral("视频墙控制系统"));
        QVERIFY(buttonWithText(&frame, QStringLiteral("连接")));
        QVERIFY(buttonWithText(&englishDlg, QStringLiteral("Ok")));
        SettingConnectiondlg chineseDlg(QStringList{QStringLiteral("COM2")});
        QVERIFY(buttonWithText(&chineseDlg, QStringLiteral("确定")));

        QApplication::removeTranslator(&translator);
        QCoreApplication::processEvents();
        QCOMPARE(frame.findChild<QLabel *>(QStringLiteral("titleLabel"))->text(),
                 QStringLiteral("视频墙控制系统"));
        QVERIFY(buttonWithText(&frame, QStringLiteral("Connect")));
    }

    void maximiseToggles()
    {
        Host host;
        QVERIFY(QTest::qWaitForWindowExposed(&host.window));
        QSignalSpy spy(host.pTitle, SIGNAL(changWindowSize(int)));

        QTest::mouseDClick(host.pTitle, Qt::LeftButton, Qt::NoModifier, QPoint(300, 20));
        QVERIFY(host.window.windowState() & Qt::WindowMaximized);
        QCOMPARE(host.maxButton()->property("Normal"), QVariant(false));
        QTest::mouseDClick(host.pTitle, Qt::LeftButton, Qt::NoModifier, QPoint(300, 20));
        QVERIFY(!(host.window.windowState() & Qt::WindowMaximized));
        QCOMPARE(host.maxButton()->property("Normal"), QVariant(true));

        QTest::mouseClick(host.maxButton(), Qt::LeftButton);
        QVERIFY(host.window.windowState() & Qt::WindowMaximized);
        QTest::mouseClick(host.maxButton(), Qt::LeftButton);
        QVERIFY(!(host.window.windowState() & Qt::WindowMaximized));

        QList<int> sizes;
        for (const auto &args : spy)
            sizes << args.at(0).toInt();
        QCOMPARE(sizes, (QList<int>{1, 0, 1, 0}));
    }

    void dragMovesWindow()
    {
        Host host;
        QVERIFY(QTest::qWaitForWindowExposed(&host.window));
        QSignalSpy spy(host.pTitle, SIGNAL(changWindowSize(int)));
        const QPoint start = host.window.pos();

        sendMouse(host.pTitle, QEvent::MouseButtonPress, QPoint(200, 200));
        sendMouse(host.pTitle, QEvent::MouseMove, QPoint(210, 205));
        sendMouse(host.pTitle, QEvent::MouseMove, QPoint(230, 215));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 0);
        QCOMPARE(host.window.pos(), start + QPoint(30, 15));
        sendMouse(host.pTitle, QEvent::MouseButtonRelease, QPoint(230, 215));

        // Without a button down nothing moves; the next drag counts afresh.
        sendMouse(host.pTitle, QEvent::MouseMove, QPoint(300, 300));
        QCOMPARE(host.window.pos(), start + QPoint(30, 15));
        host.pTitle->clickMax();
        QVERIFY(host.window.isMaximized());
        spy.clear();
        MessageCapture capture;
        sendMouse(host.pTitle, QEvent::MouseButtonPress, QPoint(100, 100));
        sendMouse(host.pTitle, QEvent::MouseMove, QPoint(101, 100));
        sendMouse(host.pTitle, QEvent::MouseMove, QPoint(102, 100));
        sendMouse(host.pTitle, QEvent::MouseButtonRelease, QPoint(102, 100));
        QVERIFY(!host.window.isMaximized());
        QCOMPARE(host.maxButton()->property("Normal"), QVariant(true));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 0);
        QCOMPARE(capture.startingWith(QStringLiteral("WindowState")).count(), 1);
    }

    void settingDialogReused()
    {
        TitleFrame frame;
        QPushButton *pSetting = buttonWithText(&frame, QStringLiteral("Setting"));
        QList<QWidget *> shown;
        for (int i = 0; i < 2; ++i) {
            QTimer::singleShot(0, [&shown] {
                QWidget *pModal = QApplication::activeModalWidget();
                shown << pModal;
                if (pModal)
                    qobject_cast<QDialog *>(pModal)->reject();
            });
            QTest::mouseClick(pSetting, Qt::LeftButton);
        }
        QCOMPARE(shown.count(), 2);
        QVERIFY(qobject_cast<SettingConnectiondlg *>(shown.at(0)));
        QCOMPARE(shown.at(1), shown.at(0));
    }

    void portFilter_data()
    {
        QTest::addColumn<QStringList>("system");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<int>("debugLines");
        QTest::newRow("COM3 and COM10") << QStringList{"COM3", "COM10"} << QStringList{"COM3", "COM10"} << 2;
        QTest::newRow("system order") << QStringList{"COM10", "COM3"} << QStringList{"COM10", "COM3"} << 2;
        QTest::newRow("any case, bar") << QStringList{"com4", "|o|7"} << QStringList{"com4", "|o|7"} << 2;
        QTest::newRow("only ttyUSB0") << QStringList{"ttyUSB0"} << QStringList{"ttyUSB0"} << 0;
        QTest::newRow("COM first") << QStringList{"ttyS0", "COM2", "ttyACM0"}
                                   << QStringList{"COM2", "ttyS0", "ttyACM0"} << 1;
        QTest::newRow("COM without digits") << QStringList{"COM"} << QStringList{"COM"} << 0;
        QTest::newRow("none") << QStringList{} << QStringList{"COM1"} << 0;
        QTest::newRow("empty name") << QStringList{""} << QStringList{"COM1"} << 0;
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
        QTest::newRow("stored present") << QStringList{"COM3", "COM10"} << "COM10"
                                        << "COM10";
        QTest::newRow("stored absent") << QStringList{"COM3", "COM10"} << "COM7"
                                       << "COM3";
        QTest::newRow("device path absent") << QStringList{"ttyUSB0"} << "/dev/ttyACM3"
                                            << "ttyUSB0";
        QTest::newRow("no ports") << QStringList{} << "COM7"
                                  << "COM1";
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

        QTest::mouseClick(buttonWithText(&dlg, QStringLiteral("Cancel")), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(AppStatus::theAppStatus()->currPort(), stored);
        QTest::mouseClick(buttonWithText(&dlg, QStringLiteral("Ok")), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(AppStatus::theAppStatus()->currPort(), selected);
    }

    void dialogTypedPort()
    {
        AppStatus::theAppStatus()->setCurrPort(QStringLiteral("COM1"));
        SettingConnectiondlg dlg;
        auto *pCombo = dlg.findChild<QComboBox *>();
        QCOMPARE(pCombo->count(), PortNames::available().count());
        pCombo->setEditText(QStringLiteral(" /dev/serial/by-id/usb-adapter "));
        QTest::mouseClick(buttonWithText(&dlg, QStringLiteral("Ok")), Qt::LeftButton);
        QCOMPARE(AppStatus::theAppStatus()->currPort(), QStringLiteral("/dev/serial/by-id/usb-adapter"));

        pCombo->setEditText(QString());
        QTest::mouseClick(buttonWithText(&dlg, QStringLiteral("Ok")), Qt::LeftButton);
        QCOMPARE(AppStatus::theAppStatus()->currPort(), QStringLiteral("/dev/serial/by-id/usb-adapter"));
        QCOMPARE(pCombo->currentText(), QStringLiteral("/dev/serial/by-id/usb-adapter"));
    }

    void mainWindowWiring()
    {
        MessageCapture capture;
        MainWindow window;
        QVERIFY(capture.startingWith(QStringLiteral("QObject::connect")).isEmpty());
        QSignalSpy spy(window.findChild<OperationFrame *>(), SIGNAL(changeSize(int)));
        window.findChild<TitleFrame *>()->setMaxButtonNormal(false);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 1);
    }
};

QTEST_MAIN(TestTitleFrame)
#include "tst_titleframe.moc"
