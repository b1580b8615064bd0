#ifndef VIEWINPUT_H
#define VIEWINPUT_H

// A graphics view that shows its scene from (0, 0) at the viewport's top-left corner, and the mouse input
// a window system delivers to it. The scene finds the items under the mouse by the global position, so
// every event carries the right one.
#include <QApplication>
#include <QContextMenuEvent>
#include <QGraphicsView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QtTest>

namespace viewinput {

// A mouse event at a point of the widget; presses and releases are of the left button.
inline void mouse(QWidget *pWidget, QEvent::Type type, const QPoint &local, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, pWidget->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(pWidget, &event);
}

// Replaces a field's text by typing, optionally confirming with Enter.
inline void typeInto(QWidget *pField, const QString &strText, bool bConfirm = false)
{
    QTest::keyClick(pField, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(pField, Qt::Key_Delete);
    QTest::keyClicks(pField, strText);
    if (bConfirm)
        QTest::keyClick(pField, Qt::Key_Return);
}

} // namespace viewinput

class SceneView : public QGraphicsView
{
public:
    explicit SceneView(QGraphicsScene *pScene, const QSize &size = QSize(700, 700), double dScale = 1)
        : QGraphicsView(pScene)
    {
        setFrameShape(QFrame::NoFrame);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        resize(size);
        scale(dScale, dScale);
        show();
        horizontalScrollBar()->setValue(0);
        verticalScrollBar()->setValue(0);
        QApplication::setActiveWindow(this);
    }
    bool ready() { return QTest::qWaitForWindowExposed(this) && mapToScene(0, 0) == QPointF(0, 0); }

    void mouse(QEvent::Type type, const QPointF &point, Qt::MouseButtons buttons)
    {
        viewinput::mouse(viewport(), type, mapFromScene(point), buttons);
    }
    void hover(const QPointF &point) { mouse(QEvent::MouseMove, point, Qt::NoButton); }
    void press(const QPointF &point) { mouse(QEvent::MouseButtonPress, point, Qt::LeftButton); }
    void drag(const QPointF &point) { mouse(QEvent::MouseMove, point, Qt::LeftButton); }
    void release(const QPointF &point) { mouse(QEvent::MouseButtonRelease, point, Qt::NoButton); }
    // What the window system delivers for a double click.
    void doubleClick(const QPointF &point)
    {
        press(point);
        release(point);
        press(point);
        mouse(QEvent::MouseButtonDblClick, point, Qt::LeftButton);
        release(point);
    }
    void contextMenu(const QPointF &point)
    {
        const QPoint local = mapFromScene(point);
        QContextMenuEvent event(QContextMenuEvent::Mouse, local, viewport()->mapToGlobal(local));
        QApplication::sendEvent(viewport(), &event);
    }
};

#endif // VIEWINPUT_H
