// Reading and writing a layout file of 1,000 windows with ModelFile, in the current folder (scripts/bench
// gives every program a fresh one). A write is ModelFile::write(): the JSON text, a QSaveFile beside the
// old file, flushed, synced to the disk and renamed over it. A read is what loading a layout does first:
// a ModelFile for the path, which reads and parses the file into records.
#include "benchcommon.h"
#include "modelfile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

const int windowCount = 1000;
const int sampleCount = 31;

QList<WndRecord> layout()
{
    // Fractions and varied values, as a layout that an operator dragged and typed would hold.
    QList<WndRecord> records = bench::wallRecords(40, 25, 0.8);
    for (int i = 0; i < records.size(); ++i) {
        records[i].x += i / 3.0;
        records[i].address = i % 64;
        records[i].type = i % 2;
        records[i].rotate = i % 4;
    }
    return records;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(bench::quietMessages);
    const QString path = QStringLiteral("layout1000.json");
    const QList<WndRecord> records = layout();

    QVector<double> writes;
    {
        ModelFile model(path, false);
        model.setItems(records);
        model.write();
        for (int i = 0; i < sampleCount; ++i) {
            QElapsedTimer timer;
            timer.start();
            model.write();
            writes << timer.nsecsElapsed() / 1e6;
        }
    }

    QVector<double> reads;
    bool isSound = true;
    for (int i = 0; i < sampleCount; ++i) {
        QElapsedTimer timer;
        timer.start();
        ModelFile model(path, false);
        reads << timer.nsecsElapsed() / 1e6;
        isSound = isSound && model.items() == records;
    }

    const QStorageInfo storage(QFileInfo(path).absolutePath());
    std::printf("layout of %d windows, %lld bytes, on %s (%s), medians of %d samples\n\n", windowCount,
                QFileInfo(path).size(), storage.device().constData(), storage.fileSystemType().constData(),
                sampleCount);
    std::printf("%-8s %9s %9s %9s\n", "", "median", "min", "max");
    for (QVector<double> *pTimes : {&reads, &writes}) {
        const double median = bench::median(*pTimes);
        std::sort(pTimes->begin(), pTimes->end());
        std::printf("%-8s %6.2f ms %6.2f ms %6.2f ms\n", pTimes == &reads ? "read" : "write", median,
                    pTimes->first(), pTimes->last());
    }
    if (!isSound) {
        std::printf("the file read back differs from the records written\n");
        return 1;
    }

    const double readMs = bench::median(reads);
    const double writeMs = bench::median(writes);
    auto verdict = [](double dMs) { return dMs < 20 ? QStringLiteral("ok") : QStringLiteral("slow"); };
    bench::printRow(QStringLiteral("read a layout of 1,000 windows"),
                    QStringLiteral("%1 ms").arg(readMs, 0, 'f', 2), QStringLiteral("< 20 ms"),
                    verdict(readMs));
    bench::printRow(QStringLiteral("write a layout of 1,000 windows"),
                    QStringLiteral("%1 ms").arg(writeMs, 0, 'f', 2), QStringLiteral("< 20 ms"),
                    verdict(writeMs));
    return 0;
}
