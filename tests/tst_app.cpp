// The whole program through its main window, as an operator meets it: mouse and keys on the wall, the
// panels, the title bar, menus and dialogs in; frames on a pseudo-terminal, files and the screen out.
#include "appstatus.h"
#include "elidedbutton.h"
#include "elidedlabel.h"
#include "mainwindow.h"
#include "operator.h"
#include "presetbutton.h"
#include "ptypair.h"
#include "sceneframe.h"
#include "settingaddressdlg.h"
#include "settingaliasdlg.h"
#include "settingconnectiondlg.h"
#include "settingposdlg.h"
#include "splicescene.h"
#include "titleframe.h"
#include "wallsetupdlg.h"

#include <thread>

namespace {

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

// Labels whose field is not on their row, right of them, or that overlap another label or field, and
// fields without a label: an operator would read one label and type into another field.
QStringList misplaced(QWidget *pRoot)
{
    QStringList faults;
    QList<QPair<QString, QRect>> places;
    QList<QWidget *> labelled;
    vt::Operator op(nullptr, pRoot);
    for (QLabel *pLabel : pRoot->findChildren<QLabel *>()) {
        QWidget *pField =
            pLabel->text().isEmpty() || !pLabel->isVisibleTo(pRoot) ? nullptr : op.fieldOf(pLabel->text());
        auto *pOwner =
            pField && pField->parentWidget() && qobject_cast<QAbstractSpinBox *>(pField->parentWidget())
                ? pField->parentWidget()
                : pField;
        if (!pOwner || !(qobject_cast<QLineEdit *>(pOwner) || qobject_cast<QAbstractSpinBox *>(pOwner) ||
                         qobject_cast<QComboBox *>(pOwner)))
            continue;
        const QRect label(pLabel->mapTo(pRoot, QPoint()), pLabel->size());
        const QRect field(pOwner->mapTo(pRoot, QPoint()), pOwner->size());
        if (field.left() < label.right() || field.center().y() < label.top() ||
            field.center().y() > label.bottom())
            faults << pLabel->text() + " not beside its field";
        for (const auto &place : places) {
            for (const QRect &rect : {label, field}) {
                if (rect.intersects(place.second))
                    faults << pLabel->text() + " over " + place.first;
            }
        }
        places << qMakePair(pLabel->text(), label) << qMakePair(pLabel->text() + "'s field", field);
        labelled << pOwner;
    }
    for (QWidget *pField : pRoot->findChildren<QWidget *>()) {
        const bool isInput =
            qobject_cast<QAbstractSpinBox *>(pField) || qobject_cast<QComboBox *>(pField) ||
            (qobject_cast<QLineEdit *>(pField) && !qobject_cast<QAbstractSpinBox *>(pField->parent()) &&
             !qobject_cast<QComboBox *>(pField->parent()));
        if (isInput && pField->isVisibleTo(pRoot) && !labelled.contains(pField))
            faults << QString(pField->metaObject()->className()) + " without a label";
    }
    return faults;
}

} // namespace

class TestApp : public QObject
{
    Q_OBJECT

    PtyPair m_pty;
    MainWindow *m_pWindow = nullptr;

    QGraphicsView *view() const { return m_pWindow->findChild<QGraphicsView *>(); }
    QString sent() { return vt::decoded(m_pty.read(0, 150)); }
    // The presets that hold a layout or are marked: "text (state)", the marked one "[current]".
    QString strip()
    {
        QStringList out;
        for (PresetButton *pButton : m_pWindow->findChildren<PresetButton *>()) {
            const bool isCurrent = pButton->property("current").toBool();
            if (pButton->property("preset") != "empty" || isCurrent)
                out << pButton->text() + " (" + pButton->property("preset").toString() + ")" +
                           (isCurrent ? " [current]" : "");
        }
        return out.join(", ");
    }
    // What the title bar says of the wall ("" while it shows the picture), and whether Undo and Redo are on.
    QString wallState()
    {
        auto *pWall = m_pWindow->findChild<ElidedButton *>("wallButton");
        const auto actions = m_pWindow->findChild<TitleFrame *>()->actions();
        // The button shows the beginning of its text, the rest cut off with "…".
        const QString shown = pWall->text().remove(QChar(0x2026));
        if (pWall->isVisible() && (shown.size() < 20 || !pWall->fullText().startsWith(shown)))
            return "shown: " + pWall->text();
        return QString((pWall->isVisible() ? pWall->fullText() : QString()) +
                       (actions.value(0)->isEnabled() ? " [undo]" : "") +
                       (actions.value(1)->isEnabled() ? " [redo]" : ""))
            .trimmed();
    }
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
    void cleanupTestCase() { delete m_pWindow; }

    // The position fields hold four digits, the ID a sign and two.
    void startUp()
    {
        QWidget *pX = vt::Operator(view(), m_pWindow).fieldOf("X");
        QVERIFY(pX->findChild<QLineEdit *>()->width() > pX->fontMetrics().horizontalAdvance("3840"));
        QWidget *pId = vt::Operator(view(), m_pWindow).fieldOf("ID");
        QVERIFY(pId->width() > pId->fontMetrics().horizontalAdvance("-63"));
        QCOMPARE(m_pWindow->findChild<QLabel *>("titleLabel")->text(),
                 QStringLiteral("Video Wall Controller"));
        // Every field beside its own label, on the main screen and in the dialogs.
        SettingPosDlg position;
        SettingAddressDlg address;
        SettingAliasDlg alias;
        WallSetupDlg wall;
        QStringList faults = misplaced(m_pWindow);
        for (QDialog *pDlg : std::initializer_list<QDialog *>{&position, &address, &alias, &wall}) {
            pDlg->show();
            faults << misplaced(pDlg);
        }
        QCOMPARE(faults, QStringList());
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
        // A menu acts on the window it opened on, then the selected one: keys move it, the panel shows it.
        add("a menu selects its window",
            "click 100,65; answer cancel; menu 340,230 Rotate; key Shift+Left; key Shift+Right", "",
            "120,120,960,540 a5" + b, "1800,1200,480,360 id=-1");
        add("drag the first", "drag 100,65 115,72 130,80", "5:300,210,960,540", "300,210,960,540 a5" + b,
            "300,210,960,540 id=5");
        add("type a position", "field X 600", "5:600,210,960,540", w + b, "600,210,960,540 id=5");
        add("snap", "dblclick 150,60", "5:320,180,1280,720; 5:320,180,1280,720", "320,180,1280,720 a5" + b,
            "320,180,1280,720 id=5");
        add("snap taken back", "key Ctrl+Z", "5:600,210,960,540", w + b, "600,210,960,540 id=5");
        // The panel shows the numbers the wire got; OK without typing sends them again.
        add("nudged, then OK", "click 150,60; key Right; key Right; key Right; button OK#2",
            "5:602,210,960,540; 5:604,210,960,540; 5:606,210,960,540; 5:606,210,960,540",
            "606,210,960,540 a5" + b, "606,210,960,540 id=5");
        // The model already shown is no change: the splice grid goes out again, the history stays (OK
        // without a change was none either).
        add("the same model again", "button Irregular Model; key Ctrl+Z",
            "splice 255,15,15,0,0; 5:604,210,960,540", "604,210,960,540 a5" + b, "604,210,960,540 id=5");
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
        // In the irregular model the splice grid is kept for the standard one; rows 1 to 8, edges a byte.
        add("splice grid kept", "field Row 1; field Column 2; field Edge X 1; field Edge Y 2; button ok", "",
            w, none);
        add("splice grid sent",
            "button standard Model; field Edge X 300; button ok; field Row 0; button ok; field Row 9; button "
            "ok",
            "splice 255,1,2,1,2; splice 255,1,2,30,2", w + " hidden; 0,0,1920,2160 t1; 1920,0,1920,2160 t1",
            none);
        add("irregular at last", "button Irregular Model", "splice 255,15,15,30,2", w, none);
    }
    void session()
    {
        QFETCH(QString, script);
        QFETCH(QString, frames);
        QFETCH(QString, windows);
        QFETCH(QString, panel);
        vt::Operator op(view(), m_pWindow);
        const QString error = op.run(script);
        QCOMPARE(sent(), frames);
        QCOMPARE(vt::windows(view()->scene()) +
                     (op.messages.isEmpty() ? "" : " ! " + op.messages.join(" ! ")) +
                     (error.isEmpty() ? "" : " ! " + error),
                 windows);
        QCOMPARE(this->panel(), panel);
    }

    // Maximised by a double click, restored by the button, the wall scaled along.
    void titleBar()
    {
        auto *pTitle = m_pWindow->findChild<TitleFrame *>();
        QTest::mouseDClick(pTitle, Qt::LeftButton, Qt::NoModifier, QPoint(500, 20));
        QVERIFY(m_pWindow->isMaximized() && view()->transform() == QTransform::fromScale(2, 2));
        // The zoomed wall can be scrolled to its far corner.
        QTRY_VERIFY(view()->horizontalScrollBar()->maximum() > 0 &&
                    view()->verticalScrollBar()->maximum() > 0);
        QCOMPARE(m_pWindow->findChild<QPushButton *>("maxButton")->property("Normal"), QVariant(false));
        vt::click(m_pWindow->findChild<QPushButton *>("maxButton"));
        QVERIFY(!m_pWindow->isMaximized() && view()->transform().isIdentity());
        m_pWindow->move(0, 0);
    }

    // COM names first, then the stored port, listed or not; Ok stores the port chosen or typed (trimmed), an
    // emptied field keeps the stored port, Cancel changes nothing.
    void connectionDialog()
    {
        AppStatus::theAppStatus()->setCurrPort("/dev/ttyUSB0");
        SettingConnectiondlg dlg(QStringList{"ttyS0", "COM2", "COM10"});
        auto *pCombo = dlg.findChild<QComboBox *>();
        QStringList stored{pCombo->itemText(0) + ' ' + pCombo->itemText(2) + ' ' + pCombo->currentText()};
        for (const char *typed : {"cancel COM2", " COM10 ", ""}) {
            pCombo->setEditText(QString(typed).remove("cancel "));
            vt::click(vt::withText<QPushButton>(&dlg, QString(typed).startsWith("cancel") ? "Cancel" : "Ok"));
            stored << AppStatus::theAppStatus()->currPort();
        }
        stored << SettingConnectiondlg(QStringList{"COM2", "COM10"}).findChild<QComboBox *>()->currentText();
        QCOMPARE(stored.join('|'), "COM2 ttyS0 /dev/ttyUSB0|/dev/ttyUSB0|COM10|COM10|COM10");
        AppStatus::theAppStatus()->setCurrPort(m_pty.slavePath());
    }

    // The language menu switches the frames and the wall's menu, English brings the sources back; every
    // text and tool tip meant to follow the language does, in its own context, dialogs kept included.
    void languages()
    {
        auto *pTitle = m_pWindow->findChild<TitleFrame *>();
        QStringList titles;
        QSignalSpy spy(pTitle, SIGNAL(changLang(QString)));
        QVERIFY(vt::withText<QAction>(pTitle, "English")->isChecked());
        QCOMPARE(vt::Operator(view(), m_pWindow).run("drag 20,20 100,100"), QString());
        for (const char *language : {"English", "简体中文", "繁体中文", "English"}) {
            vt::withText<QAction>(pTitle, QString::fromUtf8(language))->trigger();
            QCoreApplication::processEvents();
            QCOMPARE(AppStatus::theAppStatus()->langType(), QString::fromUtf8(language));
            vt::Operator op(view());
            op.run("menu 50,50 none");
            // Qt's own texts follow: the buttons of a message box.
            QMessageBox box(QMessageBox::Question, "", "", QMessageBox::Yes);
            titles << m_pWindow->findChild<QLabel *>("titleLabel")->text() + ' ' + op.menuEntries.join(',') +
                          ' ' + box.button(QMessageBox::Yes)->text();
        }
        QCOMPARE(spy.count(), 3); // the language in use changes nothing
        QCOMPARE(titles.join('|'),
                 QStringLiteral("Video Wall Controller Full,Address,Position,Rotate,Reset,Close "
                                "&Yes|视频墙控制系统 全屏,地址,位置,"
                                "旋转,复位,关闭 是(&Y)|視訊牆控制系統 全螢幕,位址,位置,旋轉,重設,關閉 "
                                "是(&Y)|Video Wall Controller "
                                "Full,Address,Position,Rotate,Reset,Close &Yes"));
        // A language whose texts are found nowhere says so beside the link's state, and stays English.
        QVERIFY(QDir().rename("langs", "langs.away"));
        vt::withText<QAction>(pTitle, QString::fromUtf8("简体中文"))->trigger();
        auto *pState = m_pWindow->findChild<ElidedLabel *>();
        QCOMPARE(pState->text().section(" \u00B7 ", 1),
                 QString::fromUtf8("简体中文: its texts (zh-cn.qm) were not found, shown in English"));
        QVERIFY(QDir().rename("langs.away", "langs"));
        vt::withText<QAction>(pTitle, "English")->trigger();
        QVERIFY(!pState->text().contains("not found"));

        vt::Operator op(view(), m_pWindow);
        QCOMPARE(
            op.run(
                "key Escape; drag 300,200 380,280; answer cancel; menu 340,240 Position; answer cancel; menu "
                "340,240 Address; answer cancel; menu 340,240 Rotate; menu 340,240 Close"),
            QString());
        MarkingTranslator marking;
        QCoreApplication::installTranslator(&marking);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QStringList unmarked;
        for (QWidget *pTop : QApplication::topLevelWidgets()) {
            QStringList texts = shownTexts(pTop).filter(QRegularExpression("^(?!.*[:…]|\\s*$)"));
            texts.sort();
            if (!texts.isEmpty())
                unmarked << QString(pTop->metaObject()->className()) + ": " + texts.join(' ');
        }
        unmarked.sort();
        QCoreApplication::removeTranslator(&marking);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(unmarked.join(" | "),
                 QStringLiteral(
                     "MainWindow: DP HDMI1 HDMI2 Off On wireless | SettingRotateDlg: Rotate Rotate Setting"));
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

    // A layout sent window by window shows its progress in a modal dialog, which takes the clicks made
    // meanwhile: they do not run once the last frame is out.
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
    }

    // The title bar says when the wall may not show the picture, and why; each cause goes only with what
    // removes it. Runs on the five windows left by the case before.
    void wallDiffers_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("frames");
        QTest::addColumn<QString>("state");
        // The message boxes shown, then what the title bar says.
        const QString
            may = "=> The wall may differ: ",
            question =
                "The windows of this layout belong to the irregular model, but the standard model is shown. "
                "Switch to the irregular model to see them? ";
        auto add = [](const char *name, const char *script, const char *frames, const QString &state) {
            QTest::newRow(name) << script << frames << state;
        };
        add("edited without a link", "button Disconnect; click 100,20; key Right", "",
            may + "windows not sent (no link): 1 [undo]");
        add("sent from the title bar", "button Connect; button wallButton",
            "1:100,0,960,540; rotate 1,0; 2:200,0,960,540; rotate 2,0; 3:300,0,960,540; rotate 3,0; "
            "4:400,0,960,540; rotate 4,0; 5:502,0,960,540; rotate 5,0",
            "=> [undo]");
        add("closed, still on the wall", "menu 100,20 Close", "",
            may + "closed windows still on the wall: 5 (reset their units) [undo]");
        add("closing taken back", "key Ctrl+Z", "5:502,0,960,540", "=> [undo] [redo]");
        add("closed, then the wall reset", "menu 100,20 Close; answer &Yes; button Reset", "reset 255",
            "Reset every display unit of the wall? The wall goes blank while the units restart. => [undo]");
        add("a layout of the other model, kept",
            "button standard Model; answer layout.json; answer &No; button Load",
            "splice 255,1,2,30,2; 5:600,210,960,540; rotate 5,0",
            question + may + "windows of the other model sent unseen: 1");
        add("its model shown", "button Irregular Model", "splice 255,15,15,30,2", "=> ");
        add("a layout of the other model, switched",
            "button standard Model; answer layout.json; answer &Yes; button Load",
            "splice 255,1,2,30,2; splice 255,15,15,30,2; 5:600,210,960,540; rotate 5,0", question + "=> ");
    }
    void wallDiffers()
    {
        QFETCH(QString, script);
        QFETCH(QString, frames);
        QFETCH(QString, state);
        AppStatus::theAppStatus()->setLayoutFolder(QDir::currentPath());
        vt::Operator op(view(), m_pWindow);
        QCOMPARE(op.run(script), QString());
        QCOMPARE(sent(), frames);
        QCOMPARE(QString(op.messages.join(" ! ") + " => " + wallState()).trimmed(), state.trimmed());
    }

    // A layout cut short by a lost link says how far it got; sending it again with the link back clears it.
    void lostWhileSending()
    {
        vt::Operator op(view(), m_pWindow);
        PtyPair line;
        AppStatus::theAppStatus()->setCurrPort(line.slavePath());
        QCOMPARE(op.run("button Disconnect; button Connect"), QString());
        std::thread peer([&] {
            line.read(21 * 2, 3000);
            line.closeMaster();
        });
        static_cast<SpliceScene *>(view()->scene())->loadModel("many.json");
        peer.join();
        QCOMPARE(wallState(), "The wall may differ: 2 of 5 windows sent before the link was lost");
        AppStatus::theAppStatus()->setCurrPort(m_pty.slavePath());
        QCOMPARE(op.run("button Connect; button wallButton"), QString());
        QCOMPARE(sent().count("rotate"), 5);
        QCOMPARE(wallState(), QString());
    }

    // The preset strip, on the five windows left before: stored, marked, recalled as Load sends a layout,
    // renamed, cleared; the function keys recall, never from a text field.
    void presets_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("frames");
        QTest::addColumn<QString>("after");
        const char *all =
            "1:100,0,960,540; rotate 1,0; 2:200,0,960,540; rotate 2,0; 3:300,0,960,540; rotate 3,0; "
            "4:400,0,960,540; rotate 4,0; 5:500,0,960,540; rotate 5,0";
        auto add = [](const char *name, const char *script, const char *frames, const char *after) {
            QTest::newRow(name) << script << frames << after;
        };
        add("stored in an empty preset", "button Ctrl+Preset 1", "", "Preset 1 (valid) [current]");
        add("an edit marks it", "click 100,20; key Left", "5:498,0,960,540", "Preset 1 * (valid) [current]");
        add("recalled", "button Preset 1 *", all, "Preset 1 (valid) [current]");
        add("an empty preset recalls nothing", "click 100,20; key F2", "", "Preset 1 (valid) [current]");
        add("replacing asks", "answer &No; button Ctrl+Preset 1", "",
            "Preset 1 (valid) [current] ! Replace the layout in Preset 1 with the wall as it is now?");
        add("renamed", "answer Traffic; bmenu Preset 1|Rename", "", "Traffic (valid) [current]");
        add("no key from a field", "click 100,20; field X 480; key F1", "5:480,0,960,540",
            "Traffic * (valid) [current]");
        add("a key from the wall", "click 100,20; key F1", all, "Traffic (valid) [current]");
        add("cleared", "answer &Yes; bmenu Traffic|Clear", "",
            " ! Clear Traffic? Its layout file Scene01.data is removed.");
    }
    void presets()
    {
        QFETCH(QString, script);
        QFETCH(QString, frames);
        QFETCH(QString, after);
        vt::Operator op(view(), m_pWindow);
        QCOMPARE(op.run(script), QString());
        QCOMPARE(sent(), frames);
        QCOMPARE(strip() + (op.messages.isEmpty() ? "" : " ! " + op.messages.join(" ! ")), after);
    }

    // A damaged preset is shown so and recalls nothing; a preset's tool tip pictures its layout; the mark
    // outlives the program in the settings.
    void presetFiles()
    {
        QVERIFY(vt::writeFile("Scene02.data", "not a layout"));
        vt::Operator op(view(), m_pWindow);
        QCOMPARE(op.run("button Preset 2; button Ctrl+Preset 3"), QString());
        QCOMPARE(sent(), QString());
        QCOMPARE(
            strip() + " ! " + op.messages.join(" ! "),
            "Preset 2 (damaged), Preset 3 (valid) [current] ! Preset 2 cannot be recalled: Scene02.data is "
            "damaged or holds no window. The wall is unchanged.");
        QVERIFY(!QFile::exists("Scene01.data"));
        PresetButton *pThird = vt::withText<PresetButton>(m_pWindow, "Preset 3");
        QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), pThird->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(pThird, &help);
        QVERIFY2(
            pThird->toolTip().contains(QRegularExpression("Preset 3</b> \\(F3\\).*<img src=\"data:image/png;"
                                                          "base64,[A-Za-z0-9+/]{100,}.*5 windows")),
            qPrintable(pThird->toolTip()));
        AppStatus::theAppStatus()->save();
        QVERIFY(vt::readFile("UserData.data").contains("lastPreset=3\nlastPresetChanged=false"));
    }

    // The wall setup sets the units and the scene type, stored and drawn; a new scene type asks before it
    // clears the wall, No being the default.
    void wallSetup()
    {
        vt::Operator op(view(), m_pWindow);
        const QString before = vt::windows(view()->scene());
        QCOMPARE(op.run("answer 3,4,portrait; action Wall setup…"), QString());
        QCOMPARE(vt::windows(view()->scene()) + " ! " + op.messages.join(" ! "),
                 before +
                     " ! Another scene type clears the wall: its 5 windows are removed from the picture (the "
                     "wall keeps showing them until a layout is sent). Go on?");
        QCOMPARE(
            op.run("answer 3,4,portrait; answer &Yes; action Wall setup…; answer cancel; action Wall setup…"),
            QString());
        const AppStatus *status = AppStatus::theAppStatus();
        QCOMPARE(QString("%1 %2 %3 %4")
                     .arg(status->sceneRow())
                     .arg(status->sceneColumn())
                     .arg(status->sceneType())
                     .arg(vt::windows(view()->scene())),
                 "3 4 1 ");
        QCOMPARE(view()->sceneRect(), QRectF(0, 0, 360, 640));
        // The wall no longer shows the preset.
        QCOMPARE(strip(), "Preset 2 (damaged), Preset 3 * (valid) [current]");
        QCOMPARE(op.run("answer 12,12,landscape; action Wall setup…"), QString());
        QCOMPARE(view()->sceneRect(), QRectF(0, 0, 640, 360));
    }
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
