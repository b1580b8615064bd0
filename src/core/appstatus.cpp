#include "appstatus.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <QTextCodec>

#include <cstdio>
#include <cstring>

namespace {
const char *const settingsFile = "UserData.data";
const char *const group = "Config";

// A new file beside strTarget holding content, with the given permissions (none: those of a new file).
QString writeUniqueCopy(const QString &strTarget, const QByteArray &content, QFile::Permissions permissions)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString strPath = strTarget + QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(),
                                                                      8, 16, QLatin1Char('0'));
        QFile file(strPath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(strPath))
                continue;
            return QString();
        }
        const bool isWritten = file.write(content) == content.size() && file.flush();
        file.close();
        if (!isWritten || (permissions && !file.setPermissions(permissions))) {
            file.remove();
            return QString();
        }
        return strPath;
    }
    return QString();
}

// Replaces strTo at once, as QFile::rename will not when strTo exists.
bool renameOver(const QString &strFrom, const QString &strTo)
{
    return std::rename(QFile::encodeName(strFrom).constData(), QFile::encodeName(strTo).constData()) == 0;
}

// QSettings reads a value "@Variant(...)" or "@DateTime(...)" as a QDataStream, whose counts a damaged or
// forged file can set to anything: a list of 4 billion items takes the program down. The program itself
// never writes such a value. The file is unescaped as QSettings unescapes it (\b, \x41, \101, a backslash
// before a line end; its quotes dropped), so that no spelling of the prefixes slips through, and a prefix
// counts where a value or an element of a list starts: after "=" or ",", blanks aside. "@@" is the file's
// spelling of a text that starts with "@".
bool hasSerialisedValue(const QByteArray &content)
{
    // Escape and character, in pairs.
    static const char codes[] = "a\ab\bf\fn\nr\rt\tv\v\"\"''??\\\\";
    QByteArray plain;
    plain.reserve(content.size());
    for (int i = 0; i < content.size(); ++i) {
        if (content.at(i) == '"')
            continue;
        if (content.at(i) != '\\' || i + 1 >= content.size()) {
            plain += content.at(i);
            continue;
        }
        const char kind = content.at(++i);
        const char *code = kind ? std::strchr(codes, kind) : nullptr;
        if (code && (code - codes) % 2 == 0) {
            plain += code[1];
            continue;
        }
        if (kind == '\r' && i + 1 < content.size() && content.at(i + 1) == '\n')
            ++i;
        // Any other escape, as a backslash before a line end, stands for nothing.
        const bool isOctal = kind >= '0' && kind <= '7';
        if (kind != 'x' && !isOctal)
            continue;
        // Qt takes every digit that follows, none at all after \x.
        quint32 value = isOctal ? quint32(kind - '0') : 0;
        bool isDigit = isOctal;
        for (; i + 1 < content.size(); ++i) {
            const char digit = content.at(i + 1);
            const char lower = char(digit | 0x20);
            int n = -1;
            if (digit >= '0' && digit <= (isOctal ? '7' : '9'))
                n = digit - '0';
            else if (!isOctal && lower >= 'a' && lower <= 'f')
                n = lower - 'a' + 10;
            if (n < 0)
                break;
            value = (value * (isOctal ? 8 : 16) + quint32(n)) & 0xFFFF;
            isDigit = true;
        }
        // A character beyond ASCII is none of the prefixes' letters.
        if (isDigit)
            plain += value < 0x80 ? char(value) : char(0x80);
    }
    for (const char *prefix : {"@Variant(", "@DateTime("}) {
        for (int at = plain.indexOf(prefix); at >= 0; at = plain.indexOf(prefix, at + 1)) {
            int before = at - 1;
            while (before >= 0 && (plain.at(before) == ' ' || plain.at(before) == '\t'))
                --before;
            if (before >= 0 && (plain.at(before) == '=' || plain.at(before) == ','))
                return true;
        }
    }
    return false;
}

// A file cut short ends inside a line, or lacks the keys of the lines after the cut.
bool isWholeIni(const QString &strPath, QStringList keys)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || !bytes.endsWith('\n'))
        return false;
    file.close();
    QSettings reader(strPath, QSettings::IniFormat);
    reader.setIniCodec(QTextCodec::codecForName("GB2312"));
    QStringList found = reader.allKeys();
    found.sort();
    keys.sort();
    return found == keys;
}
} // namespace

AppStatus *AppStatus::theAppStatus()
{
    static AppStatus status;
    return &status;
}

QString AppStatus::aliasKey(int number)
{
    return QStringLiteral("SceneAlias%1").arg(number, 2, 10, QLatin1Char('0'));
}

AppStatus::AppStatus()
{
    reload();
}

AppStatus::~AppStatus()
{
    save();
    delete m_pSettings;
}

void AppStatus::resetFields()
{
    m_langType = QStringLiteral("English");
    m_currPort = QStringLiteral("COM1");
    m_layoutFolder.clear();
    m_controlPort.clear();
    m_controlTokenFile.clear();
    m_sceneAliases.clear();
    m_sceneRow = 12;
    m_sceneColumn = 12;
    m_logoType = 0;
    m_unitWidth = 640;
    m_unitHeight = 360;
    m_sceneType = 0;
    m_openModel = false;
    m_spliceRow = 2;
    m_spliceColumn = 3;
    m_edgeX = 0;
    m_edgeY = 0;
    m_lastPreset = 0;
    m_isPresetChanged = false;
    m_hasPresetKeys = false;
}

void AppStatus::reload()
{
    delete m_pSettings;
    m_pSettings = nullptr;
    resetFields();
    const QFileInfo info(QString::fromLatin1(settingsFile));
    m_strFile = info.absoluteFilePath();
    const bool isNew = !QFile::exists(QString::fromLatin1(settingsFile));
    QFile file(m_strFile);
    m_isRefused =
        !isNew && info.isFile() && file.open(QIODevice::ReadOnly) && hasSerialisedValue(file.readAll());
    if (m_isRefused)
        qDebug() << "UserData.data holds serialised data: not read, not written";
    // Only a regular file is opened: a pipe or a device in its place would block the start or never end.
    if ((isNew || info.isFile()) && !m_isRefused) {
        m_pSettings = new QSettings(m_strFile, QSettings::IniFormat);
        m_pSettings->setIniCodec(QTextCodec::codecForName("GB2312"));
    }
    if (isNew) {
        qDebug() << "create ex file";
        createDefaults();
    } else {
        qDebug() << "load  exfile";
        load();
    }
    // A file that lost alias keys must still give sixteen buttons their names.
    while (m_sceneAliases.size() < aliasCount)
        m_sceneAliases.append(QString());
}

QString AppStatus::sceneAlias(int index) const
{
    if (index < 0 || index >= m_sceneAliases.size())
        return QString();
    return m_sceneAliases.at(index);
}

void AppStatus::setSceneAlias(int index, const QString &strAlias)
{
    if (index < 0 || index >= m_sceneAliases.size())
        return;
    m_sceneAliases[index] = strAlias;
}

void AppStatus::setLastPreset(int nPreset, bool bChanged)
{
    const bool isPreset = nPreset >= 1 && nPreset <= aliasCount;
    m_lastPreset = isPreset ? nPreset : 0;
    m_isPresetChanged = isPreset && bChanged;
}

void AppStatus::setSceneType(int nType)
{
    qDebug() << "nType" << nType;
    m_sceneType = nType;
    if (nType == 1) {
        m_unitWidth = 360;
        m_unitHeight = 640;
    } else if (nType == 0 || nType == 2) {
        m_unitWidth = 640;
        m_unitHeight = 360;
    }
}

QList<QPair<QString, QVariant>> AppStatus::scalarValues() const
{
    return {{QStringLiteral("langType"), m_langType},
            {QStringLiteral("currPort"), m_currPort},
            {QStringLiteral("SceneRow"), m_sceneRow},
            {QStringLiteral("SceneColumn"), m_sceneColumn},
            {QStringLiteral("SceneType"), m_sceneType},
            {QStringLiteral("SpliceRow"), m_spliceRow},
            {QStringLiteral("SpliceColumn"), m_spliceColumn},
            {QStringLiteral("edgeX"), m_edgeX},
            {QStringLiteral("edgeY"), m_edgeY}};
}

void AppStatus::createDefaults()
{
    QList<QPair<QString, QVariant>> values = scalarValues();
    for (int i = 1; i <= aliasCount; ++i) {
        const QString key = aliasKey(i);
        m_sceneAliases.append(key);
        values.append({key, key});
    }
    writeConfig(values);
}

void AppStatus::load()
{
    if (m_pSettings)
        m_pSettings->beginGroup(QString::fromLatin1(group));
    // Without a file that can be read, every key is missing.
    auto value = [this](const QString &strKey, const QVariant &defaultValue) {
        return m_pSettings ? m_pSettings->value(strKey, defaultValue) : defaultValue;
    };
    m_langType = value(QStringLiteral("langType"), QString()).toString();
    m_currPort = value(QStringLiteral("currPort"), QString()).toString();
    m_sceneRow = value(QStringLiteral("SceneRow"), 0).toInt();
    m_sceneColumn = value(QStringLiteral("SceneColumn"), 0).toInt();
    m_logoType = value(QStringLiteral("type"), 0).toInt();
    m_sceneType = value(QStringLiteral("SceneType"), 0).toInt();
    m_spliceRow = value(QStringLiteral("SpliceRow"), 0).toInt();
    m_spliceColumn = value(QStringLiteral("SpliceColumn"), 0).toInt();
    m_edgeX = value(QStringLiteral("edgeX"), 0).toInt();
    m_edgeY = value(QStringLiteral("edgeY"), 0).toInt();
    m_openModel = value(QStringLiteral("openModel"), false).toBool();
    m_layoutFolder = value(QStringLiteral("layoutFolder"), QString()).toString();
    m_controlPort = value(QStringLiteral("controlPort"), QString()).toString().trimmed();
    m_controlTokenFile = value(QStringLiteral("controlTokenFile"), QString()).toString().trimmed();
    m_hasPresetKeys = m_pSettings && m_pSettings->contains(QStringLiteral("lastPreset"));
    setLastPreset(value(QStringLiteral("lastPreset"), 0).toInt(),
                  value(QStringLiteral("lastPresetChanged"), false).toBool());
    m_sceneAliases.clear();
    for (int i = 1; i <= aliasCount; ++i)
        m_sceneAliases.append(value(aliasKey(i), QString()).toString());
    if (m_pSettings) {
        m_pSettings->sync();
        m_pSettings->endGroup();
    }
    boundFields();
    setSceneType(m_sceneType);
}

void AppStatus::boundFields()
{
    auto bound = [](int &nValue, int nBottom, int nTop, int nDefault) {
        if (nValue < nBottom || nValue > nTop)
            nValue = nDefault;
    };
    bound(m_sceneRow, 1, maxSceneCount, 12);
    bound(m_sceneColumn, 1, maxSceneCount, 12);
    bound(m_sceneType, 0, 2, 0);
    bound(m_spliceRow, 1, maxSpliceCount, 2);
    bound(m_spliceColumn, 1, maxSpliceCount, 3);
    bound(m_edgeX, 0, maxEdge, 0);
    bound(m_edgeY, 0, maxEdge, 0);
}

void AppStatus::save()
{
    if (m_isRefused)
        return;
    QList<QPair<QString, QVariant>> values = scalarValues();
    values.append({QStringLiteral("openModel"), m_openModel});
    if (!m_layoutFolder.isEmpty())
        values.append({QStringLiteral("layoutFolder"), m_layoutFolder});

    if (m_lastPreset != 0 || m_hasPresetKeys) {
        values.append({QStringLiteral("lastPreset"), m_lastPreset});
        values.append({QStringLiteral("lastPresetChanged"), m_isPresetChanged});
    }
    for (int i = 1; i <= aliasCount; ++i)
        values.append({aliasKey(i), m_sceneAliases.value(i - 1)});
    writeConfig(values);
}

// QSettings replaces its file through QSaveFile, which on a full disk can still rename a short file over
// the old one and report no error. So the values go into a copy of the file beside it, the copy is read
// back, and only a whole copy is renamed over the file; any failure leaves the file as it was.
bool AppStatus::writeConfig(const QList<QPair<QString, QVariant>> &values)
{
    const QFileInfo info(m_strFile);
    QString strTarget = m_strFile;
    if (info.isSymLink())
        strTarget = info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
    const QFileInfo target(strTarget);
    // A folder, pipe or device in place of the file is never replaced.
    if (target.exists() && !target.isFile())
        return false;

    QByteArray content;
    QFile::Permissions permissions;
    if (target.exists()) {
        QFile original(strTarget);
        if (!original.open(QIODevice::ReadOnly))
            return false;
        content = original.readAll();
        if (original.error() != QFileDevice::NoError)
            return false;
        permissions = original.permissions();
    }
    const QString strCopy = writeUniqueCopy(strTarget, content, permissions);
    if (strCopy.isEmpty())
        return false;

    QStringList keys;
    {
        QSettings writer(strCopy, QSettings::IniFormat);
        writer.setIniCodec(QTextCodec::codecForName("GB2312"));
        writer.beginGroup(QString::fromLatin1(group));
        for (const auto &value : values)
            writer.setValue(value.first, value.second);
        writer.endGroup();
        writer.sync();
        // A FormatError only says that the old file had lines QSettings could not parse; it still writes.
        if (writer.status() == QSettings::AccessError) {
            QFile::remove(strCopy);
            return false;
        }
        keys = writer.allKeys();
    }
    // Read back under a name QSettings has not seen, since it caches files by name.
    const QString strChecked = strCopy + QLatin1Char('~');
    if (!renameOver(strCopy, strChecked)) {
        QFile::remove(strCopy);
        return false;
    }
    if (!isWholeIni(strChecked, keys) || !renameOver(strChecked, strTarget)) {
        QFile::remove(strChecked);
        return false;
    }
    return true;
}
