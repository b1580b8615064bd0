// The setting dialogs as the operator meets them: typed input, Ok / Cancel, and language changes.
#include "settingaddressdlg.h"
#include "settingaliasdlg.h"
#include "settingcommondlg.h"
#include "settingposdlg.h"
#include "settingrotatedlg.h"
#include "testdir.h"

#include <QApplication>
#include <QComboBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Turns every text of the dialogs into "context|source", so a test sees which texts were set again.
class TagTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        const QByteArray ctx(context);
        if (!ctx.startsWith("BaseSettingDlg") && !ctx.startsWith("Setting"))
            return QString();
        return QString::fromLatin1(ctx) + QLatin1Char('|') + QString::fromUtf8(sourceText);
    }
};

enum Kind
{
    Address,
    Pos,
    Common,
    Alias,
    Rotate
};

std::unique_ptr<BaseSettingDlg> create(int nKind)
{
    switch (nKind) {
    case Address:
        return std::make_unique<SettingAddressDlg>();
    case Pos:
        return std::make_unique<SettingPosDlg>();
    case Common:
        return std::make_unique<SettingCommonDlg>(nullptr, 0);
    case Alias:
        return std::make_unique<SettingAliasDlg>();
    default:
        return std::make_unique<SettingRotateDlg>();
    }
}

QLineEdit *editWithTop(QWidget *pDlg, int nTop)
{
    for (QLineEdit *pEdit : pDlg->findChildren<QLineEdit *>()) {
        const auto *pValidator = qobject_cast<const QIntValidator *>(pEdit->validator());
        if (pValidator && pValidator->top() == nTop)
            return pEdit;
    }
    return nullptr;
}

QPushButton *button(QWidget *pDlg, int nIndex)
{
    return pDlg->findChildren<QPushButton *>().value(nIndex);
}

QStringList labelTexts(QWidget *pDlg)
{
    QStringList texts;
    for (QLabel *pLabel : pDlg->findChildren<QLabel *>())
        texts << pLabel->text();
    return texts;
}

// The title, the labels, then the two buttons.
QStringList shownTexts(QWidget *pDlg)
{
    QStringList texts = QStringList{pDlg->windowTitle()} + labelTexts(pDlg);
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

void clickOk(QDialog *pDlg)
{
    QTest::mouseClick(button(pDlg, 0), Qt::LeftButton);
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testdir::enterFresh(); }

    void textsFlagsAndLanguageChange_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("context"); // empty: the dialog keeps its own texts
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("address") << int(Address) << "SettingAddressDlg"
                                 << QStringList{"Address Setting", "Address"};
        QTest::newRow("position") << int(Pos) << "SettingPosDlg"
                                  << QStringList{"Position Setting", "Start X", "Start Y", "Width", "Height"};
        QTest::newRow("common") << int(Common) << "SettingCommonDlg"
                                << QStringList{"Resolution Setting", "Resolution"};
        QTest::newRow("alias") << int(Alias) << "SettingAliasDlg"
                               << QStringList{"Alias Setting", "Default", "Alias"};
        QTest::newRow("rotate") << int(Rotate) << QString() << QStringList{"Rotate Setting", "Rotate"};
    }

    void textsFlagsAndLanguageChange()
    {
        QFETCH(int, kind);
        QFETCH(QString, context);
        QFETCH(QStringList, texts);
        auto pDlg = create(kind);
        QVERIFY(pDlg->isWindow());
        // A title bar with a close button only (Qt adds the title and menu hints that it implies).
        const Qt::WindowFlags flags = pDlg->windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint) && flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!(flags & (Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint)));
        QCOMPARE(shownTexts(pDlg.get()), texts + QStringList({"Ok", "Cancel"}));
        const QStringList items = comboItems(pDlg.get());

        QStringList translated;
        for (const QString &strText : texts)
            translated << (context.isEmpty() ? strText : context + QLatin1Char('|') + strText);
        translated << QStringLiteral("BaseSettingDlg|Ok") << QStringLiteral("BaseSettingDlg|Cancel");
        // The dialog stays hidden, as its caller keeps it between uses.
        TagTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(shownTexts(pDlg.get()), translated);
        QCOMPARE(comboItems(pDlg.get()), items);
        QVERIFY(QCoreApplication::removeTranslator(&translator));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(shownTexts(pDlg.get()), texts + QStringList({"Ok", "Cancel"}));
    }

    void okAcceptsOthersReject()
    {
        for (int kind : {int(Address), int(Pos), int(Common), int(Alias), int(Rotate)}) {
            for (int how = 0; how < 4; ++how) {
                auto pDlg = create(kind);
                BaseSettingDlg *pRaw = pDlg.get();
                const int nResult = execWith(pRaw, [pRaw, how] {
                    if (how < 2) // Ok, Cancel
                        QTest::mouseClick(button(pRaw, how), Qt::LeftButton);
                    else if (how == 2)
                        QTest::keyClick(pRaw, Qt::Key_Escape);
                    else
                        pRaw->close();
                });
                QVERIFY2(nResult == (how == 0 ? QDialog::Accepted : QDialog::Rejected),
                         qPrintable(QStringLiteral("dialog %1, way %2").arg(kind).arg(how)));
            }
        }
    }

    void addressFieldTyping_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("value");
        const struct
        {
            const char *typed, *shown;
            int value;
        } rows[] = {{"63", "63", 63}, {"64", "6", 6}, {"99", "9", 9}, {"639", "63", 63},
                    {"-1", "1", 1},   {"ab", "", 0},  {"", "", 0}};
        for (const auto &row : rows)
            QTest::newRow(QByteArray("typed '").append(row.typed).append('\'').constData())
                << QString(row.typed) << QString(row.shown) << row.value;
    }

    void addressFieldTyping()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, value);
        SettingAddressDlg dlg;
        dlg.setAddr1(12);
        dlg.setAddr2(4);
        QLineEdit *pEdit = editWithTop(&dlg, 63);
        QVERIFY(pEdit);
        QCOMPARE(pEdit->text(), QStringLiteral("12"));
        QCOMPARE(execWith(&dlg,
                          [&] {
                              retype(pEdit, typed);
                              clickOk(&dlg);
                          }),
                 int(QDialog::Accepted));
        QCOMPARE(pEdit->text(), shown);
        QCOMPARE(dlg.addr1(), value);
        QCOMPARE(dlg.addr2(), 4);
    }

    void subAddressComesBackAsItWentIn_data()
    {
        QTest::addColumn<int>("sub");
        QTest::newRow("none") << -1;
        QTest::newRow("top") << 255;
        QTest::newRow("beyond the validator") << 70000;
    }

    void subAddressComesBackAsItWentIn()
    {
        QFETCH(int, sub);
        SettingAddressDlg dlg;
        dlg.setAddr1(-1);
        dlg.setAddr2(sub);
        QLineEdit *pSubEdit = editWithTop(&dlg, 255);
        QVERIFY(pSubEdit);
        bool isSubShown = true;
        const int nResult = execWith(&dlg, [&] {
            isSubShown = pSubEdit->isVisible();
            retype(editWithTop(&dlg, 63), QStringLiteral("42"));
            clickOk(&dlg);
        });
        QCOMPARE(nResult, int(QDialog::Accepted));
        QVERIFY(!isSubShown);
        QCOMPARE(dlg.addr1(), 42);
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
        const int nResult = execWith(&dlg, [&] {
            for (int i = 0; i < edits.size(); ++i)
                retype(edits.at(i), typed.at(i));
            clickOk(&dlg);
        });
        QCOMPARE(nResult, int(QDialog::Accepted));
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
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Mode Setting"));
        QCOMPARE(labelTexts(&dlg), QStringList{"Mode"});
        QCOMPARE(comboItems(&dlg), QStringList({"HDMI", "DVI"}));
        QCOMPARE(dlg.currentText(), QStringLiteral("HDMI"));

        dlg.setType(0);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Resolution Setting"));
        QCOMPARE(labelTexts(&dlg), QStringList{"Resolution"});
        QCOMPARE(comboItems(&dlg), resolutions);
        QCOMPARE(dlg.currentText(), QString::fromUtf8("1920×1080"));

        SettingCommonDlg modeDlg(nullptr, 7);
        QCOMPARE(modeDlg.windowTitle(), QStringLiteral("Mode Setting"));
        QCOMPARE(modeDlg.currentText(), QStringLiteral("HDMI"));
        TagTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(modeDlg.windowTitle(), QStringLiteral("SettingCommonDlg|Mode Setting"));
        QCOMPARE(labelTexts(&modeDlg), QStringList{"SettingCommonDlg|Mode"});
        QCoreApplication::removeTranslator(&translator);
    }

    void aliasAndRotateDialogs()
    {
        SettingAliasDlg alias;
        const QList<QLineEdit *> edits = alias.findChildren<QLineEdit *>();
        QCOMPARE(edits.size(), 2);
        QVERIFY(!edits.at(0)->isEnabled());
        QVERIFY(edits.at(1)->isEnabled());
        QCOMPARE(edits.at(0)->alignment() & edits.at(1)->alignment(), Qt::AlignCenter);
        alias.setDefault(QStringLiteral("Scene3"));
        alias.setAlias(QStringLiteral("Hall"));
        QCOMPARE(edits.at(0)->text(), QStringLiteral("Scene3"));
        QCOMPARE(execWith(&alias,
                          [&] {
                              QTest::keyClicks(edits.at(1), " 2");
                              clickOk(&alias);
                          }),
                 int(QDialog::Accepted));
        QCOMPARE(alias.alias(), QStringLiteral("Hall 2"));

        SettingRotateDlg rotate;
        QCOMPARE(comboItems(&rotate), QStringList({"close", "90", "180", "270"}));
        QVERIFY(qobject_cast<QListView *>(rotate.findChild<QComboBox *>()->view()));
        rotate.setCurrentIndex(1);
        QCOMPARE(execWith(&rotate,
                          [&] {
                              QTest::keyClick(rotate.findChild<QComboBox *>(), Qt::Key_Down);
                              clickOk(&rotate);
                          }),
                 int(QDialog::Accepted));
        QCOMPARE(rotate.currentIndex(), 2);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
