#include "titleframe.h"

#include <QVariant>

TitleFrame::TitleFrame(QWidget *parent) : QFrame(parent)
{
    setFixedHeight(40);
    setProperty("class", "titleFrame");
}
