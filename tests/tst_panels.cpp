// The position, splice settings and common settings panels, driven with mouse and keyboard input; the
// serial link runs on a pseudo-terminal and the test reads the exact frames the panels send.
#include "address.h"
#include "appstatus.h"
#include "combobutton.h"
#include "commonframe.h"
#include "labelline.h"
#include "labelspinbox.h"
#include "messagecapture.h"
#include "position.h"
#include "positionframe.h"
#include "ptypair.h"
#include "seriallink.h"
#include "signalframe.h"
#include "testdir.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTranslator>
#include <QtTest>

#include <functional>

namespace {

QByteArray wire(const char *hex)
{
    return QByteArray::fromHex(hex);
}

// Runs action on the active modal dialog as soon as one is open; gives up after about two seconds.
void whenModalOpens(const std::function<void(QWidget *)> &action, int nTries = 100)
{
    QTimer::singleShot(20, [action, nTries]() {
        if (QWidget *modal = QApplication::activeModalWidget())
            action(modal);
        else if (nTries > 0)
            whenModalOpens(action, nTries - 1);
    });
}

template <typename T>
T *withText(QWidget *root, const QString &strText)
{
    const auto widgets = root->findChildren<T *>();
    for (T *widget : widgets) {
        if (widget->text() == strText)
            return widget;
    }
    return nullptr;
}

// The field of a labelled widget (LabelSpinBox, LabelLine) whose label reads strLabel.
template <typename Field, typename Labelled>
Field *labelled(QWidget *root, const QString &strLabel)
{
    const auto widgets = root->findChildren<Labelled *>();
    for (Labelled *widget : widgets) {
        if (widget->template findChild<QLabel *>()->text() == strLabel)
            return widget->template findChild<Field *>();
    }
    return nullptr;
}

QSpinBox *spinBox(QWidget *root, const QString &strLabel)
{
    return labelled<QSpinBox, LabelSpinBox>(root, strLabel);
}

QLineEdit *lineField(QWidget *root, const QString &strLabel)
{
    return labelled<QLineEdit, LabelLine>(root, strLabel);
}

// The control beside a row label of a form.
QWidget *formField(QWidget *root, const QString &strLabel)
{
    QLabel *label = withText<QLabel>(root, strLabel);
    auto *form = label ? qobject_cast<QFormLayout *>(label->parentWidget()->layout()) : nullptr;
    if (!form)
        return nullptr;
    int row = -1;
    QFormLayout::ItemRole role;
    form->getWidgetPosition(label, &row, &role);
    QLayoutItem *item = form->itemAt(row, QFormLayout::FieldRole);
    return item ? item->widget() : nullptr;
}

void typeInto(QWidget *field, const QString &strText)
{
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, strText);
}

void confirmSpinBox(QSpinBox *spin, int nValue)
{
    typeInto(spin, QString::number(nValue));
    QTest::keyClick(spin, Qt::Key_Return);
}

// The application forwards a language change to every top-level widget in a second posted event.
void deliverLanguageChange()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

bool exposed(QWidget &widget)
{
    widget.show();
    return QTest::qWaitForWindowExposed(&widget);
}

void click(QWidget *widget)
{
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

// Marks every text with its context, so that a test sees which context each text was looked up in.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override
    {
        Q_UNUSED(disambiguation)
        Q_UNUSED(n)
        return QLatin1String(context) + QLatin1Char(':') + QString::fromUtf8(sourceText);
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TestPanels : public QObject
{
    Q_OBJECT

private:
    PtyPair *m_pPty = nullptr;

    QByteArray sent() { return m_pPty->readAll(100); }

    // The window group's two "OK" buttons: the address one stands in the upper row.
    static QPushButton *positionOk(PositionFrame &frame, bool bAddress)
    {
        QList<QPushButton *> oks;
        for (QPushButton *button : frame.findChildren<QPushButton *>()) {
            if (button->text() == QLatin1String("OK"))
                oks << button;
        }
        if (oks.size() != 2)
            return nullptr;
        const bool firstIsUpper =
            oks.at(0)->mapTo(&frame, QPoint()).y() < oks.at(1)->mapTo(&frame, QPoint()).y();
        return (firstIsUpper == bAddress) ? oks.at(0) : oks.at(1);
    }

    static QLineEdit *addressField(PositionFrame &frame)
    {
        for (QLineEdit *edit : frame.findChildren<QLineEdit *>()) {
            if (edit->maximumWidth() == 22 && edit->isVisible())
                return edit;
        }
        return nullptr;
    }

private slots:
    void initTestCase()
    {
        testdir::enterFresh();
        qRegisterMetaType<Position>("Position");
        qRegisterMetaType<Address>("Address");
    }

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
        m_pPty = nullptr;
    }

    void positionFrameShowsSelectedWindowWithoutEcho()
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

    void positionFrameSendsTypedPosition()
    {
        PositionFrame frame;
        QVERIFY(exposed(frame));
        frame.onUpdate(Position(10, 20, 960, 540), Address(5, 0), 0);
        QSignalSpy posSpy(&frame, SIGNAL(setPos(Position)));

        confirmSpinBox(spinBox(&frame, "X"), 100);
        const QByteArray moved = wire("C5A70A0510006403C00014021CE4");
        QCOMPARE(sent(), moved);
        QCOMPARE(posSpy.count(), 1);
        QCOMPARE(posSpy.at(0).at(0).value<Position>(), Position(100, 20, 960, 540));

        click(positionOk(frame, false));
        QCOMPARE(sent(), moved);
        QCOMPARE(posSpy.count(), 2);

        // Without an address a confirmed spin box still sends, to address 0; the OK button does not.
        addressField(frame)->clear();
        confirmSpinBox(spinBox(&frame, "Y"), 30);
        QCOMPARE(sent(), wire("C5A70A0010006403C0001E021CE9"));
        QCOMPARE(posSpy.count(), 3);
        click(positionOk(frame, false));
        QCOMPARE(sent(), QByteArray());
        QCOMPARE(posSpy.count(), 4);
        QCOMPARE(posSpy.at(3).at(0).value<Position>(), Position(100, 30, 960, 540));
    }

    void positionFrameAddressOk()
    {
        PositionFrame frame;
        QVERIFY(exposed(frame));
        frame.onUpdate(Position(), Address(7, 3), 0);
        QSignalSpy addrSpy(&frame, SIGNAL(setAddr(int, int)));

        click(positionOk(frame, true));
        QCOMPARE(addrSpy.count(), 1);
        QCOMPARE(addrSpy.at(0), (QList<QVariant>{7, 3}));

        typeInto(addressField(frame), "12");
        click(positionOk(frame, true));
        QCOMPARE(addrSpy.at(1), (QList<QVariant>{12, 3}));
        QCOMPARE(sent(), QByteArray());
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

        for (const char *label : {"X", "Y", "Width", "Height"})
            QCOMPARE(spinBox(&frame, label)->isEnabled(), openAfter);
        QCOMPARE(addressField(frame)->isEnabled(), openAfter);
        QCOMPARE(positionOk(frame, true)->isEnabled(), openAfter);
        QCOMPARE(positionOk(frame, false)->isEnabled(), openAfter);
        QVERIFY(lineField(&frame, "Row")->isEnabled());
        QVERIFY(withText<QPushButton>(&frame, "ok")->isEnabled());
        QCOMPARE(status->spliceRow(), 2);
    }

    void positionFrameSpliceOk()
    {
        PositionFrame frame;
        QVERIFY(exposed(frame));
        QCOMPARE(lineField(&frame, "Row")->text(), QStringLiteral("2"));
        QCOMPARE(withText<QRadioButton>(&frame, "Irregular Model")->geometry(), QRect(10, 0, 120, 20));
        QCOMPARE(withText<QRadioButton>(&frame, "standard Model")->geometry(), QRect(400, 0, 120, 20));
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
        QCOMPARE(status->spliceRow(), 4);
        QCOMPARE(status->spliceColumn(), 5);
        QCOMPARE(status->edgeX(), 1);
        QCOMPARE(status->edgeY(), 2);
        QCOMPARE(modelSpy.count(), 1);

        // An edge that is not a number counts as 0.
        typeInto(lineField(&frame, "Edge X"), "x");
        click(withText<QPushButton>(&frame, "ok"));
        QCOMPARE(sent(), wire("C5A706FF11040500028D"));
        QCOMPARE(status->edgeX(), 0);
    }

    void signalFrameInputButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("DP") << "DP" << wire("C5A70300130183");
        QTest::newRow("HDMI1") << "HDMI1" << wire("C5A70300130284");
        QTest::newRow("HDMI2") << "HDMI2" << wire("C5A70300130385");
        QTest::newRow("wireless") << "wireless" << wire("C5A70300130486");
        QTest::newRow("Reset") << "Reset" << wire("C5A703FF00FF6D");
    }

    void signalFrameInputButtons()
    {
        QFETCH(QString, button);
        QFETCH(QByteArray, expected);
        signalframe panel;
        QVERIFY(exposed(panel));
        click(withText<QPushButton>(&panel, button));
        QCOMPARE(sent(), expected);
    }

    void signalFrameAddressInfo()
    {
        signalframe panel;
        QVERIFY(exposed(panel));
        QRadioButton *on = withText<QRadioButton>(&panel, "On");
        QRadioButton *off = withText<QRadioButton>(&panel, "Off");
        QVERIFY(off->isChecked());
        const QByteArray show = wire("C5A703FF010170");
        const QByteArray hide = wire("C5A703FF01006F");

        MessageCapture capture;
        // Every click sends, also on the button that is already selected.
        click(off);
        QCOMPARE(sent(), hide);
        click(on);
        QCOMPARE(sent(), show);
        click(on);
        QCOMPARE(sent(), show);
        click(off);
        QCOMPARE(sent(), hide);
        QCOMPARE(capture.startingWith("Switch switchOpenModel"),
                 QStringList({"Switch switchOpenModel 0", "Switch switchOpenModel 1",
                              "Switch switchOpenModel 1", "Switch switchOpenModel 0"}));
    }

    void signalFrameFileDialogs_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("acceptMode");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accept");
        auto add = [](const char *name, const char *button, const char *title, int mode, const char *typed,
                      bool accept) {
            QTest::newRow(name) << QString(button) << QString(title) << mode << QString(typed) << accept;
        };
        add("save", "Save", "Save As", QFileDialog::AcceptSave, "wall.json", true);
        add("save cancelled", "Save", "Save As", QFileDialog::AcceptSave, "x.json", false);
        add("load missing file", "Load", "Load", QFileDialog::AcceptOpen, "none.json", true);
        add("load cancelled", "Load", "Load", QFileDialog::AcceptOpen, "y.json", false);
    }

    void signalFrameFileDialogs()
    {
        QFETCH(QString, button);
        QFETCH(QString, title);
        QFETCH(int, acceptMode);
        QFETCH(QString, typed);
        QFETCH(bool, accept);
        signalframe panel;
        QVERIFY(exposed(panel));
        QSignalSpy saveSpy(&panel, SIGNAL(savesignal(QString)));
        QSignalSpy loadSpy(&panel, SIGNAL(loadsignal(QString)));

        QVariantList seen;
        whenModalOpens([&](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            auto *name = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
            if (!name) {
                modal->close();
                return;
            }
            seen = {dialog->windowTitle(),        int(dialog->acceptMode()),
                    int(dialog->fileMode()),      int(dialog->viewMode()),
                    dialog->geometry().topLeft(), dialog->directory().absolutePath()};
            QTest::keyClicks(name, typed);
            QTest::keyClick(name, accept ? Qt::Key_Return : Qt::Key_Escape);
        });
        click(withText<QPushButton>(&panel, button));
        QTRY_VERIFY(!QApplication::activeModalWidget());

        QCOMPARE(seen, (QVariantList{title, acceptMode, int(QFileDialog::AnyFile), int(QFileDialog::Detail),
                                     QPoint(10, 30), QDir::current().absolutePath()}));
        QSignalSpy &chosen = (button == QLatin1String("Save")) ? saveSpy : loadSpy;
        QSignalSpy &other = (button == QLatin1String("Save")) ? loadSpy : saveSpy;
        QCOMPARE(other.count(), 0);
        QCOMPARE(chosen.count(), accept ? 1 : 0);
        if (accept)
            QCOMPARE(chosen.at(0).at(0).toString(), QDir::current().absoluteFilePath(typed));
        // The panel only names the file; writing it is the scene's affair.
        QVERIFY(!QFile::exists(typed));
        QCOMPARE(sent(), QByteArray());
    }

    void commonFrameCommands_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QByteArray>("expected");
        auto add = [](const char *name, const char *row, const QString &entry, const char *hex) {
            QTest::newRow(name) << QString(row) << entry << wire(hex);
        };
        add("AV", "Input", "AV", "C5A7030030009F");
        add("VGA", "Input", "VGA", "C5A703003100A0");
        add("HDMI in", "Input", "HDMI", "C5A703003200A1");
        add("USB", "Input", "USB", "C5A703003300A2");
        add("HDMI out", "Output", "HDMI", "C5A70300130284");
        add("DVI", "Output", "DVI", "C5A70300130284");
        add("1920", "Resolution", QString::fromUtf8("1920×1080"), "C5A703003400A3");
        add("1280", "Resolution", "1280*720", "C5A703003500A4");
        add("1024", "Resolution", "1024*768", "C5A703003B00AA");
        add("splice switch off", "Splice", QString(), "C5A706FF110F0F0000A0");
        add("address switch off", "Address", QString(), "C5A703FF01006F");
        add("rotate", "Rotate", QString(), "C5A70300120081");
        add("open model switch", "Open Model", QString(), "");
    }

    void commonFrameCommands()
    {
        QFETCH(QString, row);
        QFETCH(QString, entry);
        QFETCH(QByteArray, expected);
        CommonFrame panel;
        QVERIFY(exposed(panel));
        QWidget *field = formField(&panel, row);
        QVERIFY(field);
        if (auto *combo = qobject_cast<ComboButton *>(field)) {
            combo->setCurrentText(entry);
            QCOMPARE(combo->currentText(), entry);
            click(combo->findChild<QPushButton *>());
        } else {
            click(field);
        }
        QCOMPARE(sent(), expected);
    }

    void commonFrameStoresSettings()
    {
        AppStatus *status = AppStatus::theAppStatus();
        status->setOpenModel(false);
        status->setSceneRow(4);
        status->setSceneColumn(6);
        CommonFrame panel;
        QVERIFY(exposed(panel));
        QCOMPARE(panel.property("class").toString(), QStringLiteral("CommonFrame"));
        QSignalSpy countSpy(&panel, SIGNAL(updateSceneCount()));
        QSignalSpy typeSpy(&panel, SIGNAL(changeSceneType(int, int)));
        QSignalSpy modelSpy(&panel, SIGNAL(changeOpenModel()));

        auto *rows = qobject_cast<ComboButton *>(formField(&panel, "Unit Row"));
        auto *columns = qobject_cast<ComboButton *>(formField(&panel, "Unit Column"));
        auto *types = qobject_cast<ComboButton *>(formField(&panel, "Scene Type"));
        QVERIFY(rows && columns && types);
        QCOMPARE(rows->currentText(), QStringLiteral("4"));
        QCOMPARE(columns->currentText(), QStringLiteral("6"));
        QCOMPARE(types->currentText(), QStringLiteral("landscape"));

        auto choose = [](ComboButton *combo, const QString &strEntry) {
            combo->setCurrentText(strEntry);
            click(combo->findChild<QPushButton *>());
        };
        choose(rows, "1");
        QCOMPARE(status->sceneRow(), 1);
        QCOMPARE(countSpy.count(), 1);
        choose(columns, "15");
        QCOMPARE(status->sceneColumn(), 15);
        QCOMPARE(countSpy.count(), 2);
        choose(types, "portrait");
        QCOMPARE(status->sceneType(), 1);
        QCOMPARE(status->unitWidth(), 360);
        QCOMPARE(status->unitHeight(), 640);
        QCOMPARE(typeSpy.at(0), (QList<QVariant>{0, 1}));
        choose(types, "portrait");
        QCOMPARE(typeSpy.at(1), (QList<QVariant>{1, 1}));

        click(formField(&panel, "Open Model"));
        QVERIFY(status->isOpenModel());
        QCOMPARE(modelSpy.count(), 1);
        QCOMPARE(sent(), QByteArray());
    }

    void commonFrameSettingsOutOfRange()
    {
        AppStatus *status = AppStatus::theAppStatus();
        status->setSceneRow(0);
        status->setSceneColumn(99);
        status->setSceneType(7);
        status->setCurrPort(QStringLiteral("no such port"));
        CommonFrame panel;
        QSignalSpy typeSpy(&panel, SIGNAL(changeSceneType(int, int)));
        QCOMPARE(qobject_cast<ComboButton *>(formField(&panel, "Port"))->currentIndex(), 0);

        // The first entries stand in, so "OK" never stores a count of 0 or an unknown type.
        QCOMPARE(qobject_cast<ComboButton *>(formField(&panel, "Unit Column"))->currentText(), QString("1"));
        QMetaObject::invokeMethod(&panel, "onSetSceneRow");
        QCOMPARE(status->sceneRow(), 1);
        QMetaObject::invokeMethod(&panel, "onSetSceneType");
        QCOMPARE(typeSpy.at(0), (QList<QVariant>{7, 0}));
        QCOMPARE(status->unitWidth(), 640);
    }

    void commonFrameConnect()
    {
        SerialLink *link = SerialLink::theSerialLink();
        CommonFrame panel;
        QVERIFY(exposed(panel));
        auto *port = qobject_cast<ComboButton *>(formField(&panel, "Port"));
        QPushButton *button = port->findChild<QPushButton *>();
        QCOMPARE(button->text(), QStringLiteral("Connect"));

        // Connected already: the button closes the link.
        click(button);
        QVERIFY(!link->isConnected());
        QCOMPARE(button->text(), QStringLiteral("Connect"));

        port->addItem(QStringLiteral("/nonexistent/tty"));
        port->setCurrentText(QStringLiteral("/nonexistent/tty"));
        click(button);
        QVERIFY(!link->isConnected());

        port->addItem(m_pPty->slavePath());
        port->setCurrentText(m_pPty->slavePath());
        click(button);
        QVERIFY(link->isConnected());
        QCOMPARE(button->text(), QStringLiteral("DisConnect"));
        click(formField(&panel, "Rotate"));
        QCOMPARE(sent(), wire("C5A70300120081"));
    }

    void retranslation()
    {
        PositionFrame position;
        signalframe splice;
        CommonFrame common;
        MarkingTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        deliverLanguageChange();

        QVERIFY(withText<QLabel>(&position, "PositionFrame:Width"));
        QVERIFY(withText<QRadioButton>(&position, "signalframe:Irregular Model"));
        QVERIFY(withText<QPushButton>(&position, "BaseSettingDlg:Ok"));
        QVERIFY(withText<QPushButton>(&splice, "signalframe:Save"));
        QVERIFY(withText<QLabel>(&splice, "signalframe:Splice Setting"));
        // Source names and the On/Off choice keep their texts.
        QVERIFY(withText<QPushButton>(&splice, "DP"));
        QVERIFY(withText<QRadioButton>(&splice, "On"));
        for (const char *text : {"Port", "Input", "Output", "Resolution", "Splice", "Address", "Rotate",
                                 "Unit Row", "Unit Column", "Scene Type", "Open Model"})
            QVERIFY2(withText<QLabel>(&common, QStringLiteral("CommonFrame:") + text), text);
        QVERIFY(withText<QPushButton>(&common, "CommonFrame:DisConnect"));
        auto *types = qobject_cast<ComboButton *>(formField(&common, "CommonFrame:Scene Type"));
        QCOMPARE(types->currentText(), QStringLiteral("CommonFrame:landscape"));

        QCoreApplication::removeTranslator(&translator);
        deliverLanguageChange();
        QVERIFY(withText<QLabel>(&common, "Unit Row"));
        QVERIFY(withText<QPushButton>(&position, "Ok"));
    }
};

QTEST_MAIN(TestPanels)
#include "tst_panels.moc"
