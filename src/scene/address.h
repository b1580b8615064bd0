#ifndef ADDRESS_H
#define ADDRESS_H

#include <QMetaType>

// A window's device address (first, the target byte of its commands) and sub address (second, never
// sent). A first component of -1 means the window has no address yet.
struct Address
{
    int first = -1;
    int second = -1;

    Address() = default;
    Address(int nFirst, int nSecond) : first(nFirst), second(nSecond) {}

    bool operator==(const Address &other) const { return first == other.first && second == other.second; }
    bool operator!=(const Address &other) const { return !(*this == other); }
};

Q_DECLARE_METATYPE(Address)

#endif // ADDRESS_H
