#ifndef PRESETSTORE_H
#define PRESETSTORE_H

#include "wndrecord.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The sixteen numbered wall layouts kept in the working folder ("Scene01.data" to "Scene16.data", in the
// layout file format): which hold a layout, and their windows.
class PresetStore
{
public:
    static constexpr int count = 16;

    enum State
    {
        Empty,
        Valid,
        // The file is there but is no layout, or holds no window.
        Damaged
    };
    struct Preset
    {
        State state = Empty;
        QList<WndRecord> windows;
        QDateTime saved;
    };

    // The file of preset nNumber (1 to 16), relative to the working folder.
    static QString fileName(int nNumber);
    static bool exists(int nNumber);
    // Reads the file; an empty preset for a number out of range.
    static Preset read(int nNumber);
    // Removes the file; true when it is gone.
    static bool remove(int nNumber);
};

#endif // PRESETSTORE_H
