// A settings file as an operator may leave it: the program starts from it (its main window is built,
// shown and painted), ends, and writes the settings back.
#include "appstatus.h"
#include "harness.h"
#include "mainwindow.h"

#include <QApplication>
#include <QDir>

#include <cstdint>

namespace {

QString g_strBase;
int g_runs = 0;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    g_strBase = harness::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A folder per input: the program leaves its files behind, and QSettings caches files by path.
    const QString strDir = g_strBase + QStringLiteral("/%1").arg(++g_runs);
    if (!QDir().mkpath(strDir) || !QDir::setCurrent(strDir))
        return 0;
    if (harness::writeFile(QStringLiteral("UserData.data"),
                           QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)))) {
        AppStatus::theAppStatus()->reload();
        {
            MainWindow window;
            window.show();
            window.grab();
            QApplication::processEvents();
        }
        AppStatus::theAppStatus()->save();
    }
    QDir::setCurrent(g_strBase);
    QDir(strDir).removeRecursively();
    return 0;
}
