#ifndef BUTTONWITHMENU_H
#define BUTTONWITHMENU_H

#include <QPushButton>

class QAction;

// A push button whose context menu holds one entry; choosing it emits trigger().
class ButtonWithMenu : public QPushButton
{
    Q_OBJECT

public:
    explicit ButtonWithMenu(const QString &strText, QWidget *parent = nullptr);

    void setActionText(const QString &strText);

signals:
    void trigger();

public slots:
    void actionOnMenu();

private:
    QAction *m_pAction;
};

#endif // BUTTONWITHMENU_H
