#include "appstatus.h"

#include <QDebug>
#include <QFile>
#include <QSettings>
#include <QTextCodec>

namespace {
const char *const settingsFile = "UserData.data";
const char *const group = "Config";
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
    m_pSettings = new QSettings(QString::fromLatin1(settingsFile), QSettings::IniFormat);
    m_pSettings->setIniCodec(QTextCodec::codecForName("GB2312"));
    if (!QFile::exists(QString::fromLatin1(settingsFile))) {
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

AppStatus::~AppStatus()
{
    save();
    delete m_pSettings;
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

void AppStatus::createDefaults()
{
    m_pSettings->beginGroup(QString::fromLatin1(group));
    m_pSettings->setValue("langType", m_langType);
    m_pSettings->setValue("currPort", m_currPort);
    m_pSettings->setValue("SceneRow", m_sceneRow);
    m_pSettings->setValue("SceneColumn", m_sceneColumn);
    m_pSettings->setValue("SceneType", m_sceneType);
    m_pSettings->setValue("SpliceRow", m_spliceRow);
    m_pSettings->setValue("SpliceColumn", m_spliceColumn);
    m_pSettings->setValue("edgeX", m_edgeX);
    m_pSettings->setValue("edgeY", m_edgeY);
    for (int i = 1; i <= aliasCount; ++i) {
        const QString key = aliasKey(i);
        m_sceneAliases.append(key);
        m_pSettings->setValue(key, key);
    }
    m_pSettings->sync();
    m_pSettings->endGroup();
}

void AppStatus::load()
{
    m_pSettings->beginGroup(QString::fromLatin1(group));
    m_langType = m_pSettings->value("langType", QString()).toString();
    m_currPort = m_pSettings->value("currPort", QString()).toString();
    m_sceneRow = m_pSettings->value("SceneRow", 0).toInt();
    m_sceneColumn = m_pSettings->value("SceneColumn", 0).toInt();
    m_logoType = m_pSettings->value("type", 0).toInt();
    m_sceneType = m_pSettings->value("SceneType", 0).toInt();
    m_spliceRow = m_pSettings->value("SpliceRow", 0).toInt();
    m_spliceColumn = m_pSettings->value("SpliceColumn", 0).toInt();
    m_edgeX = m_pSettings->value("edgeX", 0).toInt();
    m_edgeY = m_pSettings->value("edgeY", 0).toInt();
    m_openModel = m_pSettings->value("openModel", false).toBool();
    m_sceneAliases.clear();
    for (int i = 1; i <= aliasCount; ++i)
        m_sceneAliases.append(m_pSettings->value(aliasKey(i), QString()).toString());
    m_pSettings->sync();
    m_pSettings->endGroup();
    setSceneType(m_sceneType);
}

void AppStatus::save()
{
    m_pSettings->beginGroup(QString::fromLatin1(group));
    m_pSettings->setValue("langType", m_langType);
    m_pSettings->setValue("currPort", m_currPort);
    m_pSettings->setValue("SceneRow", m_sceneRow);
    m_pSettings->setValue("SceneColumn", m_sceneColumn);
    m_pSettings->setValue("SceneType", m_sceneType);
    m_pSettings->setValue("SpliceRow", m_spliceRow);
    m_pSettings->setValue("SpliceColumn", m_spliceColumn);
    m_pSettings->setValue("edgeX", m_edgeX);
    m_pSettings->setValue("edgeY", m_edgeY);
    m_pSettings->setValue("openModel", m_openModel);
    for (int i = 1; i <= aliasCount; ++i)
        m_pSettings->setValue(aliasKey(i), m_sceneAliases.value(i - 1));
    m_pSettings->sync();
    m_pSettings->endGroup();
}
