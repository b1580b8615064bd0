#ifndef TITLEFRAME_H
#define TITLEFRAME_H

#include <QFrame>

// The title bar that replaces the system frame of the main window.
class TitleFrame : public QFrame
{
    Q_OBJECT

public:
    explicit TitleFrame(QWidget *parent = nullptr);

signals:
    void changLang(QString);
    void changWindowSize(int);
};

#endif // TITLEFRAME_H
