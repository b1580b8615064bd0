#ifndef OPERATIONFRAME_H
#define OPERATIONFRAME_H

#include <QFrame>

// The body of the main window: creates the control frames, places three and wires them together.
class OperationFrame : public QFrame
{
    Q_OBJECT

public:
    explicit OperationFrame(QWidget *parent = nullptr);

signals:
    void changeSize(int);
};

#endif // OPERATIONFRAME_H
