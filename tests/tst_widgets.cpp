// The small widgets of the panels: the animated switch, the combo button, the button with a menu and
// the labelled fields, driven with mouse and keyboard input.
#include "buttonwithmenu.h"
#include "combobutton.h"
#include "labelline.h"
#include "labelspinbox.h"
#include "messagecapture.h"
#include "modaldriver.h"
#include "switchcontrol.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

namespace {

bool closeTo(QRgb actual, const QColor &expected)
{
    return qAbs(qRed(actual) - expected.red()) <= 2 && qAbs(qGreen(actual) - expected.green()) <= 2 &&
           qAbs(qBlue(actual) - expected.blue()) <= 2;
}

// A colour painted with the given opacity over white.
QColor overWhite(const QColor &colour, double dOpacity)
{
    auto blend = [dOpacity](int c) { return qRound(255 * (1 - dOpacity) + c * dOpacity); };
    return QColor(blend(colour.red()), blend(colour.green()), blend(colour.blue()));
}

} // namespace

class TestWidgets : public QObject
{
    Q_OBJECT

private slots:
    void switchTogglesOnlyWithEnabledLeftButton_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("toggles");
        QTest::newRow("left") << int(Qt::LeftButton) << true << true;
        QTest::newRow("right") << int(Qt::RightButton) << true << false;
        QTest::newRow("middle") << int(Qt::MiddleButton) << true << false;
        QTest::newRow("left on disabled") << int(Qt::LeftButton) << false << false;
    }

    void switchTogglesOnlyWithEnabledLeftButton()
    {
        QFETCH(int, button);
        QFETCH(bool, enabled);
        QFETCH(bool, toggles);
        SwitchControl control(nullptr, false);
        control.setEnabled(enabled);
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
        QSignalSpy spy(&control, SIGNAL(toggled(bool)));

        QTest::mouseClick(&control, Qt::MouseButton(button), Qt::NoModifier, QPoint(20, 12));
        QCOMPARE(control.isChecked(), toggles);
        QCOMPARE(spy.count(), toggles ? 1 : 0);
    }

    void switchPainting_data()
    {
        QTest::addColumn<bool>("checked");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QPoint>("trackPixel");
        QTest::addColumn<QColor>("track");
        QTest::addColumn<QColor>("thumb");
        const QColor grey(198, 201, 204);
        const QColor blue(33, 150, 243);
        // The thumb covers x 0..24 when off and 16..40 when on; the track pixel lies beside it.
        QTest::newRow("off") << false << true << QPoint(32, 12) << overWhite(grey, 0.8) << blue;
        QTest::newRow("disabled") << false << false << QPoint(32, 12) << overWhite(grey, 0.26)
                                  << QColor(190, 190, 190);
        QTest::newRow("on") << true << true << QPoint(8, 12) << overWhite(blue, 0.6) << blue;
        QTest::newRow("on and disabled")
            << true << false << QPoint(8, 12) << overWhite(grey, 0.26) << QColor(190, 190, 190);
    }

    void switchPainting()
    {
        QFETCH(bool, checked);
        QFETCH(bool, enabled);
        QFETCH(QPoint, trackPixel);
        QFETCH(QColor, track);
        QFETCH(QColor, thumb);
        SwitchControl control(nullptr, checked);
        control.setEnabled(enabled);
        control.resize(40, 24);
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));

        QImage image(40, 24, QImage::Format_ARGB32);
        image.fill(Qt::white);
        control.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        QVERIFY2(closeTo(image.pixel(trackPixel), track),
                 qPrintable(QColor(image.pixel(trackPixel)).name() + " != " + track.name()));
        const QPoint thumbCentre(int(control.thumbX()) + 4, 12);
        QVERIFY2(closeTo(image.pixel(thumbCentre), thumb),
                 qPrintable(QColor(image.pixel(thumbCentre)).name() + " != " + thumb.name()));
    }

    void switchStrokesAndReversals()
    {
        SwitchControl control(nullptr, false);
        QCOMPARE(control.sizeHint(), QSize(40, 24));
        control.resize(40, 24);
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
        QSignalSpy spy(&control, SIGNAL(toggled(bool)));

        // The signal comes at the start of the stroke; the thumb stops at w - 16.
        QTest::mouseClick(&control, Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(control.thumbX(), 8.0);
        QTRY_COMPARE(control.thumbX(), 24.0);
        QTest::qWait(60);
        QCOMPARE(control.thumbX(), 24.0);

        // No events are processed between these steps, so the ticks are exactly the ones called here.
        QTest::mouseClick(&control, Qt::LeftButton);
        for (int i = 0; i < 5; ++i)
            control.onTimeout();
        QCOMPARE(control.thumbX(), 19.0);
        QTest::mouseClick(&control, Qt::LeftButton);
        control.onTimeout();
        QCOMPARE(control.thumbX(), 20.0);
        QTest::mouseClick(&control, Qt::LeftButton);
        QCOMPARE(spy.count(), 4);
        QCOMPARE(spy.at(2).at(0).toBool(), true);
        QCOMPARE(spy.at(3).at(0).toBool(), false);
        QTRY_COMPARE(control.thumbX(), 8.0);
        QTest::qWait(60);
        QCOMPARE(control.thumbX(), 8.0);
    }

    void switchResizePlacesThumb_data()
    {
        QTest::addColumn<bool>("checked");
        QTest::addColumn<int>("width");
        QTest::addColumn<double>("x");
        QTest::newRow("on, 40") << true << 40 << 24.0;
        QTest::newRow("on, 120") << true << 120 << 24.0;
        QTest::newRow("off, 120") << false << 120 << 8.0;
    }

    void switchResizePlacesThumb()
    {
        QFETCH(bool, checked);
        QFETCH(int, width);
        QFETCH(double, x);
        SwitchControl control(nullptr, checked);
        control.resize(100, 30);
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
        MessageCapture capture;
        control.resize(width, 24);
        QCOMPARE(control.thumbX(), x);
        QVERIFY(capture.contains(QString::number(x)));
    }

    // The combo button relays its button's clicks; the button with a menu triggers from its menu only.
    void buttons()
    {
        ComboButton combo;
        combo.addItems({QStringLiteral("a"), QStringLiteral("b")});
        combo.setItemText(1, QStringLiteral("B"));
        combo.setButtonText(QStringLiteral("OK"));
        combo.setCurrentText(QStringLiteral("B"));
        QCOMPARE(combo.currentIndex(), 1);
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        QSignalSpy comboClicks(&combo, SIGNAL(clicked(bool)));
        QCOMPARE(combo.findChild<QPushButton *>()->text(), QStringLiteral("OK"));
        QTest::mouseClick(combo.findChild<QPushButton *>(), Qt::LeftButton);
        QTest::mouseClick(combo.findChild<QComboBox *>(), Qt::RightButton);
        QCOMPARE(comboClicks.count(), 1);

        ButtonWithMenu button(QStringLiteral("Scene 1"));
        button.setActionText(QStringLiteral("Save"));
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy triggers(&button, SIGNAL(trigger()));
        QSignalSpy clicks(&button, SIGNAL(clicked(bool)));
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(triggers.count(), 0);
        QStringList entries;
        modal::whenShown<QMenu>([&entries](QMenu *pMenu) {
            for (QAction *pAction : pMenu->actions())
                entries << pAction->text();
            QAction *pFirst = pMenu->actions().value(0);
            if (pFirst)
                QTest::mouseClick(pMenu, Qt::LeftButton, Qt::NoModifier,
                                  pMenu->actionGeometry(pFirst).center());
            else
                pMenu->close();
        });
        const QPoint pos = button.rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, button.mapToGlobal(pos));
        QApplication::sendEvent(&button, &event);
        QCOMPARE(entries, QStringList{"Save"});
        QCOMPARE(triggers.count(), 1);
        QCOMPARE(clicks.count(), 1);
    }

    // The line edit holds 38 characters at most; the spin box clamps, and confirms typing with Return only.
    void labelledFields()
    {
        LabelLine line(QStringLiteral("Row"), QStringLiteral("2"));
        QCOMPARE(line.findChild<QLabel *>()->text(), QStringLiteral("Row"));
        QCOMPARE(line.text(), QStringLiteral("2"));
        line.setText(7);
        QCOMPARE(line.text(), QStringLiteral("7"));
        QLineEdit *edit = line.findChild<QLineEdit *>();
        edit->selectAll();
        QTest::keyClicks(edit, QString(50, QLatin1Char('x')));
        QCOMPARE(line.text(), QString(38, QLatin1Char('x')));

        LabelSpinBox box(QStringLiteral("X"), 5);
        box.setRange(0, 3840);
        QCOMPARE(box.value(), 5);
        QCOMPARE(box.findChild<QLabel *>()->text(), QStringLiteral("X"));
        box.setValue(4000);
        QCOMPARE(box.value(), 3840);
        box.setValue(-20);
        QCOMPARE(box.value(), 0);
        QSpinBox *spin = box.findChild<QSpinBox *>();
        QSignalSpy spy(&box, SIGNAL(valueChanged(int)));
        spin->selectAll();
        QTest::keyClicks(spin, QStringLiteral("123"));
        QCOMPARE(spy.count(), 0);
        QTest::keyClick(spin, Qt::Key_Return);
        QTest::keyClick(spin, Qt::Key_Up);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toInt(), 123);
        QCOMPARE(box.value(), 124);

        // Setting the value it holds still replaces a number typed but not confirmed.
        spin->selectAll();
        QTest::keyClicks(spin, QStringLiteral("9"));
        box.setValue(124);
        QCOMPARE(spin->text(), QStringLiteral("124"));
        QCOMPARE(spy.count(), 2);
    }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
