// The setting dialogs as the operator meets them: typed input, Ok / Cancel, and language changes.
#include "markingtranslator.h"
#include "settingaddressdlg.h"
#include "settingaliasdlg.h"
#include "settingcommondlg.h"
#include "settingposdlg.h"
#include "settingrotatedlg.h"
#include "testdir.h"

#include <QComboBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// The five dialogs, in the order of the table rows below.
BaseSettingDlg *(*const create[])() = {
    []() -> BaseSettingDlg * { return new SettingAddressDlg; },
    []() -> BaseSettingDlg * { return new SettingPosDlg; },
    []() -> BaseSettingDlg * { return new SettingCommonDlg(nullptr, 0); },
    []() -> BaseSettingDlg * { return new SettingAliasDlg; },
    []() -> BaseSettingDlg * { return new SettingRotateDlg; },
};

QLineEdit *editWithTop(QWidget *pDlg, int nTop)
{
    for (QLineEdit *pEdit : pDlg->findChildren<QLineEdit *>()) {
        const auto *pValidator = qobject_cast<const QIntValidator *>(pEdit->validator());
        if (pValidator && pValidator->top() == nTop)
            return pEdit;
    }
    return nullptr;
}

// The title, the labels, then the two buttons.
QStringList shownTexts(QWidget *pDlg)
{
    QStringList texts{pDlg->windowTitle()};
    for (QLabel *pLabel : pDlg->findChildren<QLabel *>())
        texts << pLabel->text();
    for (QPushButton *pButton : pDlg->findChildren<QPushButton *>())
        texts << pButton->text();
    return texts;
}

QStringList comboItems(QWidget *pDlg)
{
    auto *pCombo = pDlg->findChild<QComboBox *>();
    QStringList items;
    for (int i = 0; pCombo && i < pCombo->count(); ++i)
        items << pCombo->itemText(i);
    return items;
}

void retype(QLineEdit *pEdit, const QString &strText)
{
    pEdit->selectAll();
    QTest::keyClick(pEdit, Qt::Key_Backspace);
    QTest::keyClicks(pEdit, strText);
}

void clickButton(QDialog *pDlg, int nIndex)
{
    QTest::mouseClick(pDlg->findChildren<QPushButton *>().value(nIndex), Qt::LeftButton);
}

// Runs the dialog modally; the action plays the operator once the dialog is the active modal widget.
int execWith(QDialog *pDlg, const std::function<void()> &action)
{
    QTimer::singleShot(0, pDlg, [pDlg, action] {
        if (QApplication::activeModalWidget() == pDlg)
            action();
        if (pDlg->isVisible()) // never leave the dialog waiting for a human
            pDlg->done(99);
    });
    return pDlg->exec();
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testdir::enterFresh(); }

    // Texts, a title bar with a close button only, and Ok alone accepting, whichever way the dialog closes.
    void textsFlagsAndClosing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("context"); // empty: the dialog keeps its own texts
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("address") << 0 << "SettingAddressDlg" << QStringList{"Address Setting", "Address"};
        QTest::newRow("position") << 1 << "SettingPosDlg"
                                  << QStringList{"Position Setting", "Start X", "Start Y", "Width", "Height"};
        QTest::newRow("common") << 2 << "SettingCommonDlg" << QStringList{"Resolution Setting", "Resolution"};
        QTest::newRow("alias") << 3 << "SettingAliasDlg" << QStringList{"Alias Setting", "Default", "Alias"};
        QTest::newRow("rotate") << 4 << QString() << QStringList{"Rotate Setting", "Rotate"};
    }
    void textsFlagsAndClosing()
    {
        QFETCH(int, kind);
        QFETCH(QString, context);
        QFETCH(QStringList, texts);
        std::unique_ptr<BaseSettingDlg> pDlg(create[kind]());
        // Qt adds the title and menu hints that a close button implies.
        const Qt::WindowFlags flags = pDlg->windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint) && flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!(flags & (Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint)));
        QCOMPARE(shownTexts(pDlg.get()), texts + QStringList({"Ok", "Cancel"}));
        const QStringList items = comboItems(pDlg.get());

        QStringList translated;
        for (const QString &strText : texts)
            translated << (context.isEmpty() ? strText : context + QLatin1Char(':') + strText);
        translated << QStringLiteral("BaseSettingDlg:Ok") << QStringLiteral("BaseSettingDlg:Cancel");
        // The dialog stays hidden, as its caller keeps it between uses.
        MarkingTranslator translator;
        translator.setInstalled(true);
        QCOMPARE(shownTexts(pDlg.get()), translated);
        QCOMPARE(comboItems(pDlg.get()), items);
        translator.setInstalled(false);
        QCOMPARE(shownTexts(pDlg.get()), texts + QStringList({"Ok", "Cancel"}));

        BaseSettingDlg *pRaw = pDlg.get();
        for (int how = 0; how < 4; ++how) {
            const int nResult = execWith(pRaw, [pRaw, how] {
                if (how < 2) // Ok, Cancel
                    clickButton(pRaw, how);
                else if (how == 2)
                    QTest::keyClick(pRaw, Qt::Key_Escape);
                else
                    pRaw->close();
            });
            QCOMPARE(nResult, how == 0 ? int(QDialog::Accepted) : int(QDialog::Rejected));
        }
    }

    // The address takes 0 to 63 only, whatever is typed; the sub address comes back as it went in.
    void addressDialog_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("sub");
        auto add = [](const char *typed, const char *shown, int nValue, int nSub) {
            QTest::newRow(*typed ? typed : "nothing") << QString(typed) << QString(shown) << nValue << nSub;
        };
        add("63", "63", 63, 4);
        add("64", "6", 6, -1);
        add("639", "63", 63, 255);
        add("-1", "1", 1, 70000);
        add("ab", "", 0, 4);
        add("", "", 0, 4);
    }
    void addressDialog()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, value);
        QFETCH(int, sub);
        SettingAddressDlg dlg;
        dlg.setAddr1(12);
        dlg.setAddr2(sub);
        QLineEdit *pEdit = editWithTop(&dlg, 63);
        QVERIFY(pEdit);
        QCOMPARE(pEdit->text(), QStringLiteral("12"));
        dlg.show();
        QVERIFY(!editWithTop(&dlg, 255)->isVisible());
        retype(pEdit, typed);
        clickButton(&dlg, 0);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(pEdit->text(), shown);
        QCOMPARE(dlg.addr1(), value);
        QCOMPARE(dlg.addr2(), sub);
    }

    void positionFieldsTakeAnyInteger()
    {
        SettingPosDlg dlg;
        dlg.setValues(1, -2, 3000, 4);
        int x = 0, y = 0, width = 0, height = 0;
        dlg.getValues(&x, &y, &width, &height);
        QCOMPARE(QList<int>({x, y, width, height}), QList<int>({1, -2, 3000, 4}));
        const QList<QLineEdit *> edits = dlg.findChildren<QLineEdit *>();
        QCOMPARE(edits.size(), 4);
        const QStringList typed{"-250", "99999", "1x2", ""};
        dlg.show();
        for (int i = 0; i < edits.size(); ++i)
            retype(edits.at(i), typed.at(i));
        clickButton(&dlg, 0);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        dlg.getValues(&x, &y, &width, &height);
        QCOMPARE(QList<int>({x, y, width, height}), QList<int>({-250, 99999, 12, 0}));
        dlg.getValues(&x, nullptr, nullptr, nullptr);
        QCOMPARE(x, -250);
    }

    void commonDialogSwitchesType()
    {
        SettingCommonDlg dlg(nullptr, 0);
        const QStringList resolutions{QString::fromUtf8("1920\u00D71080"), "1280*720", "1024*768"};
        QCOMPARE(comboItems(&dlg), resolutions);
        QTest::keyClick(dlg.findChild<QComboBox *>(), Qt::Key_Down);
        QCOMPARE(dlg.currentText(), QStringLiteral("1280*720"));
        dlg.setType(1);
        QCOMPARE(shownTexts(&dlg).mid(0, 2), QStringList({"Mode Setting", "Mode"}));
        QCOMPARE(comboItems(&dlg), QStringList({"HDMI", "DVI"}));
        QCOMPARE(dlg.currentText(), QStringLiteral("HDMI"));
        dlg.setType(0);
        QCOMPARE(shownTexts(&dlg).mid(0, 2), QStringList({"Resolution Setting", "Resolution"}));
        QCOMPARE(dlg.currentText(), resolutions.first());

        // Any type but 0 is the mode dialog, in every language.
        SettingCommonDlg modeDlg(nullptr, 7);
        QCOMPARE(modeDlg.currentText(), QStringLiteral("HDMI"));
        MarkingTranslator translator;
        translator.setInstalled(true);
        QCOMPARE(shownTexts(&modeDlg).mid(0, 2),
                 QStringList({"SettingCommonDlg:Mode Setting", "SettingCommonDlg:Mode"}));
        translator.setInstalled(false);
    }

    // The alias dialog edits the alias only; the rotate dialog offers the four rotations.
    void aliasAndRotateDialogs()
    {
        SettingAliasDlg alias;
        const QList<QLineEdit *> edits = alias.findChildren<QLineEdit *>();
        QCOMPARE(edits.size(), 2);
        QVERIFY(!edits.at(0)->isEnabled() && edits.at(1)->isEnabled());
        alias.setDefault(QStringLiteral("Scene3"));
        alias.setAlias(QStringLiteral("Hall"));
        QCOMPARE(edits.at(0)->text(), QStringLiteral("Scene3"));
        alias.show();
        QTest::keyClicks(edits.at(1), " 2");
        clickButton(&alias, 0);
        QCOMPARE(alias.result(), int(QDialog::Accepted));
        QCOMPARE(alias.alias(), QStringLiteral("Hall 2"));

        SettingRotateDlg rotate;
        QCOMPARE(comboItems(&rotate), QStringList({"close", "90", "180", "270"}));
        rotate.setCurrentIndex(1);
        rotate.show();
        QTest::keyClick(rotate.findChild<QComboBox *>(), Qt::Key_Down);
        clickButton(&rotate, 0);
        QCOMPARE(rotate.result(), int(QDialog::Accepted));
        QCOMPARE(rotate.currentIndex(), 2);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
