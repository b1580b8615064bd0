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

bool writeBytes(const QString &strPath, const QByteArray &bytes)
{
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString &strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace testdir
