#ifndef MODELFILE_H
#define MODELFILE_H

#include "wndrecord.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>

// One JSON wall layout file on disk and its window records. The empty path names the state file
// "SpliceState.data" in the current directory. By default the records are written back when the object
// is destroyed; an object used only for loading turns that off so that loading never rewrites a file.
class ModelFile
{
public:
    explicit ModelFile(const QString &strFile = QString(), bool bSaveOnDestroy = true);
    ~ModelFile();
    ModelFile(const ModelFile &) = delete;
    ModelFile &operator=(const ModelFile &) = delete;

    // Parses the file into the records; true when at least one record was read.
    bool read();
    // Writes the held root object with a fresh "items" array; false, with the reason in errorString(),
    // when the file could not be replaced whole.
    bool write();
    QString errorString() const { return m_strError; }

    QList<WndRecord> &items() { return m_items; }
    void setItems(const QList<WndRecord> &items) { m_items = items; }

    // Layout files are a few kilobytes; anything beyond this is not a layout and is not read.
    static constexpr qint64 maxFileSize = 16 * 1024 * 1024;

private:
    QList<WndRecord> m_items;
    QFile m_file;
    QJsonDocument m_document;
    QJsonObject m_root;
    bool m_isSaveOnDestroy = true;
    QString m_strError;
};

#endif // MODELFILE_H
