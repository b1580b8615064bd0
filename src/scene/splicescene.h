#ifndef SPLICESCENE_H
#define SPLICESCENE_H

#include "address.h"
#include "position.h"

#include <QGraphicsScene>
#include <QList>
#include <QString>

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

    // Deletes every window; nothing is sent.
    void removeAllWnd();
    // Shows the operator's windows (open model) or replaces the grid windows by a fresh standard grid.
    void applyOpenModel(bool bOpen);
    // Replaces all windows by those of the layout and sends each addressed one to the controller.
    void loadConfig(ModelFile *model);
    // Puts one record per visible window into the layout.
    void collectRecords(ModelFile *model);
    // Sends every visible window with an address again, its rectangle and its rotation: for a controller
    // that was switched off or reconnected.
    void sendLayout();
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
    // Sends each window's rectangle and rotation (truncated, as stored), with the pause the controller
    // needs between the two after a rectangle went out.
    void sendWindows(const QList<UnitWnd *> &windows);

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
};

#endif // SPLICESCENE_H
