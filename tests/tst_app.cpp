// The whole program through its main window, as an operator meets it: mouse and keys on the wall, the
// panels, the title bar, menus and dialogs in; frames on a pseudo-terminal, files and the screen out.
#include "appstatus.h"
#include "commonframe.h"
#include "mainwindow.h"
#include "operator.h"
#include "ptypair.h"
#include "sceneframe.h"
#include "settingconnectiondlg.h"
#include "splicescene.h"
#include "titleframe.h"

#include <memory>

namespace {

template <typename T>
T *topLevel()
{
    for (QWidget *pWidget : QApplication::topLevelWidgets()) {
        if (auto *pFound = qobject_cast<T *>(pWidget))
            return pFound;
    }
    return nullptr;
}

// Turns every text into "context:source", so that a test sees which texts were set again.
class MarkingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        return QLatin1String(context) + ':' + QString::fromUtf8(sourceText);
    }
};

// The texts of the labels, buttons and group titles under root that show when root shows.
QStringList shownTexts(QWidget *pRoot)
{
    QStringList texts{pRoot->windowTitle()};
    for (QWidget *pWidget : pRoot->findChildren<QWidget *>()) {
        const QVariant text = pWidget->property(qobject_cast<QGroupBox *>(pWidget) ? "title" : "text");
        if (pWidget->isVisibleTo(pRoot) &&
            (qobject_cast<QLabel *>(pWidget) || qobject_cast<QAbstractButton *>(pWidget) ||
             qobject_cast<QGroupBox *>(pWidget)))
            texts << text.toString();
        if (pWidget->isVisibleTo(pRoot))
            texts << pWidget->toolTip();
    }
    return texts;
}

} // namespace

class TestApp : public QObject
{
    Q_OBJECT

    PtyPair m_pty;
    MainWindow *m_pWindow = nullptr;

    QGraphicsView *view() const { return m_pWindow->findChild<QGraphicsView *>(); }
    QString sent() { return vt::decoded(m_pty.read(0, 150)); }
    // The position panel: "x,y,w,h id=N", " off" while it takes no input.
    QString panel()
    {
        vt::Operator op(view(), m_pWindow);
        QStringList values;
        for (const char *label : {"X", "Y", "Width", "Height"})
            values << QString::number(qobject_cast<QSpinBox *>(op.fieldOf(label))->value());
        QWidget *pId = op.fieldOf("ID");
        return values.join(',') + " id=" + qobject_cast<QLineEdit *>(pId)->text() +
               (pId->isEnabled() ? "" : " off");
    }
    void start()
    {
        vt::MessageCapture capture;
        m_pWindow = new MainWindow;
        QVERIFY(!capture.lines.join('\n').contains("QObject::connect"));
        m_pWindow->show();
        QApplication::setActiveWindow(m_pWindow);
        QVERIFY(QTest::qWaitForWindowExposed(m_pWindow));
        // The panels that are never placed come after the first frame.
        QTRY_VERIFY(topLevel<CommonFrame>() && topLevel<SceneFrame>());
    }

private slots:
    void initTestCase()
    {
        vt::enterFreshDir();
        Q_INIT_RESOURCE(resources);
        qApp->setStyleSheet(QString::fromUtf8(vt::readFile(":/qss/resource/qss/skin.qss")));
        QDir().mkdir("langs");
        for (const char *name : {"/zh-cn.qm", "/zh-tw.qm"})
            QVERIFY(QFile::copy(VW_BUILD_LANGS_DIR + QLatin1String(name), "langs" + QLatin1String(name)));
        AppStatus::theAppStatus()->setCurrPort(m_pty.slavePath());
        start();
    }

    // A frameless window of fixed size, centred; the splice strip above the wall above the position
    // panel, whose fields hold four digits; the scene buttons and common settings built, never shown.
    void startUp()
    {
        QCOMPARE(m_pWindow->windowFlags() & ~Qt::WindowType_Mask, Qt::FramelessWindowHint);
        QCOMPARE(m_pWindow->minimumSize(), m_pWindow->maximumSize());
        QCOMPARE(m_pWindow->size(), QSize(1024, 680));
        QCOMPARE(MainWindow::centredPosition(QRect(0, 0, 1920, 1080), QSize(1024, 680)), QPoint(448, 200));
        vt::Operator op(view(), m_pWindow);
        const int strip = vt::withText<QPushButton>(m_pWindow, "Reset")->mapTo(m_pWindow, QPoint()).y();
        const int wall = view()->mapTo(m_pWindow, QPoint()).y();
        QWidget *pX = op.fieldOf("X");
        QVERIFY(strip < wall && wall + view()->height() < pX->mapTo(m_pWindow, QPoint()).y() &&
                view()->height() > 360);
        QVERIFY(pX->findChild<QLineEdit *>()->width() > pX->fontMetrics().horizontalAdvance("3840"));
        QVERIFY(!topLevel<SceneFrame>()->isVisible() && !topLevel<CommonFrame>()->isVisible());
        QCOMPARE(m_pWindow->findChild<QLabel *>("titleLabel")->text(),
                 QStringLiteral("Video Wall Controller"));
        QVERIFY(!vt::withText<QPushButton>(m_pWindow, "Disconnect")->isEnabled());
        // Every button and field says what it does.
        QStringList untold;
        for (QWidget *pWidget : m_pWindow->findChildren<QWidget *>()) {
            QString tip;
            for (QWidget *pUp = pWidget; tip.isEmpty() && pUp != m_pWindow; pUp = pUp->parentWidget())
                tip = pUp->toolTip();
            if (pWidget->isVisibleTo(m_pWindow) && tip.isEmpty() &&
                (qobject_cast<QAbstractButton *>(pWidget) || qobject_cast<QLineEdit *>(pWidget)))
                untold << pWidget->property("text").toString();
        }
        QCOMPARE(untold, QStringList());
    }

    // One session, row after row on the same window: what the operator does, the frames, the windows on
    // the wall and what the position panel shows.
    void session_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("frames");
        QTest::addColumn<QString>("windows");
        QTest::addColumn<QString>("panel");
        auto add = [](const char *name, const char *script, const char *frames, const QString &windows,
                      const QString &panel) { QTest::newRow(name) << script << frames << windows << panel; };
        const QString w = "600,210,960,540 a5", b = "; 1800,1200,480,360", none = "0,0,0,0 id= off";
        add("connect", "button Connect", "", "", "0,0,0,0 id= off");
        add("irregular model", "button Irregular Model", "splice 255,15,15,0,0", "", none);
        add("draw a window", "drag 20,20 100,65 180,110", "", "120,120,960,540", none);
        add("select it", "click 100,65", "", "120,120,960,540", "120,120,960,540 id=-1");
        add("address 999 refused", "field ID 999; button OK", "", "120,120,960,540 a9",
            "120,120,960,540 id=9");
        add("address it", "field ID 5; button OK", "", "120,120,960,540 a5", "120,120,960,540 id=5");
        // The panel lets go of a window no longer selected: a second window drawn is not sent to the first.
        add("another window", "click 600,340; drag 300,200 340,230 380,260; button OK#2", "",
            "120,120,960,540 a5" + b + " ! no enabled button OK#2", none);
        add("its address taken", "click 340,230; field ID 5; button OK", "",
            "120,120,960,540 a5" + b + " ! Address conflict, setting is failed!", "1800,1200,480,360 id=-1");
        add("drag the first", "drag 100,65 115,72 130,80", "5:300,210,960,540", "300,210,960,540 a5" + b,
            "300,210,960,540 id=5");
        add("type a position", "field X 600", "5:600,210,960,540", w + b, "600,210,960,540 id=5");
        add("held on the wall", "field X 3500", "5:2880,210,960,540", "2880,210,960,540 a5" + b,
            "2880,210,960,540 id=5");
        add("position OK", "field X 600; button OK#2", "5:600,210,960,540; 5:600,210,960,540", w + b,
            "600,210,960,540 id=5");
        // A menu dialog that changes the shown window changes what the panel shows.
        add("full from the menu", "menu 150,60 Full", "5:0,0,3840,2160", "0,0,3840,2160 a5" + b,
            "0,0,3840,2160 id=5");
        add("position from the menu", "answer 600,210,960,540; menu 150,60 Position", "5:600,210,960,540",
            w + b, "600,210,960,540 id=5");
        add("undo and redo", "key Ctrl+Z", "5:0,0,3840,2160", "0,0,3840,2160 a5" + b, "0,0,3840,2160 id=5");
        add("redo", "key Ctrl+Y; key Ctrl+Z; key Ctrl+Shift+Z",
            "5:600,210,960,540; 5:0,0,3840,2160; 5:600,210,960,540", w + b, "600,210,960,540 id=5");
        add("standard model", "button standard Model", "splice 255,2,3,0,0",
            w + " hidden; 1800,1200,480,360 hidden; 0,0,1280,1080 t1; 1280,0,1280,1080 t1; 2560,0,1280,1080 "
                "t1; "
                "0,1080,1280,1080 t1; 1280,1080,1280,1080 t1; 2560,1080,1280,1080 t1",
            none);
        add("irregular again", "button Irregular Model; click 340,230; menu 340,230 Close",
            "splice 255,15,15,0,0", w, none);
        add("save, .json added", "answer layout; button Save", "", w, none);
        add("move, then load", "click 150,60; field X 1200; answer layout.json; button Load",
            "5:1200,210,960,540; 5:600,210,960,540; rotate 5,0", w, none);
        // The wall-wide reset asks first, No being the default.
        const QString reset =
            " ! Reset every display unit of the wall? The wall goes blank while the units restart.";
        add("strip",
            "button DP; button HDMI1; button HDMI2; button wireless; button On; button On; button Off; "
            "button Reset; answer &Yes; button Reset",
            "signal 1; signal 2; signal 3; signal 4; address-info 255,1; address-info 255,1; address-info "
            "255,0; reset 255",
            w + reset + reset, none);
        // In the irregular model the splice grid is kept for the standard one; rows take 1 to 8, the
        // edges a byte.
        add("splice grid kept", "field Row 1; field Column 2; field Edge X 1; field Edge Y 2; button ok", "",
            w, none);
        add("splice grid sent", "button standard Model; field Edge X 300; button ok; field Row 0; button ok",
            "splice 255,1,2,1,2; splice 255,1,2,30,2", w + " hidden; 0,0,1920,2160 t1; 1920,0,1920,2160 t1",
            none);
        add("maximise and restore", "button Irregular Model", "splice 255,15,15,30,2", w, none);
    }
    void session()
    {
        QFETCH(QString, script);
        QFETCH(QString, frames);
        QFETCH(QString, windows);
        QFETCH(QString, panel);
        vt::Operator op(view(), m_pWindow);
        const QString error = op.run(script);
        if (QString(QTest::currentDataTag()).startsWith("maximise")) {
            vt::click(m_pWindow->findChild<QPushButton *>("maxButton"));
            QCOMPARE(view()->transform(), QTransform::fromScale(2, 2));
            vt::click(m_pWindow->findChild<QPushButton *>("maxButton"));
            QCOMPARE(view()->transform(), QTransform());
            // Rows and columns of the splice grid take 1 to 8 only.
            op.run("field Row 9; field Column 18");
            QCOMPARE(op.fieldOf("Row")->property("text").toString() +
                         op.fieldOf("Column")->property("text").toString(),
                     QStringLiteral("1"));
        }
        QCOMPARE(sent(), frames);
        QCOMPARE(vt::windows(view()->scene()) +
                     (op.messages.isEmpty() ? "" : " ! " + op.messages.join(" ! ")) +
                     (error.isEmpty() ? "" : " ! " + error),
                 windows);
        QCOMPARE(this->panel(), panel);
    }

    // Closing writes the wall and the settings; the next start rebuilds the wall and tells the controller.
    void closeAndRestart()
    {
        vt::click(m_pWindow->findChild<QPushButton *>("closeButton"));
        QVERIFY(!m_pWindow->isVisible());
        delete m_pWindow;
        QVERIFY(!topLevel<SceneFrame>() && !topLevel<CommonFrame>());
        QCOMPARE(vt::readFile("SpliceState.data"),
                 QByteArray(
                     R"({"items":[{"address":{"x":5},"position":{"height":540,"width":960,"x":600,"y":210},)"
                     R"("rotate":0,"type":0}]})"));
        AppStatus::theAppStatus()->save();
        const QByteArray settings = vt::readFile("UserData.data");
        QVERIFY(settings.contains("openModel=true") && settings.contains("SpliceColumn=2") &&
                settings.contains(m_pty.slavePath().toUtf8()));
        start();
        QCOMPARE(vt::windows(view()->scene()), QStringLiteral("600,210,960,540 a5"));
        QCOMPARE(sent(), QStringLiteral("5:600,210,960,540; rotate 5,0"));
        QCOMPARE(panel(), QStringLiteral("0,0,0,0 id= off"));
    }

    // The settings panel, never placed: its ports are looked up when it shows, not while the main window
    // is built; a portrait scene type turns the wall, and the position panel sends what lies on it turned.
    void hiddenPanels()
    {
        CommonFrame *pCommon = topLevel<CommonFrame>();
        QCOMPARE(pCommon->findChild<QComboBox *>()->count(), 0);
        pCommon->show();
        QVERIFY(pCommon->findChild<QComboBox *>()->count() > 0);
        auto common = std::make_unique<vt::Operator>(view(), pCommon);
        QCOMPARE(common->run("choose Input HDMI; toggle Address; choose Scene Type portrait"), QString());
        QCOMPARE(sent(), QStringLiteral("input-mode 2; address-info 255,0"));
        QCOMPARE(view()->scene()->sceneRect(), QRectF(0, 0, 360, 640));
        QCOMPARE(view()->transform(), QTransform::fromScale(0.5743491774985174, 0.5743491774985174));
        common.reset(); // one operator at a time: both would answer the same dialogs
        {
            vt::Operator op(view(), m_pWindow);
            QCOMPARE(op.run("drag 20,20 60,60 100,100; click 50,50; field ID 6; button OK; field Y 3500"),
                     QString());
            QCOMPARE(sent(), QStringLiteral("6:3360,114,480,480"));
        }
        common = std::make_unique<vt::Operator>(view(), pCommon);
        QCOMPARE(common->run("choose Scene Type landscape; toggle Open Model"), QString());
        common.reset();
        QCOMPARE(view()->scene()->sceneRect(), QRectF(0, 0, 640, 360));
        pCommon->hide();
    }

    // Maximise and restore by double click; a drag moves the window, restoring it first when maximised.
    // The setting button shows one connection dialog, reused.
    void titleBar()
    {
        auto *pTitle = m_pWindow->findChild<TitleFrame *>();
        QSignalSpy spy(pTitle, SIGNAL(changWindowSize(int)));
        QTest::mouseDClick(pTitle, Qt::LeftButton, Qt::NoModifier, QPoint(500, 20));
        QVERIFY(m_pWindow->isMaximized());
        QCOMPARE(m_pWindow->findChild<QPushButton *>("maxButton")->property("Normal"), QVariant(false));
        QTest::mouseDClick(pTitle, Qt::LeftButton, Qt::NoModifier, QPoint(500, 20));
        QVERIFY(!m_pWindow->isMaximized());
        vt::click(m_pWindow->findChild<QPushButton *>("maxButton"));
        auto mouse = [pTitle](QEvent::Type type, const QPoint &at) {
            QMouseEvent event(type, pTitle->mapFromGlobal(at), at, Qt::LeftButton,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                              Qt::NoModifier);
            QApplication::sendEvent(pTitle, &event);
        };
        mouse(QEvent::MouseButtonPress, QPoint(200, 20));
        mouse(QEvent::MouseMove, QPoint(210, 25));
        const QPoint start = m_pWindow->pos();
        mouse(QEvent::MouseMove, QPoint(230, 35));
        mouse(QEvent::MouseButtonRelease, QPoint(230, 35));
        mouse(QEvent::MouseMove, QPoint(300, 300));
        QVERIFY(!m_pWindow->isMaximized());
        QCOMPARE(m_pWindow->pos() - start, QPoint(20, 10));
        QList<int> sizes;
        for (const QList<QVariant> &arguments : spy)
            sizes << arguments.at(0).toInt();
        QCOMPARE(sizes, (QList<int>{1, 0, 1, 0}));
        m_pWindow->move(0, 0);

        vt::Operator op(view(), pTitle);
        QList<QDialog *> shown;
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(op.run("answer cancel; button Setting"), QString());
            shown << op.lastDialog;
        }
        QVERIFY(qobject_cast<SettingConnectiondlg *>(shown.value(0)) && shown.value(1) == shown.value(0));
        QCOMPARE(AppStatus::theAppStatus()->currPort(), m_pty.slavePath());
        vt::withText<QAction>(pTitle, "About")->trigger();
        QCOMPARE(op.messages.value(0),
                 QStringLiteral("<p><b>Video Wall Controller</b></p><p>Version " VW_VERSION
                                "<br>Qt %1<br>License: MIT</p>")
                     .arg(qVersion()));
    }

    // The layout dialogs offer layouts first and start where the last layout was saved or loaded.
    void layoutFiles()
    {
        vt::Operator op(view(), m_pWindow);
        QVERIFY(QDir().mkdir("walls"));
        QCOMPARE(op.run("answer walls/hall; button Save; answer cancel; button Load"), QString());
        QVERIFY(QFile::exists("walls/hall.json"));
        QCOMPARE(op.dialogFields,
                 (QStringList{QDir::current().filePath("walls"), "Layouts (*.json *.data);;All files (*)"}));
    }

    // COM names first in the system's order, then the others; Ok stores the choice, a typed name trimmed,
    // an emptied field keeps the stored port, Cancel changes nothing.
    void connectionDialog()
    {
        AppStatus::theAppStatus()->setCurrPort("COM10");
        SettingConnectiondlg dlg(QStringList{"ttyS0", "COM2", "COM10", "com4", "COM"});
        auto *pCombo = dlg.findChild<QComboBox *>();
        QStringList listed;
        for (int i = 0; i < pCombo->count(); ++i)
            listed << pCombo->itemText(i);
        QCOMPARE(listed.join(' ') + " " + pCombo->currentText(),
                 QStringLiteral("COM2 COM10 com4 ttyS0 COM COM10"));
        // A stored port the system does not list is shown as it is, and Ok keeps it.
        SettingConnectiondlg other(QStringList{"ttyS0"});
        QCOMPARE(other.findChild<QComboBox *>()->currentText() + other.findChild<QComboBox *>()->itemText(0),
                 QStringLiteral("COM10ttyS0"));
        vt::click(vt::withText<QPushButton>(&other, "Ok"));
        QCOMPARE(AppStatus::theAppStatus()->currPort(), QStringLiteral("COM10"));
        QStringList stored;
        for (const char *typed : {"cancel COM2", "COM2", " /dev/serial/by-id/usb-adapter ", ""}) {
            pCombo->setEditText(QString(typed).remove("cancel "));
            vt::click(vt::withText<QPushButton>(&dlg, QString(typed).startsWith("cancel") ? "Cancel" : "Ok"));
            stored << AppStatus::theAppStatus()->currPort();
        }
        QCOMPARE(stored.join('|'),
                 QStringLiteral("COM10|COM2|/dev/serial/by-id/usb-adapter|/dev/serial/by-id/usb-adapter"));
        AppStatus::theAppStatus()->setCurrPort(m_pty.slavePath());
    }

    // The language menu switches every frame and the wall's menu; English brings the sources back; the
    // language in use changes nothing. Every text meant to follow the language does, in its own context,
    // in the frames and in the dialogs kept between uses.
    void languages()
    {
        auto *pTitle = m_pWindow->findChild<TitleFrame *>();
        QSignalSpy spy(pTitle, SIGNAL(changLang(QString)));
        QVERIFY(vt::withText<QAction>(pTitle, "English")->isChecked() &&
                !vt::withText<QAction>(pTitle, "简体中文")->isChecked());
        const QList<QPair<QWidget *, QString>> samples{
            {vt::withText<QPushButton>(pTitle, "Connect"), "TitleFrame|Connect"},
            {vt::withText<QPushButton>(m_pWindow, "Save"), "signalframe|Save"},
            {vt::withText<QLabel>(m_pWindow, "Width"), "PositionFrame|Width"},
            {m_pWindow->findChild<QLabel *>("titleLabel"), "TitleFrame|Video Wall Controller"}};
        vt::withText<QAction>(pTitle, "English")->trigger();
        QCOMPARE(spy.count(), 0);
        QCOMPARE(vt::Operator(view(), m_pWindow).run("drag 20,20 100,100"), QString());
        for (const char *language : {"简体中文", "繁体中文", "English"}) {
            vt::withText<QAction>(pTitle, QString::fromUtf8(language))->trigger();
            QCoreApplication::processEvents();
            QCOMPARE(AppStatus::theAppStatus()->langType(), QString::fromUtf8(language));
            for (const auto &sample : samples) {
                const QString source = sample.second.section('|', 1);
                const QString shown =
                    QCoreApplication::translate(sample.second.section('|', 0, 0).toLatin1(), source.toUtf8());
                QVERIFY((shown == source) == (QString(language) == "English"));
                QCOMPARE(sample.first->property("text").toString(), shown);
            }
            vt::Operator op(view());
            op.run("menu 50,50 none");
            QCOMPARE(op.menuEntries.value(0), QCoreApplication::translate("SpliceScene", "Full"));
        }
        QCOMPARE(spy.count(), 3);

        vt::Operator op(view(), m_pWindow);
        QCOMPARE(op.run("drag 300,200 380,280; answer cancel; menu 340,240 Position; answer cancel; menu "
                        "340,240 Address; answer cancel; menu 340,240 Rotate; menu 340,240 Close"),
                 QString());
        MarkingTranslator marking;
        QCoreApplication::installTranslator(&marking);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QStringList unmarked;
        for (QWidget *pTop : QApplication::topLevelWidgets()) {
            QStringList texts =
                shownTexts(pTop).filter(QRegularExpression("^(?!.*:|SceneAlias|Hall B|\\s*$)"));
            texts.sort();
            if (!texts.isEmpty())
                unmarked << QString(pTop->metaObject()->className()) + ": " + texts.join(' ');
        }
        unmarked.sort();
        QCoreApplication::removeTranslator(&marking);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(
            unmarked.join(" | "),
            QStringLiteral("CommonFrame: OK | MainWindow: DP HDMI1 HDMI2 Off On wireless | "
                           "SettingConnectiondlg: Cancel Ok Port | SettingRotateDlg: Rotate Rotate Setting"));
    }

    // The title bar tells the link's state and why a connection failed; a line that goes away shows as
    // lost at once, takes no frames, and one press of Connect reaches the line again.
    void linkStates()
    {
        auto *pTitle = m_pWindow->findChild<TitleFrame *>();
        vt::Operator op(view(), pTitle);
        QLabel *pState = vt::withText<QLabel>(pTitle, "Connected: " + m_pty.slavePath());
        QVERIFY(pState);
        AppStatus::theAppStatus()->setCurrPort("/dev/vw-no-such-port");
        QCOMPARE(op.run("button Disconnect; button Connect"), QString());
        QCOMPARE(pState->text(), QStringLiteral("Not connected: no such device"));
        QTRY_VERIFY(pState->width() >= pState->fontMetrics().horizontalAdvance(pState->text()));
        auto *pLine = new PtyPair;
        AppStatus::theAppStatus()->setCurrPort(pLine->slavePath());
        QCOMPARE(op.run("button Connect"), QString());
        QCOMPARE(pState->text(), "Connected: " + pLine->slavePath());
        pLine->closeMaster();
        QTRY_VERIFY(pState->text().startsWith("Lost " + pLine->slavePath()));
        vt::Operator(view(), m_pWindow).run("button HDMI1");
        QVERIFY(vt::withText<QPushButton>(pTitle, "Connect")->isEnabled());
        delete pLine;
        AppStatus::theAppStatus()->setCurrPort(m_pty.slavePath());
        QCOMPARE(op.run("button Connect"), QString());
        QCOMPARE(pState->text() + sent(), "Connected: " + m_pty.slavePath());
    }

    // "Send layout" sends every window shown again. A layout sent window by window shows its progress in a
    // modal dialog, which takes the clicks made meanwhile: they do not run once the last frame is out.
    void sendingLayouts()
    {
        QString items;
        for (int i = 1; i <= 5; ++i)
            items += QStringLiteral(R"(%1{"address":{"x":%2},"position":{"x":%3}})")
                         .arg(i > 1 ? "," : "")
                         .arg(i)
                         .arg(i * 100);
        QVERIFY(vt::writeFile("many.json", "{\"items\":[" + items.toUtf8() + "]}"));
        QCOMPARE(vt::Operator(view(), m_pWindow).run("button Irregular Model"), QString());
        sent();
        QRadioButton *pStandard = nullptr;
        for (QRadioButton *pButton : m_pWindow->findChildren<QRadioButton *>())
            pStandard = pButton->text() == "standard Model" && pButton->isVisible() ? pButton : pStandard;
        QString shown;
        QTimer::singleShot(0, [&] {
            if (auto *pProgress = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget()))
                shown = pProgress->labelText();
            QTest::mouseClick(m_pWindow->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                              pStandard->mapTo(m_pWindow, pStandard->rect().center()));
        });
        static_cast<SpliceScene *>(view()->scene())->loadModel("many.json");
        QTest::qWait(50);
        const QString frames =
            "1:100,0,960,540; rotate 1,0; 2:200,0,960,540; rotate 2,0; 3:300,0,960,540; rotate 3,0; "
            "4:400,0,960,540; rotate 4,0; 5:500,0,960,540; rotate 5,0";
        QCOMPARE(shown + " | " + sent(), "Sending the layout: 0 of 5 windows | " + frames);
        vt::withText<QAction>(m_pWindow->findChild<TitleFrame *>(), "Send layout")->trigger();
        QCOMPARE(sent(), frames);
    }

    // Settings damaged by hand start and close the program in both models without a fault.
    void damagedSettings()
    {
        delete m_pWindow;
        for (const QByteArray &settings :
             {QByteArray("SceneRow=0\nSceneColumn=-2147483648\nSpliceRow=-3\nSpliceColumn=0\nSceneType=7"),
              QByteArray("SceneRow=2147483647\nSceneColumn=99999\nSpliceRow=256\nSpliceColumn=2147483647")}) {
            vt::enterFreshDir();
            QVERIFY(vt::writeFile("UserData.data", "[Config]\n" + settings + "\n"));
            QVERIFY(
                vt::writeFile("SpliceState.data", R"({"items":[{"type":0},{"type":1,"address":{"x":2}}]})"));
            AppStatus::theAppStatus()->reload();
            start();
            vt::Operator op(view(), m_pWindow);
            QCOMPARE(op.run("button Irregular Model; dblclick 50,50; button standard Model; dblclick 50,50"),
                     QString());
            m_pWindow->grab();
            delete m_pWindow;
            QVERIFY(QJsonDocument::fromJson(vt::readFile("SpliceState.data")).isObject());
        }
    }
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
