#include "modelfile.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QSaveFile>

namespace {

WndRecord recordFromJson(const QJsonObject &item)
{
    WndRecord record;
    // toInt() gives the default for a missing key, a value of another type and a fractional number.
    record.type = item.value(QLatin1String("type")).toInt(0);
    record.rotate = item.value(QLatin1String("rotate")).toInt(0);
    record.address = item.value(QLatin1String("address")).toObject().value(QLatin1String("x")).toInt(0);
    const QJsonObject position = item.value(QLatin1String("position")).toObject();
    record.x = position.value(QLatin1String("x")).toDouble(0);
    record.y = position.value(QLatin1String("y")).toDouble(0);
    record.width = position.value(QLatin1String("width")).toDouble(960);
    record.height = position.value(QLatin1String("height")).toDouble(540);
    return record;
}

// Reads the whole device unless it holds more than nLimit bytes. The size is checked as the bytes come,
// since devices and growing files report no size that can be trusted.
bool readLimited(QFile &file, qint64 nLimit, QByteArray *pContent)
{
    if (file.size() > nLimit)
        return false;
    QByteArray content;
    while (content.size() <= nLimit) {
        const QByteArray chunk = file.read(qMin<qint64>(64 * 1024, nLimit + 1 - content.size()));
        if (chunk.isEmpty())
            break;
        content.append(chunk);
    }
    if (content.size() > nLimit || file.error() != QFileDevice::NoError)
        return false;
    *pContent = content;
    return true;
}

QJsonObject recordToJson(const WndRecord &record)
{
    QJsonObject address;
    address.insert(QLatin1String("x"), record.address);
    QJsonObject position;
    position.insert(QLatin1String("x"), record.x);
    position.insert(QLatin1String("y"), record.y);
    position.insert(QLatin1String("width"), record.width);
    position.insert(QLatin1String("height"), record.height);
    QJsonObject item;
    item.insert(QLatin1String("address"), address);
    item.insert(QLatin1String("position"), position);
    item.insert(QLatin1String("type"), record.type);
    item.insert(QLatin1String("rotate"), record.rotate);
    return item;
}

} // namespace

ModelFile::ModelFile(const QString &strFile, bool bSaveOnDestroy) : m_isSaveOnDestroy(bSaveOnDestroy)
{
    const QString strPath =
        strFile.isEmpty() ? QDir::currentPath() + QLatin1String("/SpliceState.data") : strFile;
    m_file.setFileName(strPath);
    if (QFile::exists(strPath))
        read();
}

ModelFile::~ModelFile()
{
    if (m_isSaveOnDestroy)
        write();
}

bool ModelFile::read()
{
    // Only a regular file is opened: a pipe would block the program, a device might never end.
    if (!QFileInfo(m_file.fileName()).isFile() || !m_file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QByteArray content;
    const bool isReadable = readLimited(m_file, maxFileSize, &content);
    m_file.close();
    if (!isReadable)
        return false;

    m_document = QJsonDocument::fromJson(content);
    m_root = m_document.object();
    m_items.clear();

    const QJsonArray array = m_root.value(QLatin1String("items")).toArray();
    if (array.isEmpty())
        return false;
    // Anything but an object is no window.
    for (const QJsonValue &value : array) {
        if (value.isObject())
            m_items.append(recordFromJson(value.toObject()));
    }
    return !m_items.isEmpty();
}

bool ModelFile::write()
{
    m_root.remove(QLatin1String("items"));
    QJsonArray array;
    for (const WndRecord &record : qAsConst(m_items))
        array.append(recordToJson(record));
    m_root.insert(QLatin1String("items"), array);
    m_document.setObject(m_root);

    // Written beside the old file and renamed over it, so a failed write leaves the old layout. That
    // rename would put a file in place of a device or pipe picked by mistake, so those are refused.
    const QFileInfo info(m_file.fileName());
    QSaveFile file(m_file.fileName());
    if ((info.exists() && !info.isFile()) || !file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qDebug() << "xxxxxxxxxxxxxxxx";
        m_strError = info.exists() && !info.isFile() ? QStringLiteral("not a file") : file.errorString();
        return false;
    }
    const QByteArray bytes = m_document.toJson(QJsonDocument::Compact);
    // commit() may still rename a short file into place on a full disk, so every step is checked first.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        m_strError = file.errorString();
        file.cancelWriting();
        qDebug() << "xxxxxxxxxxxxxxxx";
        return false;
    }
    if (!file.commit()) {
        m_strError = file.errorString();
        qDebug() << "xxxxxxxxxxxxxxxx";
        return false;
    }
    return true;
}
