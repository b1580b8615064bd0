// Shared by the benchmark programs: medians of noisy samples, a message handler that keeps the program's
// debug lines out of the figures, and the result rows that scripts/bench gathers into its closing table.
#ifndef BENCHCOMMON_H
#define BENCHCOMMON_H

#include "modelfile.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QResource>
#include <QString>
#include <QVector>

#include <algorithm>
#include <cstdio>

namespace bench {

inline double median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The program writes debug lines on every drag step and every frame; on a terminal they would cost more
// than the work measured. Warnings still show.
inline void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// One line of the closing table: figure, value, floor or goal, verdict. scripts/bench picks these lines
// out of the output by their tag.
inline void printRow(const QString &strFigure, const QString &strValue, const QString &strGoal,
                     const QString &strVerdict)
{
    std::printf("@row\t%s\t%s\t%s\t%s\n", qPrintable(strFigure), qPrintable(strValue), qPrintable(strGoal),
                qPrintable(strVerdict));
    std::fflush(stdout);
}

// What main does before it builds the main window: the external resource file, the style sheet and the
// font. The caller has run Q_INIT_RESOURCE(resources), which must be called outside any namespace.
inline void applyProgramLook()
{
    QResource::registerResource(QDir::currentPath() + QStringLiteral("/resource.dll"));
    QFile qss(QStringLiteral(":/qss/resource/qss/skin.qss"));
    if (qss.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = qss.readAll();
        const int end = bytes.indexOf('\0');
        qApp->setStyleSheet(QString::fromUtf8(end < 0 ? bytes : bytes.left(end)));
    }
    QFont font;
    font.setFamily(QStringLiteral("微软雅黑"));
    QApplication::setFont(font);
}

inline void writeSettings(const QString &strDir, const QByteArray &body)
{
    QFile file(strDir + QStringLiteral("/UserData.data"));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write("[Config]\n" + body);
}

// A wall of nColumns x nRows type-0 windows with address 0, so that restoring it sends nothing and never
// pauses. Each window fills the given share of its cell, from the cell's top-left corner plus half the gap.
inline QList<WndRecord> wallRecords(int nColumns, int nRows, double dFill)
{
    const double cellWidth = 3840.0 / nColumns;
    const double cellHeight = 2160.0 / nRows;
    QList<WndRecord> records;
    for (int r = 0; r < nRows; ++r) {
        for (int c = 0; c < nColumns; ++c) {
            WndRecord record;
            record.x = c * cellWidth + cellWidth * (1 - dFill) / 2;
            record.y = r * cellHeight + cellHeight * (1 - dFill) / 2;
            record.width = cellWidth * dFill;
            record.height = cellHeight * dFill;
            record.address = 0;
            record.type = 0;
            records.append(record);
        }
    }
    return records;
}

inline void writeLayout(const QString &strPath, const QList<WndRecord> &records)
{
    ModelFile model(strPath);
    model.setItems(records);
}

} // namespace bench

#endif // BENCHCOMMON_H
