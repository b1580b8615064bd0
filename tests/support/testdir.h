#ifndef TESTDIR_H
#define TESTDIR_H

#include <QByteArray>
#include <QString>

namespace testdir {
// Switches the process to a fresh temporary working directory that lives until exit. The program keeps
// its files in the working directory, so every test program calls this before anything touches them.
QString enterFresh();
// Writes a settings file into the current directory (group Config, one key=value per entry).
void writeSettings(const QString &strBody);
// Whole-file helpers: true when every byte was written; an unreadable file reads as empty.
bool writeBytes(const QString &strPath, const QByteArray &bytes);
QByteArray readBytes(const QString &strPath);
} // namespace testdir

#endif // TESTDIR_H
