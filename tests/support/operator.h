#ifndef OPERATOR_H
#define OPERATOR_H

// Plays an operator on the wall view and the widgets around it with real input, from a script: steps
// separated by ';', points in scene units as "x,y". drag/rdrag P1 P2 ... (left/right button), click P,
// dblclick P, key K (Left, Ctrl+Z ...), hold K N M (pressed, N repeats, the events of that time handled, M
// more repeats, released), menu P ENTRY (right-click, choose), button [Ctrl+]TEXT[#N] (the Nth visible one
// with that text or object name), bmenu TEXT|ENTRY (a button's menu), action TEXT (a menu entry, as chosen),
// field LABEL V (type, Enter), answer V1,V2 (the next dialog: its fields in turn,
// or its list, then Ok; "cancel" cancels; a file dialog takes V1 as the name; a message box the button V1,
// else its default). A message box's text is kept in messages; an unexpected dialog, or one that stays open
// after its answer (it refused the values), is closed and noted there.
#include "testsupport.h"
#include "unitwnd.h"
#include "wndrecord.h"

namespace vt {

// The scene's windows in the order they were added.
inline QList<UnitWnd *> windowsOf(QGraphicsScene *pScene)
{
    QList<UnitWnd *> windows;
    for (QGraphicsItem *pItem : pScene->items(Qt::AscendingOrder)) {
        if (auto *pWnd = dynamic_cast<UnitWnd *>(pItem))
            windows << pWnd;
    }
    return windows;
}

// Windows as "x,y,w,h" in wall units, then " aN" for an address, " t1" for a unit window, " rN" for a
// rotation, " hidden"; "; " between windows. records() reads the same form, with " sN" for the sub
// address (0 with an address, -1 without), as a layout in memory keeps it.
inline QString windows(QGraphicsScene *pScene)
{
    QStringList out;
    for (UnitWnd *pWnd : windowsOf(pScene)) {
        const Position p = pWnd->position();
        QString line = QStringLiteral("%1,%2,%3,%4").arg(p.x).arg(p.y).arg(p.width).arg(p.height);
        if (pWnd->address().first != -1)
            line += QStringLiteral(" a%1").arg(pWnd->address().first);
        line += QString(pWnd->type() == 1 ? " t1" : "") +
                (pWnd->rotate() ? QStringLiteral(" r%1").arg(pWnd->rotate()) : "");
        out << line + (pWnd->isVisible() ? "" : " hidden");
    }
    return out.join("; ");
}
inline QList<WndRecord> records(const QString &strLayout)
{
    QList<WndRecord> out;
    for (const QString &strWindow : strLayout.split(';', Qt::SkipEmptyParts)) {
        QStringList words = strWindow.simplified().split(' ');
        const QStringList r = words.takeFirst().split(',');
        WndRecord record{r[0].toDouble(), r[1].toDouble(), r[2].toDouble(), r[3].toDouble(), -1, -1, 0, 0};
        for (const QString &word : words) {
            const int n = word.mid(1).toInt();
            if (word[0] == 'a')
                record.subAddress = qMax(record.subAddress, 0);
            *(word[0] == 'a'   ? &record.address
              : word[0] == 's' ? &record.subAddress
              : word[0] == 't' ? &record.type
                               : &record.rotate) = n;
        }
        out << record;
    }
    return out;
}

class Operator
{
public:
    explicit Operator(QGraphicsView *pView, QWidget *pRoot = nullptr)
        : m_pView(pView), m_pRoot(pRoot ? pRoot : pView)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { onModal(); });
        m_timer.start(10);
    }
    QStringList menuEntries;
    QStringList messages;
    // What the fields of the last dialog answered showed before typing.
    QStringList dialogFields;

    // Runs the steps; returns what could not be done ("" when all went).
    QString run(const QString &strScript)
    {
        for (const QString &strStep : strScript.split(';', Qt::SkipEmptyParts)) {
            QStringList words = strStep.simplified().split(' ');
            const QString verb = words.takeFirst(), rest = words.join(' '),
                          last = words.value(words.size() - 1);
            const QString label = words.mid(0, words.size() - 1).join(' ');
            if (verb == "drag" || verb == "rdrag") {
                const Qt::MouseButton button = verb == "drag" ? Qt::LeftButton : Qt::RightButton;
                mouse(QEvent::MouseMove, words.first(), Qt::NoButton, Qt::NoButton);
                mouse(QEvent::MouseButtonPress, words.first(), button, button);
                for (const QString &word : words.mid(1))
                    mouse(QEvent::MouseMove, word, button, Qt::NoButton);
                mouse(QEvent::MouseButtonRelease, last, Qt::NoButton, button);
            } else if (verb == "click" || verb == "dblclick") {
                mouse(QEvent::MouseButtonPress, rest);
                mouse(QEvent::MouseButtonRelease, rest, Qt::NoButton);
                if (verb == "dblclick") {
                    mouse(QEvent::MouseButtonPress, rest);
                    mouse(QEvent::MouseButtonDblClick, rest);
                    mouse(QEvent::MouseButtonRelease, rest, Qt::NoButton);
                }
            } else if (verb == "key") {
                // Keys go to the active window, as an operator types into the window in front.
                QApplication::setActiveWindow(m_pView->window());
                const int key = QKeySequence(rest)[0];
                QTest::keyClick(m_pView, Qt::Key(key & ~Qt::KeyboardModifierMask),
                                Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
            } else if (verb == "hold") {
                QApplication::setActiveWindow(m_pView->window());
                const int key = QKeySequence(words.value(0))[0];
                // As X sends a held key: a release and a press for each repeat, both marked as repeats.
                auto send = [this, key](QEvent::Type type, bool bRepeat) {
                    QKeyEvent event(type, key & ~Qt::KeyboardModifierMask,
                                    Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask), QString(),
                                    bRepeat);
                    QApplication::sendEvent(m_pView, &event);
                };
                send(QEvent::KeyPress, false);
                for (int i = 0; i < words.value(1).toInt() + words.value(2).toInt(); ++i) {
                    if (i == words.value(1).toInt())
                        QCoreApplication::processEvents();
                    send(QEvent::KeyRelease, true);
                    send(QEvent::KeyPress, true);
                }
                send(QEvent::KeyRelease, false);
            } else if (verb == "menu") {
                menuEntries = QStringList{"no menu"};
                m_menuEntry = words.mid(1).join(' ');
                const QPoint local = m_pView->mapFromScene(point(words.first()));
                QContextMenuEvent event(QContextMenuEvent::Mouse, local,
                                        m_pView->viewport()->mapToGlobal(local));
                QApplication::sendEvent(m_pView->viewport(), &event);
                m_menuEntry.clear();
                if (!menuEntries.contains(words.mid(1).join(' ')))
                    return "no menu entry " + strStep;
            } else if (verb == "answer") {
                m_answers << rest.split(',');
            } else if (verb == "button" || verb == "bmenu") {
                const bool isCtrl = rest.startsWith("Ctrl+");
                const QString name = rest.mid(isCtrl ? 5 : 0).section('#', 0, 0).section('|', 0, 0);
                QList<QAbstractButton *> buttons;
                for (QAbstractButton *pButton : m_pRoot->findChildren<QAbstractButton *>()) {
                    if ((pButton->text() == name || pButton->objectName() == name) &&
                        pButton->isVisibleTo(m_pRoot) && pButton->isEnabled())
                        buttons << pButton;
                }
                const int nth = qMax(1, rest.section('#', 1).section('|', 0, 0).toInt());
                if (buttons.size() < nth)
                    return "no enabled button " + rest;
                QAbstractButton *pButton = buttons.at(nth - 1);
                if (verb == "button") {
                    QTest::mouseClick(pButton, Qt::LeftButton, isCtrl ? Qt::ControlModifier : Qt::NoModifier,
                                      pButton->rect().center());
                    continue;
                }
                m_menuEntry = rest.section('|', 1);
                QContextMenuEvent event(QContextMenuEvent::Mouse, pButton->rect().center(),
                                        pButton->mapToGlobal(pButton->rect().center()));
                QApplication::sendEvent(pButton, &event);
                m_menuEntry.clear();
            } else if (verb == "action") {
                QAction *pAction = withText<QAction>(m_pRoot, rest);
                if (!pAction || !pAction->isEnabled())
                    return "no enabled action " + rest;
                pAction->trigger();
            } else if (verb == "field") {
                QWidget *pField = fieldOf(label);
                if (!pField || !pField->isEnabled())
                    return "no enabled field " + strStep;
                typeInto(pField, last, true);
            } else {
                return "unknown step " + strStep;
            }
        }
        return QString();
    }

    // The widget after the label in the label's layout: the field of a labelled widget or a form row.
    QWidget *fieldOf(const QString &strLabel)
    {
        QLabel *pLabel = nullptr;
        for (QLabel *pCandidate : m_pRoot->findChildren<QLabel *>()) {
            if (!pLabel && pCandidate->text() == strLabel && pCandidate->isVisibleTo(m_pRoot))
                pLabel = pCandidate;
        }
        QLayout *pLayout = pLabel ? pLabel->parentWidget()->layout() : nullptr;
        for (QLayout *pInner : pLayout ? pLayout->findChildren<QLayout *>() : QList<QLayout *>()) {
            if (pInner->indexOf(pLabel) >= 0)
                pLayout = pInner;
        }
        for (int i = pLayout ? pLayout->indexOf(pLabel) + 1 : 0; pLayout && i < pLayout->count(); ++i) {
            if (QWidget *pWidget = pLayout->itemAt(i)->widget())
                return pWidget->focusProxy() ? pWidget->focusProxy() : pWidget;
        }
        return nullptr;
    }

private:
    QPointF point(const QString &strPoint) const
    {
        return QPointF(strPoint.section(',', 0, 0).toDouble(), strPoint.section(',', 1).toDouble());
    }
    void mouse(QEvent::Type type, const QString &strPoint, Qt::MouseButtons buttons = Qt::LeftButton,
               Qt::MouseButton button = Qt::LeftButton)
    {
        const QPoint local = m_pView->mapFromScene(point(strPoint));
        // A press on the wall gives it the keyboard, as a real click does.
        if (type == QEvent::MouseButtonPress)
            m_pView->setFocus(Qt::MouseFocusReason);
        QMouseEvent event(type, local, m_pView->viewport()->mapToGlobal(local), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(m_pView->viewport(), &event);
    }

    // Runs from a timer inside the menu's or dialog's own loop. What it finally clicks runs from a timer of
    // its own, so that a dialog that click opens gets its answer from here in turn.
    void onModal()
    {
        if (auto *pMenu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            if (m_menuEntry.isEmpty())
                return;
            menuEntries.clear();
            for (QAction *pAction : pMenu->actions()) {
                if (pAction->isVisible())
                    menuEntries << pAction->text();
                if (pAction->isVisible() && pAction->text() == m_menuEntry)
                    pMenu->setActiveAction(pAction);
            }
            later(pMenu, menuEntries.contains(m_menuEntry) ? Qt::Key_Return : Qt::Key_Escape);
            m_menuEntry.clear();
            return;
        }
        auto *pDlg = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (pDlg && pDlg == m_pAnswered && m_answered.elapsed() > 500) {
            messages << pDlg->windowTitle() + " kept open";
            m_answered.restart();
            return later(pDlg, Qt::Key_Escape);
        }
        // A progress dialog asks nothing.
        if (!pDlg || pDlg == m_pAnswered || QApplication::activePopupWidget() ||
            qobject_cast<QProgressDialog *>(pDlg))
            return;
        // Typed only into the window in front, as an operator does: before the dialog is active its name
        // field lacks the focus, and a file dialog then writes the file it matched into the field between two
        // keys. The window manager puts a new dialog in front; the offscreen platform may not.
        if (QApplication::activeWindow() != pDlg)
            return QApplication::setActiveWindow(pDlg);
        m_answered.start();
        // Answered once each time it is shown: dialogs are reused.
        m_pAnswered = pDlg;
        auto *pDone = new QMetaObject::Connection;
        *pDone = QObject::connect(pDlg, &QDialog::finished, [this, pDone] {
            m_pAnswered = nullptr;
            QObject::disconnect(*pDone);
            delete pDone;
        });
        const QStringList values = m_answers.isEmpty() ? QStringList() : m_answers.takeFirst();
        if (auto *pBox = qobject_cast<QMessageBox *>(pDlg); pBox || values.isEmpty()) {
            messages << (pBox ? pBox->text() : "unexpected dialog " + pDlg->windowTitle());
            // A message box takes its default button, or the one the answer names ("answer &Yes").
            if (auto *pButton = pBox ? withText<QAbstractButton>(pBox, values.value(0)) : nullptr)
                return QTimer::singleShot(0, pButton, [pButton] { click(pButton); });
            return later(pDlg, pBox ? Qt::Key_Return : Qt::Key_Escape);
        }
        if (auto *pName = pDlg->findChild<QLineEdit *>("fileNameEdit")) {
            QTest::keyClicks(pName, values.value(0));
            return later(pName, values.value(0) == "cancel" ? Qt::Key_Escape : Qt::Key_Return);
        }
        dialogFields.clear();
        for (QLineEdit *pEdit : pDlg->findChildren<QLineEdit *>()) {
            if (pEdit->isVisible() && pEdit->isEnabled()) {
                dialogFields << pEdit->text();
                typeInto(pEdit, values.value(dialogFields.size() - 1));
            }
        }
        // A list takes the value after those of the fields.
        if (auto *pList = pDlg->findChild<QComboBox *>()) {
            const QString value = values.value(dialogFields.size());
            dialogFields << pList->currentText();
            pList->setCurrentIndex(pList->findText(value));
        }
        QAbstractButton *pButton =
            withText<QAbstractButton>(pDlg, values.value(0) == "cancel" ? "Cancel" : "Ok");
        QTimer::singleShot(0, pButton, [pButton] { click(pButton); });
    }
    static void later(QWidget *pWidget, Qt::Key key)
    {
        QTimer::singleShot(0, pWidget, [pWidget, key] { QTest::keyClick(pWidget, key); });
    }

    QGraphicsView *m_pView;
    QWidget *m_pRoot;
    QTimer m_timer;
    QString m_menuEntry;
    QList<QStringList> m_answers;
    QDialog *m_pAnswered = nullptr;
    QElapsedTimer m_answered;
};

} // namespace vt

#endif // OPERATOR_H
