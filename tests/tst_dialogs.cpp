// The setting dialogs as the operator meets them: typed input, Ok / Cancel, and language changes.
#include "settingaddressdlg.h"
#include "settingaliasdlg.h"
#include "settingcommondlg.h"
#include "settingposdlg.h"
#include "settingrotatedlg.h"
#include "testdir.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
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

// Translates every text of the dialogs to "context|source", so a test sees which texts were set again.
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
    const QList<QPushButton *> buttons = pDlg->findChildren<QPushButton *>();
    return buttons.value(nIndex);
}

QStringList labelTexts(QWidget *pDlg)
{
    QStringList texts;
    for (QLabel *pLabel : pDlg->findChildren<QLabel *>())
        texts << pLabel->text();
    return texts;
}

QStringList comboItems(QComboBox *pCombo)
{
    QStringList items;
    for (int i = 0; i < pCombo->count(); ++i)
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
        if (QApplication::activeModalWidget() != pDlg) {
            pDlg->done(99);
            return;
        }
        action();
    });
    // Ends a dialog that the action failed to close, so that no test waits for a human.
    QTimer::singleShot(20000, pDlg, [pDlg] {
        if (pDlg->isVisible())
            pDlg->done(98);
    });
    return pDlg->exec();
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testdir::enterFresh(); }

    void frameOfEveryDialog_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("address") << int(Address) << "Address Setting" << QStringList{"Address"};
        QTest::newRow("position") << int(Pos) << "Position Setting"
                                  << QStringList{"Start X", "Start Y", "Width", "Height"};
        QTest::newRow("common") << int(Common) << "Resolution Setting" << QStringList{"Resolution"};
        QTest::newRow("alias") << int(Alias) << "Alias Setting" << QStringList{"Default", "Alias"};
        QTest::newRow("rotate") << int(Rotate) << "Rotate Setting" << QStringList{"Rotate"};
    }

    void frameOfEveryDialog()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QStringList, labels);
        auto pDlg = create(kind);
        QCOMPARE(pDlg->parentWidget(), nullptr);
        QCOMPARE(pDlg->windowTitle(), title);
        QCOMPARE(labelTexts(pDlg.get()), labels);
        // A title bar with a close button only; Qt adds the title and system menu hints that it implies.
        const Qt::WindowFlags flags = pDlg->windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!(flags & (Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint)));
        QVERIFY(pDlg->isWindow());
        QCOMPARE(pDlg->findChildren<QPushButton *>().size(), 2);
        QCOMPARE(button(pDlg.get(), 0)->text(), QStringLiteral("Ok"));
        QCOMPARE(button(pDlg.get(), 1)->text(), QStringLiteral("Cancel"));

        pDlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(pDlg.get()));
        // Ok stands left of Cancel, both pushed to the right end below the content.
        pDlg->resize(600, pDlg->height());
        QTRY_COMPARE(pDlg->width(), 600);
        QVERIFY(button(pDlg.get(), 0)->x() < button(pDlg.get(), 1)->x());
        QVERIFY(button(pDlg.get(), 0)->x() > pDlg->width() / 3);
        for (QLabel *pLabel : pDlg->findChildren<QLabel *>())
            QVERIFY(pLabel->y() < button(pDlg.get(), 0)->y());
    }

    void resultsOfOkCancelEscapeClose_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("result");
        for (int kind : {int(Address), int(Pos), int(Common), int(Alias), int(Rotate)}) {
            const QByteArray name = QByteArray::number(kind);
            QTest::newRow(name + " ok") << kind << 0 << int(QDialog::Accepted);
            QTest::newRow(name + " cancel") << kind << 1 << int(QDialog::Rejected);
            QTest::newRow(name + " escape") << kind << 2 << int(QDialog::Rejected);
            QTest::newRow(name + " close") << kind << 3 << int(QDialog::Rejected);
        }
    }

    void resultsOfOkCancelEscapeClose()
    {
        QFETCH(int, kind);
        QFETCH(int, how);
        QFETCH(int, result);
        auto pDlg = create(kind);
        BaseSettingDlg *pRaw = pDlg.get();
        const int nResult = execWith(pRaw, [pRaw, how] {
            if (how == 0)
                QTest::mouseClick(button(pRaw, 0), Qt::LeftButton);
            else if (how == 1)
                QTest::mouseClick(button(pRaw, 1), Qt::LeftButton);
            else if (how == 2)
                QTest::keyClick(pRaw, Qt::Key_Escape);
            else
                pRaw->close();
        });
        QCOMPARE(nResult, result);
        QVERIFY(!pDlg->isVisible());
    }

    void addressFieldTyping_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("value");
        QTest::newRow("zero") << "0"
                              << "0" << 0;
        QTest::newRow("five") << "5"
                              << "5" << 5;
        QTest::newRow("top") << "63"
                             << "63" << 63;
        QTest::newRow("64 refused") << "64"
                                    << "6" << 6;
        QTest::newRow("99 refused") << "99"
                                    << "9" << 9;
        QTest::newRow("three digits") << "100"
                                      << "10" << 10;
        QTest::newRow("639") << "639"
                             << "63" << 63;
        QTest::newRow("negative") << "-1"
                                  << "1" << 1;
        QTest::newRow("minus only") << "-"
                                    << "" << 0;
        QTest::newRow("letters") << "ab"
                                 << "" << 0;
        QTest::newRow("empty") << ""
                               << "" << 0;
    }

    void addressFieldTyping()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, value);
        SettingAddressDlg dlg;
        dlg.setAddr1(12);
        QLineEdit *pEdit = editWithTop(&dlg, 63);
        QVERIFY(pEdit);
        QCOMPARE(pEdit->text(), QStringLiteral("12"));
        retype(pEdit, typed);
        QCOMPARE(pEdit->text(), shown);
        QCOMPARE(dlg.addr1(), value);
    }

    void addressAcceptedCarriesSubAddress_data()
    {
        QTest::addColumn<int>("sub");
        QTest::newRow("none") << -1;
        QTest::newRow("zero") << 0;
        QTest::newRow("top") << 255;
        QTest::newRow("beyond the validator") << 70000;
    }

    void addressAcceptedCarriesSubAddress()
    {
        QFETCH(int, sub);
        SettingAddressDlg dlg;
        dlg.setAddr1(-1);
        dlg.setAddr2(sub);
        QLineEdit *pSubEdit = editWithTop(&dlg, 255);
        QVERIFY(pSubEdit);
        const int nResult = execWith(&dlg, [&dlg, pSubEdit] {
            QVERIFY(!pSubEdit->isVisible());
            retype(editWithTop(&dlg, 63), QStringLiteral("42"));
            QTest::mouseClick(button(&dlg, 0), Qt::LeftButton);
        });
        QCOMPARE(nResult, int(QDialog::Accepted));
        QCOMPARE(dlg.addr1(), 42);
        QCOMPARE(dlg.addr2(), sub);

        // Reused: the caller's new values replace what was typed before.
        dlg.setAddr1(7);
        dlg.setAddr2(3);
        QCOMPARE(execWith(&dlg, [&dlg] { QTest::mouseClick(button(&dlg, 0), Qt::LeftButton); }),
                 int(QDialog::Accepted));
        QCOMPARE(dlg.addr1(), 7);
        QCOMPARE(dlg.addr2(), 3);
    }

    void emptyAddressAcceptedReadsZero()
    {
        SettingAddressDlg dlg;
        dlg.setAddr1(9);
        dlg.setAddr2(4);
        const int nResult = execWith(&dlg, [&dlg] {
            retype(editWithTop(&dlg, 63), QString());
            QTest::keyClick(button(&dlg, 0), Qt::Key_Space);
        });
        QCOMPARE(nResult, int(QDialog::Accepted));
        QCOMPARE(dlg.addr1(), 0);
        QCOMPARE(dlg.addr2(), 4);
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
            QTest::mouseClick(button(&dlg, 0), Qt::LeftButton);
        });
        QCOMPARE(nResult, int(QDialog::Accepted));
        QCOMPARE(edits.at(2)->text(), QStringLiteral("12"));
        dlg.getValues(&x, &y, &width, &height);
        QCOMPARE(QList<int>({x, y, width, height}), QList<int>({-250, 99999, 12, 0}));

        // The caller may ask for only some of the values.
        x = 5;
        dlg.getValues(&x, nullptr, nullptr, nullptr);
        QCOMPARE(x, -250);
    }

    void commonDialogSwitchesType()
    {
        SettingCommonDlg dlg(nullptr, 0);
        auto *pCombo = dlg.findChild<QComboBox *>();
        QVERIFY(pCombo);
        const QStringList resolutions{QString::fromUtf8("1920\u00D71080"), "1280*720", "1024*768"};
        QCOMPARE(comboItems(pCombo), resolutions);
        QCOMPARE(dlg.currentText(), QString::fromUtf8("1920×1080"));

        QTest::keyClick(pCombo, Qt::Key_Down);
        QCOMPARE(dlg.currentText(), QStringLiteral("1280*720"));

        dlg.setType(1);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Mode Setting"));
        QCOMPARE(labelTexts(&dlg), QStringList{"Mode"});
        QCOMPARE(comboItems(pCombo), QStringList({"HDMI", "DVI"}));
        QCOMPARE(pCombo->currentIndex(), 0);
        QCOMPARE(dlg.currentText(), QStringLiteral("HDMI"));

        dlg.setType(0);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Resolution Setting"));
        QCOMPARE(labelTexts(&dlg), QStringList{"Resolution"});
        QCOMPARE(comboItems(pCombo), resolutions);
        QCOMPARE(pCombo->currentIndex(), 0);

        dlg.setType(7);
        QCOMPARE(comboItems(pCombo), QStringList({"HDMI", "DVI"}));

        SettingCommonDlg modeDlg(nullptr, 1);
        QCOMPARE(modeDlg.windowTitle(), QStringLiteral("Mode Setting"));
        QCOMPARE(modeDlg.currentText(), QStringLiteral("HDMI"));

        dlg.setType(0);
        const int nResult = execWith(&dlg, [&] {
            QTest::keyClick(pCombo, Qt::Key_Down);
            QTest::keyClick(pCombo, Qt::Key_Down);
            QTest::mouseClick(button(&dlg, 0), Qt::LeftButton);
        });
        QCOMPARE(nResult, int(QDialog::Accepted));
        QCOMPARE(dlg.currentText(), QStringLiteral("1024*768"));
    }

    void aliasDialogFields()
    {
        SettingAliasDlg dlg;
        const QList<QLineEdit *> edits = dlg.findChildren<QLineEdit *>();
        QCOMPARE(edits.size(), 2);
        QLineEdit *pDefault = edits.at(0);
        QLineEdit *pAlias = edits.at(1);
        QVERIFY(!pDefault->isEnabled());
        QVERIFY(pAlias->isEnabled());
        QCOMPARE(pDefault->alignment(), Qt::AlignCenter);
        QCOMPARE(pAlias->alignment(), Qt::AlignCenter);
        QVERIFY(qobject_cast<QFormLayout *>(dlg.findChild<QFormLayout *>()));

        dlg.setDefault(QStringLiteral("Scene3"));
        dlg.setAlias(QStringLiteral("Hall"));
        QCOMPARE(pDefault->text(), QStringLiteral("Scene3"));
        QCOMPARE(dlg.alias(), QStringLiteral("Hall"));

        const int nResult = execWith(&dlg, [&] {
            QTest::keyClicks(pDefault, QStringLiteral("xyz"));
            retype(pAlias, QStringLiteral("Hall 2"));
            // Characters beyond ASCII arrive as key events that carry only their text.
            QTest::sendKeyEvent(QTest::Click, pAlias, Qt::Key_unknown, QString::fromUtf8("厅"),
                                Qt::NoModifier);
            QTest::mouseClick(button(&dlg, 0), Qt::LeftButton);
        });
        QCOMPARE(nResult, int(QDialog::Accepted));
        QCOMPARE(pDefault->text(), QStringLiteral("Scene3"));
        QCOMPARE(dlg.alias(), QString::fromUtf8("Hall 2厅"));
    }

    void rotateDialogList()
    {
        SettingRotateDlg dlg;
        auto *pCombo = dlg.findChild<QComboBox *>();
        QVERIFY(pCombo);
        QCOMPARE(comboItems(pCombo), QStringList({"close", "90", "180", "270"}));
        QVERIFY(qobject_cast<QListView *>(pCombo->view()));
        for (int i = 0; i < 4; ++i) {
            dlg.setCurrentIndex(i);
            QCOMPARE(dlg.currentIndex(), i);
            QCOMPARE(pCombo->currentIndex(), i);
        }
        dlg.setCurrentIndex(1);
        const int nResult = execWith(&dlg, [&] {
            QTest::keyClick(pCombo, Qt::Key_Down);
            QTest::mouseClick(button(&dlg, 0), Qt::LeftButton);
        });
        QCOMPARE(nResult, int(QDialog::Accepted));
        QCOMPARE(dlg.currentIndex(), 2);
    }

    void languageChange_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("address") << int(Address) << "SettingAddressDlg|Address Setting"
                                 << QStringList{"SettingAddressDlg|Address"};
        QTest::newRow("position") << int(Pos) << "SettingPosDlg|Position Setting"
                                  << QStringList{"SettingPosDlg|Start X", "SettingPosDlg|Start Y",
                                                 "SettingPosDlg|Width", "SettingPosDlg|Height"};
        QTest::newRow("common") << int(Common) << "SettingCommonDlg|Mode Setting"
                                << QStringList{"SettingCommonDlg|Mode"};
        QTest::newRow("alias") << int(Alias) << "SettingAliasDlg|Alias Setting"
                               << QStringList{"SettingAliasDlg|Default", "SettingAliasDlg|Alias"};
        QTest::newRow("rotate keeps its texts") << int(Rotate) << "Rotate Setting" << QStringList{"Rotate"};
    }

    void languageChange()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QStringList, labels);
        auto pDlg = create(kind);
        if (kind == Common)
            static_cast<SettingCommonDlg *>(pDlg.get())->setType(1);
        const QString strOldTitle = pDlg->windowTitle();
        const QStringList oldLabels = labelTexts(pDlg.get());

        // The dialog stays hidden, as the callers keep it between uses.
        TagTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(pDlg->windowTitle(), title);
        QCOMPARE(labelTexts(pDlg.get()), labels);
        QCOMPARE(button(pDlg.get(), 0)->text(), QStringLiteral("BaseSettingDlg|Ok"));
        QCOMPARE(button(pDlg.get(), 1)->text(), QStringLiteral("BaseSettingDlg|Cancel"));

        QVERIFY(QCoreApplication::removeTranslator(&translator));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QCOMPARE(pDlg->windowTitle(), strOldTitle);
        QCOMPARE(labelTexts(pDlg.get()), oldLabels);
        QCOMPARE(button(pDlg.get(), 0)->text(), QStringLiteral("Ok"));
    }

    void comboItemsAreNotTranslated()
    {
        SettingRotateDlg rotate;
        SettingCommonDlg common(nullptr, 0);
        TagTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        SettingRotateDlg fresh;
        QCOMPARE(fresh.windowTitle(), QStringLiteral("SettingRotateDlg|Rotate Setting"));
        QCOMPARE(comboItems(fresh.findChild<QComboBox *>()), QStringList({"close", "90", "180", "270"}));
        QCOMPARE(comboItems(rotate.findChild<QComboBox *>()), QStringList({"close", "90", "180", "270"}));
        QCOMPARE(common.currentText(), QString::fromUtf8("1920×1080"));
        QVERIFY(QCoreApplication::removeTranslator(&translator));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
