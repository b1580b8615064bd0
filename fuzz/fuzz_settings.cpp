// A settings file as an operator may leave it, damaged or edited by hand: it is read as at start-up, every
// number the program takes from it lies within the range below, and written back it reads the same.
#include "appstatus.h"
#include "harness.h"

#include <QDir>

#include <cstdint>
#include <cstdlib>

namespace {

QString g_strBase;
int g_runs = 0;

// The range of each number the settings file gives the program.
struct Range
{
    const char *key;
    int (AppStatus::*get)() const;
    int bottom;
    int top;
};
const Range ranges[] = {
    {"SceneRow", &AppStatus::sceneRow, 1, 15},
    {"SceneColumn", &AppStatus::sceneColumn, 1, 15},
    {"SceneType", &AppStatus::sceneType, 0, 2},
    {"SpliceRow", &AppStatus::spliceRow, 1, 15},
    {"SpliceColumn", &AppStatus::spliceColumn, 1, 15},
    {"edgeX", &AppStatus::edgeX, 0, 255},
    {"edgeY", &AppStatus::edgeY, 0, 255},
    {"lastPreset", &AppStatus::lastPreset, 0, 16},
};

QList<int> numbers(const AppStatus *status)
{
    QList<int> values;
    for (const Range &range : ranges)
        values << (status->*range.get)();
    return values << status->unitWidth() << status->unitHeight() << status->logoType()
                  << status->isOpenModel() << status->isPresetChanged();
}

void check(bool bHolds, const char *what)
{
    if (!bHolds) {
        std::fprintf(stderr, "settings: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    g_strBase = harness::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A folder per input: QSettings caches files by path.
    const QString strDir = g_strBase + QStringLiteral("/%1").arg(++g_runs);
    if (!QDir().mkpath(strDir) || !QDir::setCurrent(strDir))
        return 0;
    if (harness::writeFile(QStringLiteral("UserData.data"),
                           QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)))) {
        AppStatus *status = AppStatus::theAppStatus();
        status->reload();
        for (const Range &range : ranges) {
            const int value = (status->*range.get)();
            check(value >= range.bottom && value <= range.top, range.key);
        }
        // The picture's size follows the scene type: landscape 640 x 360, portrait 360 x 640.
        check((status->sceneType() == 1) == (status->unitWidth() == 360) &&
                  status->unitWidth() * status->unitHeight() == 640 * 360,
              "scene size");
        check(!status->isPresetChanged() || status->lastPreset() > 0, "a change of no preset");
        const QList<int> read = numbers(status);
        status->save();
        status->reload();
        check(numbers(status) == read, "written back, the numbers read otherwise");
    }
    QDir::setCurrent(g_strBase);
    QDir(strDir).removeRecursively();
    return 0;
}
