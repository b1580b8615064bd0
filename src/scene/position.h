#ifndef POSITION_H
#define POSITION_H

#include <QMetaType>

// A window's rectangle in wall units (the controller's canvas: 3840 x 2160 in landscape).
struct Position
{
    double x = 0;
    double y = 0;
    double width = 960;
    double height = 540;

    Position() = default;
    Position(double dX, double dY, double dWidth, double dHeight)
        : x(dX), y(dY), width(dWidth), height(dHeight)
    {}

    bool operator==(const Position &other) const
    {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
    bool operator!=(const Position &other) const { return !(*this == other); }
};

Q_DECLARE_METATYPE(Position)

#endif // POSITION_H
