#ifndef APPSTATUS_H
#define APPSTATUS_H

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

class QSettings;

// The settings that outlive a run and that many widgets share. One instance, created on first use;
// it reads "UserData.data" (or creates it with defaults) and writes everything back at exit.
class AppStatus
{
public:
    static AppStatus *theAppStatus();

    QString langType() const { return m_langType; }
    QString currPort() const { return m_currPort; }
    // The folder of the layout last saved or loaded, where the file dialogs start ("" at first).
    QString layoutFolder() const { return m_layoutFolder; }
    // Where the control port listens ("[ADDRESS:]PORT", "" for off) and the file of its token: set by hand
    // in the settings file, which keeps them as they are.
    QString controlPort() const { return m_controlPort; }
    QString controlTokenFile() const { return m_controlTokenFile; }
    QString sceneAlias(int index) const;
    int sceneRow() const { return m_sceneRow; }
    int sceneColumn() const { return m_sceneColumn; }
    int logoType() const { return m_logoType; }
    int unitWidth() const { return m_unitWidth; }
    int unitHeight() const { return m_unitHeight; }
    int sceneType() const { return m_sceneType; }
    bool isOpenModel() const { return m_openModel; }
    int spliceRow() const { return m_spliceRow; }
    int spliceColumn() const { return m_spliceColumn; }
    int edgeX() const { return m_edgeX; }
    int edgeY() const { return m_edgeY; }
    // The preset recalled or saved last (1 to 16, 0 for none), and whether the wall was edited since.
    int lastPreset() const { return m_lastPreset; }
    bool isPresetChanged() const { return m_isPresetChanged; }

    void setLangType(const QString &strLang) { m_langType = strLang; }
    void setCurrPort(const QString &strPort) { m_currPort = strPort; }
    void setLayoutFolder(const QString &strFolder) { m_layoutFolder = strFolder; }
    void setSceneAlias(int index, const QString &strAlias);
    void setSceneRow(int nRow) { m_sceneRow = nRow; }
    void setSceneColumn(int nColumn) { m_sceneColumn = nColumn; }
    void setSceneType(int nType);
    void setOpenModel(bool bOpen) { m_openModel = bOpen; }
    void setSpliceRow(int nRow) { m_spliceRow = nRow; }
    void setSpliceColumn(int nColumn) { m_spliceColumn = nColumn; }
    void setEdgeX(int nEdge) { m_edgeX = nEdge; }
    void setEdgeY(int nEdge) { m_edgeY = nEdge; }
    void setLastPreset(int nPreset, bool bChanged);

    // Writes every field to the settings file now; the destructor calls it at exit. A file that cannot
    // be replaced whole (read-only folder, full disk) is left as it was.
    void save();
    // Reads "UserData.data" of the current directory again, as at start-up: every field goes back to its
    // default, then the file is loaded, or created with the defaults when there is none.
    void reload();
    // The file holds a value that would be read as serialised data ("@Variant(...)"): it is neither read
    // nor written, and the program runs with the defaults.
    bool isFileRefused() const { return m_isRefused; }

    static constexpr int aliasCount = 16;
    // What a settings file may set; a value outside reads as the default.
    static constexpr int maxSceneCount = 15;
    static constexpr int maxSpliceCount = 15;
    static constexpr int maxEdge = 255;

private:
    static QString aliasKey(int number);

    AppStatus();
    ~AppStatus();
    AppStatus(const AppStatus &) = delete;
    AppStatus &operator=(const AppStatus &) = delete;

    void resetFields();
    // The nine keys written on the first run and at every save, with their values.
    QList<QPair<QString, QVariant>> scalarValues() const;
    void createDefaults();
    void load();
    // Puts the numbers read back into their ranges: a hand-edited or damaged file must not give a wall of
    // no units, a grid of thousands of cells or an edge that no frame carries.
    void boundFields();
    // Puts the values into group "Config" of the settings file, keeping everything else in it.
    bool writeConfig(const QList<QPair<QString, QVariant>> &values);

    QString m_langType;
    QString m_currPort;
    QString m_layoutFolder;
    QString m_controlPort;
    QString m_controlTokenFile;
    QStringList m_sceneAliases;
    int m_sceneRow = 0;
    int m_sceneColumn = 0;
    int m_logoType = 0;
    int m_unitWidth = 0;
    int m_unitHeight = 0;
    int m_sceneType = 0;
    bool m_openModel = false;
    int m_spliceRow = 0;
    int m_spliceColumn = 0;
    int m_edgeX = 0;
    int m_edgeY = 0;
    int m_lastPreset = 0;
    bool m_isPresetChanged = false;
    // The file held the preset keys: they are written back even when no preset is marked any more.
    bool m_hasPresetKeys = false;
    // The settings file, absolute; m_pSettings reads it, and is null while it is no regular file.
    QString m_strFile;
    QSettings *m_pSettings = nullptr;
    bool m_isRefused = false;
};

#endif // APPSTATUS_H
