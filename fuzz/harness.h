#ifndef HARNESS_H
#define HARNESS_H

#include <QByteArray>
#include <QString>

// What both fuzzing harnesses share: a quiet offscreen application, styled as the program is, that works in
// a temporary folder of its own.
namespace harness {
// Creates the application once; returns the folder the harness works in (the current directory).
QString start(int *argc, char ***argv);
// Writes bytes to a file, replacing it; false when that fails.
bool writeFile(const QString &strPath, const QByteArray &bytes);
} // namespace harness

#endif // HARNESS_H
