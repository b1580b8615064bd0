// Switching the language of a running main window from the title bar's menu re-translates every frame
// on the screen and the wall's menu, and switching back to English restores the source texts.
#include "mainwindow.h"
#include "signalframe.h"
#include "positionframe.h"
#include "spliceframe.h"
#include "splicescene.h"
#include "testdir.h"
#include "titleframe.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

struct Sample
{
    QObject *object;
    const char *context;
    const char *source;
};

QString shownText(QObject *object)
{
    if (auto *button = qobject_cast<QAbstractButton *>(object))
        return button->text();
    if (auto *label = qobject_cast<QLabel *>(object))
        return label->text();
    if (auto *group = qobject_cast<QGroupBox *>(object))
        return group->title();
    if (auto *action = qobject_cast<QAction *>(object))
        return action->text();
    return QString();
}

template <typename T>
T *withText(QObject *parent, const QString &text)
{
    const auto children = parent->findChildren<T *>();
    for (T *child : children) {
        if (shownText(child) == text)
            return child;
    }
    return nullptr;
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        testdir::enterFresh();
        QDir().mkpath(QStringLiteral("langs"));
        for (const char *name : {"zh-cn.qm", "zh-tw.qm"})
            QVERIFY(QFile::copy(QStringLiteral(VW_BUILD_LANGS_DIR "/") + QLatin1String(name),
                                QStringLiteral("langs/") + QLatin1String(name)));
    }

    void switchingRetranslatesEveryFrame()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *title = window.findChild<TitleFrame *>();
        auto *strip = window.findChild<signalframe *>();
        auto *panel = window.findChild<PositionFrame *>();
        auto *view = window.findChild<SpliceFrmae *>();
        QVERIFY(title && strip && panel && view);

        QList<Sample> samples{
            {withText<QPushButton>(title, QStringLiteral("Connect")), "TitleFrame", "Connect"},
            {withText<QPushButton>(title, QStringLiteral("Setting")), "TitleFrame", "Setting"},
            {withText<QPushButton>(strip, QStringLiteral("Save")), "signalframe", "Save"},
            {withText<QPushButton>(strip, QStringLiteral("Reset")), "signalframe", "Reset"},
            {withText<QGroupBox>(strip, QStringLiteral("Input")), "signalframe", "Input"},
            {withText<QLabel>(panel, QStringLiteral("ID")), "PositionFrame", "ID"},
            {view->scene()->menuActions().value(0), "SpliceScene", "New Window"},
            {view->scene()->menuActions().value(8), "SpliceScene", "Full"},
        };
        for (const Sample &sample : samples)
            QVERIFY2(sample.object, sample.source);
        QPushButton *dp = withText<QPushButton>(strip, QStringLiteral("DP"));
        QVERIFY(dp);

        auto chooseLanguage = [title](const QString &name) {
            QAction *action = withText<QAction>(title, name);
            QVERIFY(action);
            action->trigger();
            QCoreApplication::processEvents();
        };

        for (const QString &language : {QStringLiteral("简体中文"), QStringLiteral("繁体中文")}) {
            chooseLanguage(language);
            for (const Sample &sample : samples) {
                const QString expected = QCoreApplication::translate(sample.context, sample.source);
                QVERIFY2(expected != QLatin1String(sample.source), sample.source);
                QCOMPARE(shownText(sample.object), expected);
            }
            QCOMPARE(window.findChild<QLabel *>(QStringLiteral("titleLabel"))->text(),
                     QCoreApplication::translate("TitleFrame", "视频墙控制系统"));
            // Input names are what the controller's sources are called; they stay as they are.
            QCOMPARE(dp->text(), QStringLiteral("DP"));
        }
        QCOMPARE(withText<QPushButton>(title, QStringLiteral("連線")), samples.at(0).object);

        chooseLanguage(QStringLiteral("English"));
        for (const Sample &sample : samples)
            QCOMPARE(shownText(sample.object), QString::fromUtf8(sample.source));
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
