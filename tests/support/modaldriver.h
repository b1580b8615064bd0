#ifndef MODALDRIVER_H
#define MODALDRIVER_H

// Plays the operator on menus and modal dialogs a test opens: they run their own event loop, so the test
// acts on them from a timer.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace modal {

// Calls act on the first active popup or modal widget of type T to show up, looking every 10 ms for about
// three seconds. The watch dies with pGuard, so a test that deletes its guard never acts on a later test's
// widget.
template <typename T>
void whenShown(std::function<void(T *)> act, QObject *pGuard = qApp, int nTries = 300)
{
    QTimer::singleShot(10, pGuard, [act, pGuard, nTries] {
        QWidget *pWidget = QApplication::activePopupWidget();
        if (T *pFound = qobject_cast<T *>(pWidget ? pWidget : QApplication::activeModalWidget()))
            act(pFound);
        else if (nTries > 0)
            whenShown<T>(act, pGuard, nTries - 1);
    });
}

// The first child of type T showing the text (a button, label, radio button...).
template <typename T>
T *withText(const QWidget *pRoot, const QString &strText)
{
    for (T *pWidget : pRoot->findChildren<T *>()) {
        if (pWidget->text() == strText)
            return pWidget;
    }
    return nullptr;
}

} // namespace modal

#endif // MODALDRIVER_H
