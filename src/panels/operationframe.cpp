#include "operationframe.h"

#include <QVariant>

OperationFrame::OperationFrame(QWidget *parent) : QFrame(parent)
{
    setProperty("class", "OperationFrame");
}
