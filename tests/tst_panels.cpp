// The position, splice settings and common settings panels, driven with mouse and keyboard input; the
// serial link runs on a pseudo-terminal and the test reads the exact frames the panels send.
#include "appstatus.h"
#include "combobutton.h"
#include "commonframe.h"
#include "labelline.h"
#include "labelspinbox.h"
#include "markingtranslator.h"
#include "messagecapture.h"
#include "modaldriver.h"
#include "positionframe.h"
#include "ptypair.h"
#include "seriallink.h"
#include "signalframe.h"
#include "testdir.h"
#include "viewinput.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include <algorithm>

using modal::withText;

namespace {

QByteArray wire(const char *hex)
{
    return QByteArray::fromHex(hex);
}

// The field of a labelled widget (LabelSpinBox, LabelLine) whose label reads strLabel.
template <typename Field, typename Labelled>
Field *labelled(QWidget *pRoot, const QString &strLabel)
{
    for (Labelled *pWidget : pRoot->findChildren<Labelled *>()) {
        if (pWidget->template findChild<QLabel *>()->text() == strLabel)
            return pWidget->template findChild<Field *>();
    }
    return nullptr;
}
QSpinBox *spinBox(QWidget *pRoot, const QString &strLabel)
{
    return labelled<QSpinBox, LabelSpinBox>(pRoot, strLabel);
}
QLineEdit *lineField(QWidget *pRoot, const QString &strLabel)
{
    return labelled<QLineEdit, LabelLine>(pRoot, strLabel);
}

// The control beside a row label of a form.
QWidget *formField(QWidget *pRoot, const QString &strLabel)
{
    QLabel *pLabel = withText<QLabel>(pRoot, strLabel);
    auto *pForm = pLabel ? qobject_cast<QFormLayout *>(pLabel->parentWidget()->layout()) : nullptr;
    if (!pForm)
        return nullptr;
    int row = -1;
    QFormLayout::ItemRole role;
    pForm->getWidgetPosition(pLabel, &row, &role);
    QLayoutItem *pItem = pForm->itemAt(row, QFormLayout::FieldRole);
    return pItem ? pItem->widget() : nullptr;
}
ComboButton *combo(QWidget *pRoot, const QString &strLabel)
{
    return qobject_cast<ComboButton *>(formField(pRoot, strLabel));
}

using viewinput::typeInto;

void click(QWidget *pWidget)
{
    QVERIFY(pWidget);
    QTest::mouseClick(pWidget, Qt::LeftButton, Qt::NoModifier, pWidget->rect().center());
}

// Picks the entry of a combo button and presses its button.
void choose(ComboButton *pCombo, const QString &strEntry)
{
    pCombo->setCurrentText(strEntry);
    QCOMPARE(pCombo->currentText(), strEntry);
    click(pCombo->findChild<QPushButton *>());
}

bool exposed(QWidget &widget)
{
    widget.show();
    return QTest::qWaitForWindowExposed(&widget);
}

// The window group's two "OK" buttons, top to bottom: the address's, then the position's.
QPushButton *positionOk(PositionFrame &frame, bool bAddress)
{
    QList<QPushButton *> oks;
    for (QPushButton *pButton : frame.findChildren<QPushButton *>()) {
        if (pButton->text() == QLatin1String("OK"))
            oks << pButton;
    }
    std::sort(oks.begin(), oks.end(), [&frame](QPushButton *pA, QPushButton *pB) {
        return pA->mapTo(&frame, QPoint()).y() < pB->mapTo(&frame, QPoint()).y();
    });
    return oks.value(bAddress ? 0 : 1);
}
QLineEdit *addressField(PositionFrame &frame)
{
    for (QLineEdit *pEdit : frame.findChildren<QLineEdit *>()) {
        if (pEdit->maximumWidth() == 22 && pEdit->isVisible())
            return pEdit;
    }
    return nullptr;
}

} // namespace

class TestPanels : public QObject
{
    Q_OBJECT

private:
    PtyPair *m_pPty = nullptr;

    QByteArray sent() { return m_pPty->readAll(100); }

private slots:
    void initTestCase() { testdir::enterFresh(); }
    void init()
    {
        m_pPty = new PtyPair;
        QVERIFY(m_pPty->isValid());
        QVERIFY(SerialLink::theSerialLink()->open(m_pPty->slavePath()));
        AppStatus *status = AppStatus::theAppStatus();
        status->setOpenModel(true);
        status->setSpliceRow(2);
        status->setSpliceColumn(3);
        status->setEdgeX(0);
        status->setEdgeY(0);
        status->setSceneRow(12);
        status->setSceneColumn(12);
        status->setSceneType(0);
    }
    void cleanup()
    {
        SerialLink::theSerialLink()->close();
        delete m_pPty;
    }

    // The fields follow the selected free window, held to the wall, and echo nothing back.
    void positionFrameShowsSelectedWindow()
    {
        PositionFrame frame;
        QVERIFY(exposed(frame));
        QSignalSpy posSpy(&frame, SIGNAL(setPos(Position)));
        auto shown = [&frame]() {
            QList<int> values;
            for (const char *label : {"X", "Y", "Width", "Height"})
                values << spinBox(&frame, label)->value();
            return values << addressField(frame)->text().toInt();
        };
        // Nothing is selected yet.
        frame.onUpDate(Position(1, 2, 3, 4));
        QCOMPARE(shown(), (QList<int>{0, 0, 0, 0, 0}));
        frame.onUpdate(Position(100.9, 200.2, 960, 540), Address(5, 7), 0);
        QCOMPARE(shown(), (QList<int>{100, 200, 960, 540, 5}));
        // A grid window leaves the fields showing the last free window.
        frame.onUpdate(Position(0, 0, 1280, 720), Address(9, 9), 1);
        frame.onUpDate(Position(0, 0, 1280, 720));
        QCOMPARE(shown(), (QList<int>{100, 200, 960, 540, 5}));
        frame.onUpdate(Position(10, 10, 960, 540), Address(6, 7), 0);
        frame.onUpDate(Position(4000, 3000, 4000.5, 1e300));
        QCOMPARE(shown(), (QList<int>{3840, 2160, 3840, 2160, 6}));
        QCOMPARE(sent(), QByteArray());
        QCOMPARE(posSpy.count(), 0);
    }

    void positionFrameSendsTypedPositionAndAddress()
    {
        PositionFrame frame;
        QVERIFY(exposed(frame));
        frame.onUpdate(Position(10, 20, 960, 540), Address(5, 3), 0);
        QSignalSpy posSpy(&frame, SIGNAL(setPos(Position)));
        QSignalSpy addrSpy(&frame, SIGNAL(setAddr(int, int)));

        typeInto(spinBox(&frame, "X"), "100", true);
        const QByteArray moved = wire("C5A70A0510006403C00014021CE4");
        QCOMPARE(sent(), moved);
        QCOMPARE(posSpy.count(), 1);
        QCOMPARE(posSpy.at(0).at(0).value<Position>(), Position(100, 20, 960, 540));
        click(positionOk(frame, false));
        QCOMPARE(sent(), moved);
        QCOMPARE(posSpy.count(), 2);

        click(positionOk(frame, true));
        typeInto(addressField(frame), "12");
        click(positionOk(frame, true));
        QCOMPARE(addrSpy.size(), 2);
        QCOMPARE(addrSpy.at(0), (QList<QVariant>{5, 3}));
        QCOMPARE(addrSpy.at(1), (QList<QVariant>{12, 3}));
        QCOMPARE(sent(), QByteArray());

        // Without an address a confirmed spin box still sends, to address 0; the OK button does not.
        frame.onUpdate(Position(100, 20, 960, 540), Address(5, 0), 0);
        addressField(frame)->clear();
        typeInto(spinBox(&frame, "Y"), "30", true);
        QCOMPARE(sent(), wire("C5A70A0010006403C0001E021CE9"));
        QCOMPARE(posSpy.count(), 3);
        click(positionOk(frame, false));
        QCOMPARE(sent(), QByteArray());
        QCOMPARE(posSpy.count(), 4);
        QCOMPARE(posSpy.at(3).at(0).value<Position>(), Position(100, 30, 960, 540));
    }

    void positionFrameModelButtons_data()
    {
        QTest::addColumn<bool>("openBefore");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("openAfter");
        QTest::addColumn<QByteArray>("expected");
        // Edges come from the settings (1, 2); rows and columns too, not from the unconfirmed fields.
        QTest::newRow("irregular") << false << "Irregular Model" << true << wire("C5A706FF110F0F0102A3");
        QTest::newRow("standard") << true << "standard Model" << false << wire("C5A706FF11020301028A");
        QTest::newRow("standard again") << false << "standard Model" << false << wire("C5A706FF11020301028A");
    }
    void positionFrameModelButtons()
    {
        QFETCH(bool, openBefore);
        QFETCH(QString, button);
        QFETCH(bool, openAfter);
        QFETCH(QByteArray, expected);
        AppStatus *status = AppStatus::theAppStatus();
        status->setOpenModel(openBefore);
        status->setEdgeX(1);
        status->setEdgeY(2);
        PositionFrame frame;
        // As the operation frame wires it: the panel hears its own signal.
        connect(&frame, SIGNAL(changeOpenModel()), &frame, SLOT(onChangeOpenModel()));
        QVERIFY(exposed(frame));
        QCOMPARE(withText<QRadioButton>(&frame, "Irregular Model")->isChecked(), openBefore);
        QCOMPARE(spinBox(&frame, "X")->isEnabled(), openBefore);
        QSignalSpy modelSpy(&frame, SIGNAL(changeOpenModel()));

        typeInto(lineField(&frame, "Row"), "7");
        click(withText<QRadioButton>(&frame, button));
        QCOMPARE(status->isOpenModel(), openAfter);
        QCOMPARE(sent(), expected);
        QCOMPARE(modelSpy.count(), 1);
        // The window group serves the irregular model only; the splice group both.
        QCOMPARE(spinBox(&frame, "Height")->isEnabled(), openAfter);
        QCOMPARE(addressField(frame)->isEnabled(), openAfter);
        QCOMPARE(positionOk(frame, true)->isEnabled(), openAfter);
        QVERIFY(withText<QPushButton>(&frame, "ok")->isEnabled());
        QCOMPARE(status->spliceRow(), 2);
    }

    void positionFrameSpliceOk()
    {
        PositionFrame frame;
        QVERIFY(exposed(frame));
        QCOMPARE(lineField(&frame, "Row")->text(), QStringLiteral("2"));
        // Rows and columns take 0 to 8 only; the edges take any text.
        typeInto(lineField(&frame, "Row"), "9");
        QCOMPARE(lineField(&frame, "Row")->text(), QString());
        typeInto(lineField(&frame, "Column"), "18");
        QCOMPARE(lineField(&frame, "Column")->text(), QStringLiteral("1"));

        QSignalSpy modelSpy(&frame, SIGNAL(changeOpenModel()));
        typeInto(lineField(&frame, "Row"), "4");
        typeInto(lineField(&frame, "Column"), "5");
        typeInto(lineField(&frame, "Edge X"), "1");
        typeInto(lineField(&frame, "Edge Y"), "2");
        click(withText<QPushButton>(&frame, "ok"));
        AppStatus *status = AppStatus::theAppStatus();
        QCOMPARE(sent(), wire("C5A706FF11040501028E"));
        QCOMPARE(QList<int>({status->spliceRow(), status->spliceColumn(), status->edgeX(), status->edgeY()}),
                 QList<int>({4, 5, 1, 2}));
        QCOMPARE(modelSpy.count(), 1);

        // An edge that is not a number counts as 0.
        typeInto(lineField(&frame, "Edge X"), "x");
        click(withText<QPushButton>(&frame, "ok"));
        QCOMPARE(sent(), wire("C5A706FF11040500028D"));
        QCOMPARE(status->edgeX(), 0);
    }

    // Each button sends at once; the address info choice sends on every click, also on the one selected.
    void signalFrameButtons()
    {
        signalframe panel;
        QVERIFY(exposed(panel));
        QVERIFY(withText<QRadioButton>(&panel, "Off")->isChecked());
        MessageCapture capture;
        QStringList frames;
        for (const char *button : {"DP", "HDMI1", "HDMI2", "wireless", "Reset", "Off", "On", "On", "Off"}) {
            QWidget *pButton = withText<QPushButton>(&panel, button);
            click(pButton ? pButton : withText<QRadioButton>(&panel, button));
            frames << QString(button) + ' ' + sent().toHex();
        }
        QCOMPARE(frames, QStringList({"DP c5a70300130183", "HDMI1 c5a70300130284", "HDMI2 c5a70300130385",
                                      "wireless c5a70300130486", "Reset c5a703ff00ff6d", "Off c5a703ff01006f",
                                      "On c5a703ff010170", "On c5a703ff010170", "Off c5a703ff01006f"}));
        QCOMPARE(capture.startingWith("Switch switchOpenModel"),
                 QStringList({"Switch switchOpenModel 0", "Switch switchOpenModel 1",
                              "Switch switchOpenModel 1", "Switch switchOpenModel 0"}));
    }

    // The panel only names the file, in the working folder; writing it is the scene's affair.
    void signalFrameFileDialogs_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("accept");
        auto add = [](const char *name, const char *button, const char *title, bool accept) {
            QTest::newRow(name) << QString(button) << QString(title) << accept;
        };
        add("save", "Save", "Save As", true);
        add("save cancelled", "Save", "Save As", false);
        add("load missing file", "Load", "Load", true);
        add("load cancelled", "Load", "Load", false);
    }
    void signalFrameFileDialogs()
    {
        QFETCH(QString, button);
        QFETCH(QString, title);
        QFETCH(bool, accept);
        signalframe panel;
        QVERIFY(exposed(panel));
        QSignalSpy saveSpy(&panel, SIGNAL(savesignal(QString)));
        QSignalSpy loadSpy(&panel, SIGNAL(loadsignal(QString)));
        QStringList seen;
        modal::whenShown<QFileDialog>([&](QFileDialog *pDialog) {
            seen << pDialog->windowTitle() << pDialog->directory().absolutePath();
            auto *pName = pDialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QTest::keyClicks(pName, "wall.json");
            QTest::keyClick(pName, accept ? Qt::Key_Return : Qt::Key_Escape);
        });
        click(withText<QPushButton>(&panel, button));
        QTRY_VERIFY(!QApplication::activeModalWidget());
        QCOMPARE(seen, (QStringList{title, QDir::current().absolutePath()}));
        QSignalSpy &chosen = button == "Save" ? saveSpy : loadSpy;
        QCOMPARE(saveSpy.count() + loadSpy.count(), accept ? 1 : 0);
        if (accept)
            QCOMPARE(chosen.at(0).at(0).toString(), QDir::current().absoluteFilePath("wall.json"));
        QVERIFY(!QFile::exists("wall.json"));
        QCOMPARE(sent(), QByteArray());
    }

    // The commands of the form rows, from left to right in each combo box, then the switches.
    void commonFrameCommands()
    {
        CommonFrame panel;
        QVERIFY(exposed(panel));
        const QList<QStringList> rows{{"Input", "AV", "VGA", "HDMI", "USB"},
                                      {"Output", "HDMI", "DVI"},
                                      {"Resolution", QString::fromUtf8("1920×1080"), "1280*720", "1024*768"},
                                      {"Splice"},
                                      {"Address"},
                                      {"Rotate"},
                                      {"Open Model"}};
        QStringList frames;
        for (const QStringList &row : rows) {
            if (ComboButton *pCombo = combo(&panel, row.first())) {
                for (const QString &strEntry : row.mid(1)) {
                    choose(pCombo, strEntry);
                    frames << sent().toHex();
                }
            } else {
                click(formField(&panel, row.first()));
                frames << sent().toHex();
            }
        }
        QCOMPARE(frames, QStringList({"c5a7030030009f", "c5a703003100a0", "c5a703003200a1", "c5a703003300a2",
                                      "c5a70300130284", "c5a70300130284", "c5a703003400a3", "c5a703003500a4",
                                      "c5a703003b00aa", "c5a706ff110f0f0000a0", "c5a703ff01006f",
                                      "c5a70300120081", ""}));
    }

    void commonFrameStoresSettings()
    {
        AppStatus *status = AppStatus::theAppStatus();
        status->setOpenModel(false);
        status->setSceneRow(4);
        status->setSceneColumn(6);
        CommonFrame panel;
        QVERIFY(exposed(panel));
        QSignalSpy countSpy(&panel, SIGNAL(updateSceneCount()));
        QSignalSpy typeSpy(&panel, SIGNAL(changeSceneType(int, int)));
        QSignalSpy modelSpy(&panel, SIGNAL(changeOpenModel()));
        QCOMPARE(combo(&panel, "Unit Row")->currentText(), QStringLiteral("4"));
        QCOMPARE(combo(&panel, "Unit Column")->currentText(), QStringLiteral("6"));
        QCOMPARE(combo(&panel, "Scene Type")->currentText(), QStringLiteral("landscape"));

        choose(combo(&panel, "Unit Row"), "1");
        choose(combo(&panel, "Unit Column"), "15");
        QCOMPARE(status->sceneRow(), 1);
        QCOMPARE(status->sceneColumn(), 15);
        QCOMPARE(countSpy.count(), 2);
        choose(combo(&panel, "Scene Type"), "portrait");
        QCOMPARE(QSize(status->unitWidth(), status->unitHeight()), QSize(360, 640));
        choose(combo(&panel, "Scene Type"), "portrait");
        QCOMPARE(status->sceneType(), 1);
        QCOMPARE(typeSpy.at(0), (QList<QVariant>{0, 1}));
        QCOMPARE(typeSpy.at(1), (QList<QVariant>{1, 1}));

        click(formField(&panel, "Open Model"));
        QVERIFY(status->isOpenModel());
        QCOMPARE(modelSpy.count(), 1);
        QCOMPARE(sent(), QByteArray());
    }

    // Settings out of range show the first entries, so "OK" never stores a count of 0 or an unknown type.
    void commonFrameSettingsOutOfRange()
    {
        AppStatus *status = AppStatus::theAppStatus();
        status->setSceneRow(0);
        status->setSceneColumn(99);
        status->setSceneType(7);
        status->setCurrPort(QStringLiteral("no such port"));
        CommonFrame panel;
        QSignalSpy typeSpy(&panel, SIGNAL(changeSceneType(int, int)));
        QCOMPARE(combo(&panel, "Port")->currentIndex(), 0);
        QCOMPARE(combo(&panel, "Unit Column")->currentText(), QString("1"));
        QMetaObject::invokeMethod(&panel, "onSetSceneRow");
        QCOMPARE(status->sceneRow(), 1);
        QMetaObject::invokeMethod(&panel, "onSetSceneType");
        QCOMPARE(typeSpy.at(0), (QList<QVariant>{7, 0}));
        QCOMPARE(status->unitWidth(), 640);
    }

    void commonFrameConnect()
    {
        SerialLink *pLink = SerialLink::theSerialLink();
        CommonFrame panel;
        QVERIFY(exposed(panel));
        ComboButton *pPort = combo(&panel, "Port");
        QPushButton *pButton = pPort->findChild<QPushButton *>();
        QCOMPARE(pButton->text(), QStringLiteral("Connect"));
        // Connected already: the button closes the link.
        click(pButton);
        QVERIFY(!pLink->isConnected());
        QCOMPARE(pButton->text(), QStringLiteral("Connect"));

        pPort->addItem(QStringLiteral("/nonexistent/tty"));
        choose(pPort, QStringLiteral("/nonexistent/tty"));
        QVERIFY(!pLink->isConnected());
        pPort->addItem(m_pPty->slavePath());
        choose(pPort, m_pPty->slavePath());
        QVERIFY(pLink->isConnected());
        QCOMPARE(pButton->text(), QStringLiteral("DisConnect"));
        click(formField(&panel, "Rotate"));
        QCOMPARE(sent(), wire("C5A70300120081"));
    }

    // Each text is looked up again in the context the translations keep it in; names of sources stay.
    void retranslation()
    {
        PositionFrame position;
        signalframe splice;
        CommonFrame common;
        MarkingTranslator translator;
        translator.setInstalled(true);
        QVERIFY(withText<QLabel>(&position, "PositionFrame:Width"));
        QVERIFY(withText<QRadioButton>(&position, "signalframe:Irregular Model"));
        QVERIFY(withText<QPushButton>(&position, "BaseSettingDlg:Ok"));
        QVERIFY(withText<QPushButton>(&splice, "signalframe:Save"));
        QVERIFY(withText<QLabel>(&splice, "signalframe:Splice Setting"));
        QVERIFY(withText<QPushButton>(&splice, "DP"));
        QVERIFY(withText<QRadioButton>(&splice, "On"));
        for (const char *text : {"Port", "Input", "Output", "Resolution", "Splice", "Address", "Rotate",
                                 "Unit Row", "Unit Column", "Scene Type", "Open Model"})
            QVERIFY2(withText<QLabel>(&common, QStringLiteral("CommonFrame:") + text), text);
        QVERIFY(withText<QPushButton>(&common, "CommonFrame:DisConnect"));
        QCOMPARE(combo(&common, "CommonFrame:Scene Type")->currentText(),
                 QStringLiteral("CommonFrame:landscape"));

        translator.setInstalled(false);
        QVERIFY(withText<QLabel>(&common, "Unit Row"));
        QVERIFY(withText<QPushButton>(&position, "Ok"));
    }
};

QTEST_MAIN(TestPanels)
#include "tst_panels.moc"
