#include "presetstore.h"

#include "modelfile.h"

#include <QFile>
#include <QFileInfo>

QString PresetStore::fileName(int nNumber)
{
    return QString::asprintf("Scene%02d.data", nNumber);
}

bool PresetStore::exists(int nNumber)
{
    return nNumber >= 1 && nNumber <= count && QFileInfo::exists(fileName(nNumber));
}

PresetStore::Preset PresetStore::read(int nNumber)
{
    Preset preset;
    if (!exists(nNumber))
        return preset;
    // Read when it is made (a layout holds at least one window); never written back.
    ModelFile file(fileName(nNumber), false);
    preset.windows = file.items();
    preset.state = preset.windows.isEmpty() ? Damaged : Valid;
    preset.saved = QFileInfo(fileName(nNumber)).lastModified();
    return preset;
}

bool PresetStore::remove(int nNumber)
{
    return nNumber >= 1 && nNumber <= count &&
           (!QFile::exists(fileName(nNumber)) || QFile::remove(fileName(nNumber)));
}
