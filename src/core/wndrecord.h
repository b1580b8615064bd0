#ifndef WNDRECORD_H
#define WNDRECORD_H

// One window of a stored wall layout: its rectangle in wall units, its address, type and rotation.
// The sub address travels with the record but is never stored in a layout file.
struct WndRecord
{
    double x = 0;
    double y = 0;
    double width = 960;
    double height = 540;
    int address = -1;
    int subAddress = -1;
    int type = 0;
    int rotate = 0;

    bool operator==(const WndRecord &other) const
    {
        return x == other.x && y == other.y && width == other.width && height == other.height &&
               address == other.address && subAddress == other.subAddress && type == other.type &&
               rotate == other.rotate;
    }
    bool operator!=(const WndRecord &other) const { return !(*this == other); }
};

#endif // WNDRECORD_H
