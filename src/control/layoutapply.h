#ifndef LAYOUTAPPLY_H
#define LAYOUTAPPLY_H

#include <QString>

class QTextStream;

// Sends a layout file to a controller without a window, for schedulers and scripts: the same frames and
// pauses as Load, transposed for a portrait wall as the settings file of the working folder says (read,
// never written). Prints a line per window and a summary. Returns 0 when every frame was written, 2 when
// the file holds no layout, the port does not open, a frame was lost, or a console runs in this folder
// (its picture would no longer show the wall).
int applyLayout(const QString &strFile, const QString &strPort, const QString &strLockFile, QTextStream &out,
                QTextStream &err);

#endif // LAYOUTAPPLY_H
