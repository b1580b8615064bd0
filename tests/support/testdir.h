#ifndef TESTDIR_H
#define TESTDIR_H

#include <QString>

namespace testdir {
// Switches the process to a fresh temporary working directory that lives until exit. The program keeps
// its files in the working directory, so every test program calls this before anything touches them.
QString enterFresh();
// Writes a settings file into the current directory (group Config, one key=value per entry).
void writeSettings(const QString &strBody);
} // namespace testdir

#endif // TESTDIR_H
