#ifndef SPLICESCENE_H
#define SPLICESCENE_H

#include "address.h"
#include "position.h"

#include <QGraphicsScene>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

class ModelFile;
class QAction;
class QGraphicsRectItem;
class QMenu;
class QUndoStack;
class SettingAddressDlg;
class SettingCommonDlg;
class SettingPosDlg;
class SettingRotateDlg;
class UnitWnd;
struct WndState;

// The picture of the wall. It owns the unit windows on it, offers their context menu with the setting
// dialogs, lets the operator draw new windows in the open splice model, rebuilds the windows from a stored
// layout (re-sending them to the controller) and lays out the grid of the standard splice model. The last
// layout is kept in "SpliceState.data": read when the scene is built, written when it is destroyed.
class SpliceScene : public QGraphicsScene
{
    Q_OBJECT

public:
    explicit SpliceScene(QObject *parent = nullptr);
    ~SpliceScene() override;

    // The outcome of loading a layout file.
    struct LoadResult
    {
        // The windows were replaced; otherwise the wall is unchanged and strError says why.
        bool isLoaded = false;
        int windowCount = 0;
        // Windows whose rectangle went out, and windows of the splice model that is not shown.
        int sentCount = 0;
        int hiddenCount = 0;
        QString strError;
    };

    // Deletes every window; nothing is sent.
    void removeAllWnd();
    // Shows the operator's windows (open model) or replaces the grid windows by a fresh standard grid.
    void applyOpenModel(bool bOpen);
    // Replaces all windows by those of the layout and sends each addressed one to the controller.
    void loadConfig(ModelFile *model);
    // Puts one record per visible window into the layout.
    void collectRecords(ModelFile *model);
    // Loads a layout file and sends it as Load does. With bAsk, a layout of the splice model that is not
    // shown asks whether to switch to it first (switchModel) and a file without a layout is shown; without
    // it nothing is asked or shown.
    LoadResult loadLayout(const QString &strFile, bool bAsk);
    // Writes the visible windows to a layout file; false, with the reason, when it could not be replaced.
    bool saveLayout(const QString &strFile, QString *pError);
    // Windows that a new wall would drop for good: all but the unaddressed cells of the standard grid.
    int placedWindowCount() const;
    // Windows the picture shows.
    int shownWindowCount() const;
    // Sends every visible window with an address again, its rectangle and its rotation: for a controller
    // that was switched off or reconnected.
    void sendLayout();
    // Resets one unit (0 to 63) or every unit (255): a closed window that still showed there is gone then.
    void resetUnits(int nTarget);
    // True while a layout goes out window by window.
    bool isSending() const { return m_isSending; }
    // Why the wall may not show what the picture shows, one reason a line; empty when it does.
    QStringList differences() const;
    // Gives the window the address unless another window has it already (then the operator is warned);
    // (0, 0) may be shared.
    bool setWndAddress(UnitWnd *pWnd, const Address &address);
    // Milliseconds that loadConfig waits between a window's position and its rotation (100).
    int rebuildPause() const { return m_rebuildPause; }
    void setRebuildPause(int nMs) { m_rebuildPause = qMax(0, nMs); }

    // Sets the action texts again in the current language.
    void retranslate();

    // The operator's edits of windows, to take back and do again (depth 100). Rebuilding the wall (a
    // layout, a model switch, a new grid) forgets them.
    QUndoStack *undoStack() const { return m_pUndo; }

signals:
    void onpositionchanged(Position pos);
    // The reasons of differences() changed.
    void differencesChanged();
    // The wall was edited, loaded or rebuilt.
    void wallEdited();
    // Asks the panels to switch the splice model (1 the irregular one, 0 the standard one), as its buttons
    // do.
    void switchModel(int nId);

public slots:
    void slotAddWnd();
    void slotAddress();
    void slotPosition();
    void slotRotate();
    void slotRes();
    void slotMode();
    void slotClose();
    void slotRest();
    void slotFull();
    void saveModel(QString strFile);
    void loadModel(QString strFile);

protected:
    void contextMenuEvent(QGraphicsSceneContextMenuEvent *event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void initMenus();
    void initConnections();
    // The window the slots act on: the scene's focus item, if it is one of the windows.
    UnitWnd *targetWnd() const;
    UnitWnd *windowOf(QGraphicsItem *item) const;
    void addWnd(UnitWnd *pWnd);
    // Follows the window's edits and what of it reaches the wall.
    void watchWnd(UnitWnd *pWnd);
    void onWindowSent(UnitWnd *pWnd, bool bWritten);
    void dropWnd(UnitWnd *pWnd);
    // How an undone or redone edit goes to the controller: as the edit itself sent it.
    enum class Resend
    {
        Position,
        PositionAlways,
        Rotation,
        Nothing
    };
    void recordEdit(UnitWnd *pWnd, const WndState &before, Resend resend);
    void resend(UnitWnd *pWnd, Resend resend);
    // A window drawn (or closed) by the operator, as one step that can be taken back.
    void recordPresence(UnitWnd *pWnd, bool bAdded);
    void closeWnd(UnitWnd *pWnd);
    void deleteRubberBand();
    // Sends each window's rectangle and rotation, with the pause the controller needs between the two
    // after a rectangle went out. Gives how many rectangles went out.
    int sendWindows(const QList<UnitWnd *> &windows);

    QAction *m_pAddWndAction = nullptr;
    QAction *m_pFullAction = nullptr;
    QAction *m_pAddressAction = nullptr;
    QAction *m_pPositionAction = nullptr;
    QAction *m_pRotateAction = nullptr;
    QAction *m_pResAction = nullptr;
    QAction *m_pModeAction = nullptr;
    QAction *m_pResetAction = nullptr;
    QAction *m_pCloseAction = nullptr;
    QMenu *m_pEmptyMenu = nullptr;
    QMenu *m_pWndMenu = nullptr;
    QList<UnitWnd *> m_windows;
    SettingAddressDlg *m_pAddressDlg = nullptr;
    SettingPosDlg *m_pPosDlg = nullptr;
    SettingCommonDlg *m_pCommonDlg = nullptr;
    SettingRotateDlg *m_pRotateDlg = nullptr;
    QString m_strWarningTitle;
    QString m_strWarningText;
    int m_menuX = 0;
    int m_menuY = 0;
    ModelFile *m_pStateFile = nullptr;
    QGraphicsRectItem *m_pRubberBand = nullptr;
    int m_rebuildPause = 100;
    QUndoStack *m_pUndo = nullptr;
    bool m_isSending = false;
    // The last layout sent that the link dropped: windows sent, of how many.
    int m_cutOffSent = -1;
    int m_cutOffTotal = 0;
    // Windows closed in the picture that the wall still shows (the controller has no command to close).
    struct ClosedWnd
    {
        int address;
        QPointer<UnitWnd> pWnd;
    };
    QList<ClosedWnd> m_closedOnWall;
};

#endif // SPLICESCENE_H
