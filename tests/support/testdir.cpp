#include "testdir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace testdir {

QString enterFresh()
{
    static QTemporaryDir *dir = nullptr;
    delete dir;
    dir = new QTemporaryDir;
    QDir::setCurrent(dir->path());
    return dir->path();
}

void writeSettings(const QString &strBody)
{
    QFile file(QStringLiteral("UserData.data"));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(QByteArray("[Config]\n") + strBody.toUtf8());
}

} // namespace testdir
