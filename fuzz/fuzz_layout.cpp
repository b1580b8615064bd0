// A layout file as an operator may load it: read, rebuilt into windows, shown in both splice models,
// painted, and written out again. What is written must read back as the same windows.
#include "appstatus.h"
#include "harness.h"
#include "modelfile.h"
#include "splicescene.h"

#include <QGraphicsView>

#include <cstdint>
#include <cstdlib>

namespace {

SpliceScene *g_pScene = nullptr;
QGraphicsView *g_pView = nullptr;
QString g_strInput;
QString g_strOutput;

// The scene as the splice view paints it, small: through the paint event of a shown view, which caches
// only the part of a huge window that it shows (rendered alone, the scene would cache it whole).
void paintScene()
{
    g_pView->viewport()->grab();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    const QString strDir = harness::start(argc, argv);
    g_strInput = strDir + QStringLiteral("/input.data");
    g_strOutput = strDir + QStringLiteral("/output.data");
    AppStatus *status = AppStatus::theAppStatus();
    g_pScene = new SpliceScene;
    g_pScene->setSceneRect(0, 0, status->unitWidth(), status->unitHeight());
    g_pScene->setRebuildPause(0);
    g_pView = new QGraphicsView(g_pScene);
    g_pView->resize(320, 180);
    g_pView->scale(0.5, 0.5);
    g_pView->show();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (!harness::writeFile(g_strInput,
                            QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size))))
        return 0;
    AppStatus *status = AppStatus::theAppStatus();
    ModelFile input(g_strInput, false);
    if (!input.read())
        return 0;

    status->setOpenModel(false);
    g_pScene->loadConfig(&input);
    paintScene();
    g_pScene->applyOpenModel(true);
    status->setOpenModel(true);
    g_pScene->loadConfig(&input);
    paintScene();
    g_pScene->applyOpenModel(false);
    g_pScene->applyOpenModel(true);

    QList<WndRecord> written;
    {
        ModelFile output(g_strOutput);
        g_pScene->collectRecords(&output);
        written = output.items();
    }
    // A layout file keeps no sub address.
    for (WndRecord &record : written)
        record.subAddress = -1;
    ModelFile check(g_strOutput, false);
    if (!written.isEmpty() && (!check.read() || check.items() != written))
        std::abort();
    return 0;
}
