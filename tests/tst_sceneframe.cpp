// The scene preset buttons: Ctrl-click saves, click loads, "Rename" stores an alias.
#include "appstatus.h"
#include "buttonwithmenu.h"
#include "sceneframe.h"
#include "testdir.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// Runs once the dialog is up: reads its fields, optionally types a new alias, then presses Ok or Cancel.
struct AliasDialogDriver
{
    QDialog *seen = nullptr;
    QString defaultText;
    QString aliasText;

    void arm(const QString &strTyped, bool bAccept, bool bClear = false)
    {
        QTimer::singleShot(0, [this, strTyped, bAccept, bClear] {
            seen = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!seen)
                return;
            const auto edits = seen->findChildren<QLineEdit *>();
            for (QLineEdit *pEdit : edits) {
                if (!pEdit->isVisibleTo(seen))
                    continue;
                if (!pEdit->isEnabled()) {
                    defaultText = pEdit->text();
                } else {
                    aliasText = pEdit->text();
                    if (bClear || !strTyped.isEmpty()) {
                        pEdit->selectAll();
                        QTest::keyClick(pEdit, Qt::Key_Delete);
                        QTest::keyClicks(pEdit, strTyped);
                    }
                }
            }
            if (bAccept)
                seen->accept();
            else
                seen->reject();
        });
    }
};

ButtonWithMenu *button(SceneFrame &frame, int nIndex)
{
    return frame.findChildren<ButtonWithMenu *>().value(nIndex);
}

} // namespace

class TestSceneFrame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { testdir::enterFresh(); }

    void buttonsShowStoredAliases()
    {
        AppStatus::theAppStatus()->setSceneAlias(3, QStringLiteral("Lobby"));
        SceneFrame frame;
        const auto buttons = frame.findChildren<ButtonWithMenu *>();
        QCOMPARE(buttons.size(), 16);
        QCOMPARE(buttons.at(0)->text(), QStringLiteral("SceneAlias01"));
        QCOMPARE(buttons.at(3)->text(), QStringLiteral("Lobby"));
        QCOMPARE(buttons.at(0)->actions().value(0)->text(), QStringLiteral("Rename"));
    }

    void ctrlClickSavesPlainClickLoads()
    {
        SceneFrame frame;
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        QSignalSpy saved(&frame, SIGNAL(saveModel(int)));
        QSignalSpy loaded(&frame, SIGNAL(loadModel(int)));

        ButtonWithMenu *pFifth = button(frame, 5);
        pFifth->setFocus();
        QTest::keyPress(pFifth, Qt::Key_Control);
        QTest::mouseClick(pFifth, Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved.at(0).at(0).toInt(), 5);
        QCOMPARE(loaded.size(), 0);

        QTest::keyRelease(pFifth, Qt::Key_Control);
        QTest::mouseClick(pFifth, Qt::LeftButton);
        QCOMPARE(loaded.size(), 1);
        QCOMPARE(loaded.at(0).at(0).toInt(), 5);
        QCOMPARE(saved.size(), 1);

        // Other keys leave the Ctrl state alone.
        QTest::keyClick(pFifth, Qt::Key_A);
        QTest::mouseClick(button(frame, 15), Qt::LeftButton);
        QCOMPARE(loaded.last().at(0).toInt(), 15);
    }

    void renameStoresAliasAndReusesDialog()
    {
        SceneFrame frame;
        AliasDialogDriver first;
        first.arm(QStringLiteral("Hall B"), true);
        button(frame, 0)->actions().value(0)->trigger();
        QVERIFY(first.seen);
        QCOMPARE(first.defaultText, QStringLiteral("Scene0"));
        QCOMPARE(first.aliasText, QStringLiteral("SceneAlias01"));
        QCOMPARE(button(frame, 0)->text(), QStringLiteral("Hall B"));
        QCOMPARE(AppStatus::theAppStatus()->sceneAlias(0), QStringLiteral("Hall B"));

        AliasDialogDriver second;
        second.arm(QStringLiteral("ignored"), false);
        button(frame, 0)->actions().value(0)->trigger();
        QCOMPARE(second.seen, first.seen);
        QCOMPARE(second.aliasText, QStringLiteral("Hall B"));
        QCOMPARE(button(frame, 0)->text(), QStringLiteral("Hall B"));
        QCOMPARE(AppStatus::theAppStatus()->sceneAlias(0), QStringLiteral("Hall B"));

        AliasDialogDriver third;
        third.arm(QString(), true, true);
        button(frame, 11)->actions().value(0)->trigger();
        QCOMPARE(third.defaultText, QStringLiteral("Scene11"));
        QCOMPARE(button(frame, 11)->text(), QString());
        QCOMPARE(AppStatus::theAppStatus()->sceneAlias(11), QString());
    }
};

QTEST_MAIN(TestSceneFrame)
#include "tst_sceneframe.moc"
