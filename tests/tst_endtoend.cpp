// The whole program through its main window: mouse and keys in, bytes on a pseudo-terminal and files out.
#include "appstatus.h"
#include "commandpacket.h"
#include "commonframe.h"
#include "labelspinbox.h"
#include "mainwindow.h"
#include "messagecapture.h"
#include "modaldriver.h"
#include "modelfile.h"
#include "positionframe.h"
#include "ptypair.h"
#include "sceneframe.h"
#include "signalframe.h"
#include "spliceframe.h"
#include "splicescene.h"
#include "testdir.h"
#include "titleframe.h"
#include "unitwnd.h"
#include "viewinput.h"

#include <QApplication>
#include <QFileDialog>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QtTest>

namespace {

QByteArray posFrame(int nAddr, int nX, int nY, int nWidth, int nHeight)
{
    return packFrame(CommandPacket().makePosition(nX, nY, nWidth, nHeight, nAddr));
}

QByteArray spliceFrame(int nRow, int nColumn)
{
    return packFrame(CommandPacket().makeSplice(0xFF, nRow, nColumn, 0, 0));
}

using modal::withText;

void click(QWidget *pWidget)
{
    QVERIFY(pWidget);
    QTest::mouseClick(pWidget, Qt::LeftButton, Qt::NoModifier, pWidget->rect().center());
}

using viewinput::typeInto;

template <typename T>
QList<T *> topLevels()
{
    QList<T *> found;
    for (QWidget *pWidget : QApplication::topLevelWidgets()) {
        if (auto *pFrame = qobject_cast<T *>(pWidget))
            found << pFrame;
    }
    return found;
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private:
    PtyPair m_pty;
    MainWindow *m_pWindow = nullptr;

    SpliceFrmae *view() const { return m_pWindow->findChild<SpliceFrmae *>(); }
    SpliceScene *scene() const { return view()->scene(); }
    PositionFrame *panel() const { return m_pWindow->findChild<PositionFrame *>(); }
    QByteArray sent() { return m_pty.readAll(100); }

    QSpinBox *spinBox(const QString &strLabel) const
    {
        for (LabelSpinBox *pBox : panel()->findChildren<LabelSpinBox *>()) {
            if (pBox->findChild<QLabel *>()->text() == strLabel)
                return pBox->findChild<QSpinBox *>();
        }
        return nullptr;
    }
    QSpinBox *spinX() const { return spinBox(QStringLiteral("X")); }
    QList<int> spinValues() const
    {
        QList<int> values;
        for (const char *label : {"X", "Y", "Width", "Height"})
            values << spinBox(QLatin1String(label))->value();
        return values;
    }
    QLineEdit *addressField() const
    {
        for (QLineEdit *pEdit : panel()->findChildren<QLineEdit *>()) {
            if (pEdit->maximumWidth() == 22 && pEdit->isVisible())
                return pEdit;
        }
        return nullptr;
    }
    // The address "OK" is the upper of the window group's two.
    QPushButton *addressOk() const
    {
        QPushButton *pTop = nullptr;
        for (QPushButton *pButton : panel()->findChildren<QPushButton *>()) {
            if (pButton->text() == QLatin1String("OK") && (!pTop || pButton->y() < pTop->y()))
                pTop = pButton;
        }
        return pTop;
    }

    void mouse(QEvent::Type type, const QPointF &point, Qt::MouseButtons buttons)
    {
        viewinput::mouse(view()->view()->viewport(), type, view()->view()->mapFromScene(point), buttons);
    }
    void drag(const QPointF &from, const QPointF &to)
    {
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        mouse(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        mouse(QEvent::MouseMove, to, Qt::LeftButton);
    }
    void release(const QPointF &point) { mouse(QEvent::MouseButtonRelease, point, Qt::NoButton); }

    void useFileDialog(const QString &strButton, const QString &strFile)
    {
        modal::whenShown<QWidget>([strFile](QWidget *pModal) {
            auto *pName = pModal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (!pName) {
                pModal->close();
                return;
            }
            QTest::keyClicks(pName, strFile);
            QTest::keyClick(pName, Qt::Key_Return);
        });
        click(withText<QPushButton>(m_pWindow, strButton));
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    void startWindow()
    {
        MessageCapture capture;
        m_pWindow = new MainWindow;
        for (const QString &line : capture.lines())
            QVERIFY2(!line.contains(QLatin1String("QObject::connect")), qPrintable(line));
        m_pWindow->show();
        QApplication::setActiveWindow(m_pWindow);
        QVERIFY(QTest::qWaitForWindowExposed(m_pWindow));
    }

private slots:
    void initTestCase()
    {
        testdir::enterFresh();
        Q_INIT_RESOURCE(resources);
        QFile qss(QStringLiteral(":/qss/resource/qss/skin.qss"));
        QVERIFY(qss.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(qss.readAll()));
        QVERIFY(m_pty.isValid());
        AppStatus::theAppStatus()->setCurrPort(m_pty.slavePath());
    }

    void startUpAndLayout()
    {
        startWindow();
        // Settings above the wall, position panel below, nothing overlapping or squeezed.
        QWidget *pAbove = m_pWindow->findChild<signalframe *>();
        QWidget *pBelow = panel();
        QVERIFY(pAbove->isVisible() && view()->isVisible() && pBelow->isVisible());
        QCOMPARE(pAbove->y(), 10);
        QCOMPARE(view()->y(), pAbove->geometry().bottom() + 1 + 10);
        QCOMPARE(pBelow->y(), view()->geometry().bottom() + 1 + 10);
        QCOMPARE(pBelow->geometry().bottom() + 10, pBelow->parentWidget()->contentsRect().bottom());
        for (QWidget *pFrame : {pAbove, pBelow})
            QVERIFY(pFrame->height() >= pFrame->minimumSizeHint().height());
        QVERIFY(view()->height() > 360);
        for (const char *label : {"X", "Y", "Width", "Height"}) {
            QSpinBox *pSpin = spinBox(QLatin1String(label));
            const QLineEdit *pEdit = pSpin->findChild<QLineEdit *>();
            QVERIFY2(pEdit->width() >
                         pEdit->fontMetrics().horizontalAdvance(QString::number(pSpin->maximum())),
                     label);
        }
        // The scene buttons and common settings exist but are never shown.
        QCOMPARE(topLevels<SceneFrame>().size() + topLevels<CommonFrame>().size(), 2);
        QVERIFY(!topLevels<SceneFrame>().first()->isVisible() &&
                !topLevels<CommonFrame>().first()->isVisible());

        click(withText<QPushButton>(m_pWindow->findChild<TitleFrame *>(), "Connect"));
        QVERIFY(withText<QPushButton>(m_pWindow, "Disconnect")->isEnabled());
        QCOMPARE(sent(), QByteArray());
    }

    void editWindowsOnTheWall()
    {
        MessageCapture capture;
        click(withText<QRadioButton>(panel(), "Irregular Model"));
        QCOMPARE(sent(), spliceFrame(15, 15));
        QVERIFY(AppStatus::theAppStatus()->isOpenModel() && spinX()->isEnabled());
        // The scene hears the model change before the panel refreshes itself.
        const QStringList lines = capture.lines();
        const int heard = lines.indexOf("XXXXXXXXXXXXXXXXXXX AppStatus::theAppStatus()->isOpenModel() true");
        QVERIFY(heard >= 0 && heard < lines.indexOf("onChangeOpenModel"));

        drag(QPointF(20, 20), QPointF(180, 110));
        release(QPointF(180, 110));
        QCOMPARE(scene()->windows().size(), 1);
        UnitWnd *pWnd = scene()->windows().first();
        drag(QPointF(100, 65), QPointF(100, 65));
        release(QPointF(100, 65));
        QVERIFY(pWnd->isSelected());
        QCOMPARE(spinValues(), (QList<int>{120, 120, 960, 540}));
        QCOMPARE(addressField()->text(), QStringLiteral("-1"));

        typeInto(addressField(), "5");
        click(addressOk());
        QCOMPARE(pWnd->address(), Address(5, -1));
        QCOMPARE(sent(), QByteArray());

        // Dragging shows the numbers; only the release sends them.
        drag(QPointF(100, 65), QPointF(130, 80));
        QCOMPARE(spinValues(), (QList<int>{300, 210, 960, 540}));
        QCOMPARE(sent(), QByteArray());
        release(QPointF(130, 80));
        QCOMPARE(sent(), posFrame(5, 300, 210, 960, 540));

        typeInto(spinX(), "600", true);
        QCOMPARE(sent(), posFrame(5, 600, 210, 960, 540));
        QCOMPARE(pWnd->pos(), QPointF(100, 35));

        // A window from the empty-area menu covers whole units: the address button leaves it alone.
        modal::whenShown<QMenu>([](QMenu *pMenu) {
            for (QAction *pAction : pMenu->actions()) {
                if (pAction->text() == QLatin1String("New Window"))
                    pMenu->setActiveAction(pAction);
            }
            QTest::keyClick(pMenu, Qt::Key_Return);
        });
        const QPoint local = view()->view()->mapFromScene(QPointF(410, 295));
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, local,
                                    view()->view()->viewport()->mapToGlobal(local));
        QApplication::sendEvent(view()->view()->viewport(), &menuEvent);
        QCOMPARE(scene()->windows().size(), 2);
        UnitWnd *pUnits = scene()->windows().last();
        drag(QPointF(410, 295), QPointF(410, 295));
        release(QPointF(410, 295));
        QVERIFY(pUnits->isSelected() && !pWnd->isSelected());
        // It reported its place when added; selecting it shows nothing new.
        QCOMPARE(spinValues(), (QList<int>{0, 0, 3840, 2160}));
        typeInto(addressField(), "8");
        click(addressOk());
        QCOMPARE(pUnits->address(), Address(-1, -1));
        QCOMPARE(sent(), QByteArray());
    }

    void modelsAndLayouts()
    {
        MessageCapture capture;
        click(withText<QRadioButton>(panel(), "standard Model"));
        QCOMPARE(sent(), spliceFrame(2, 3));
        QCOMPARE(scene()->windows().size(), 7);
        QVERIFY(!scene()->windows().first()->isVisible());
        QVERIFY(!spinX()->isEnabled() && !addressOk()->isEnabled() && !addressField()->isEnabled());
        QVERIFY(capture.lines().lastIndexOf("new Normal wnd") < capture.lines().indexOf("onChangeOpenModel"));

        click(withText<QRadioButton>(panel(), "Irregular Model"));
        QCOMPARE(sent(), spliceFrame(15, 15));
        QCOMPARE(scene()->windows().size(), 1);
        UnitWnd *pWnd = scene()->windows().first();
        QVERIFY(pWnd->isVisible() && spinX()->isEnabled());

        useFileDialog("Save", "layout.json");
        QVERIFY(QFile::exists("layout.json"));
        pWnd->setSelected(true);
        typeInto(spinX(), "1200", true);
        QCOMPARE(sent(), posFrame(5, 1200, 210, 960, 540));
        QCOMPARE(pWnd->position().x, 1200.0);

        useFileDialog("Load", "layout.json");
        QCOMPARE(scene()->windows().size(), 1);
        QCOMPARE(scene()->windows().first()->position(), Position(600, 210, 960, 540));
        QCOMPARE(sent(), posFrame(5, 600, 210, 960, 540) + packFrame(CommandPacket().makeRotate(0, 5)));
    }

    // Each panel's own bytes are tested with the panel; here the buttons reach the link and the wall.
    void buttonsReachLinkAndWall()
    {
        const QList<QPair<const char *, QByteArray>> buttons{
            {"HDMI2", packFrame(CommandPacket().makeSignal(3))},
            {"Off", packFrame(CommandPacket().makeAddressInfo(false, 0xFF))},
            {"Reset", packFrame(CommandPacket().makeReset(0xFF))}};
        for (const auto &button : buttons) {
            QWidget *pButton = withText<QPushButton>(m_pWindow->findChild<signalframe *>(), button.first);
            click(pButton ? pButton : withText<QRadioButton>(m_pWindow, button.first));
            QCOMPARE(sent(), button.second);
        }
        auto *pMax = m_pWindow->findChild<QPushButton *>(QStringLiteral("maxButton"));
        click(pMax);
        QCOMPARE(view()->view()->transform(), QTransform::fromScale(2, 2));
        click(pMax);
        QCOMPARE(view()->view()->transform(), QTransform());
    }

    void closeAndStartAgain()
    {
        click(m_pWindow->findChild<QPushButton *>(QStringLiteral("closeButton")));
        QVERIFY(!m_pWindow->isVisible());
        delete m_pWindow;
        m_pWindow = nullptr;
        QVERIFY(topLevels<SceneFrame>().isEmpty() && topLevels<CommonFrame>().isEmpty());

        const QList<WndRecord> stored = ModelFile(QStringLiteral("SpliceState.data"), false).items();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored[0], (WndRecord{600, 210, 960, 540, 5, -1, 0, 0}));
        AppStatus::theAppStatus()->save();
        QSettings settings(QStringLiteral("UserData.data"), QSettings::IniFormat);
        settings.beginGroup(QStringLiteral("Config"));
        QCOMPARE(settings.value("openModel").toBool(), true);
        QCOMPARE(settings.value("currPort").toString(), m_pty.slavePath());
        QCOMPARE(settings.value("SpliceColumn").toInt(), 3);

        // The next start rebuilds the wall and tells the controller.
        startWindow();
        QCOMPARE(scene()->windows().size(), 1);
        QCOMPARE(scene()->windows().first()->position(), Position(600, 210, 960, 540));
        QVERIFY(scene()->windows().first()->isVisible());
        QVERIFY(withText<QRadioButton>(panel(), "Irregular Model")->isChecked());
        QCOMPARE(sent(), posFrame(5, 600, 210, 960, 540) + packFrame(CommandPacket().makeRotate(0, 5)));
        delete m_pWindow;
        m_pWindow = nullptr;
    }
};

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
