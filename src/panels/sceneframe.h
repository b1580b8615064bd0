#ifndef SCENEFRAME_H
#define SCENEFRAME_H

#include <QFrame>
#include <QList>
#include <QStringList>

class PresetButton;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class SettingAliasDlg;

// The preset strip beside the wall picture: sixteen numbered wall layouts. A click (or F1 to F12) recalls
// one, Ctrl+click or "Save here" stores the wall in it, its menu renames or clears it. The preset recalled
// or saved last is marked, with a star once the wall was edited since.
class SceneFrame : public QFrame
{
    Q_OBJECT

public:
    explicit SceneFrame(QWidget *parent = nullptr);

    static constexpr int buttonCount = 16;
    // What preset nID (0 to 15) is called: its alias, or "Preset N" while it has none of its own.
    static QString presetName(int nID);

signals:
    // Asks to store the wall in preset nID, or to recall it (0 to 15).
    void saveModel(int);
    void loadModel(int);

public slots:
    void slotClicked(int nID);
    void slotRightClicked(int nID);
    // Recalls the preset as a click does: an empty one does nothing, a damaged one says so.
    void recall(int nID);
    // Stores the wall in the preset, asking first when that replaces a layout.
    void save(int nID);
    void clear(int nID);
    void onPresetRecalled(int nID);
    void onPresetSaved(int nID);
    void onWallEdited();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void initLayout();
    void initMenu();
    void initKeys();
    void retranslate();
    // Reads the presets' files again and shows what they hold.
    void refresh();
    void showButton(int nID);
    void showToolTip(int nID);
    void openMenu(int nID, const QPoint &pos);

    QList<PresetButton *> m_buttons;
    // Per preset: "empty", "valid" or "damaged", and its tool tip once it was needed.
    QStringList m_states;
    QStringList m_tips;
    QList<QAction *> m_keys;
    QMenu *m_pMenu = nullptr;
    QAction *m_pSaveAction = nullptr;
    QAction *m_pRenameAction = nullptr;
    QAction *m_pClearAction = nullptr;
    int m_menuID = -1;
    QLabel *m_pHintLabel = nullptr;
    QGroupBox *m_pGroupBox = nullptr;
    SettingAliasDlg *m_pAliasDlg = nullptr;
    bool m_isRefreshed = false;
};

#endif // SCENEFRAME_H
