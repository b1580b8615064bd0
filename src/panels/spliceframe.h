#ifndef SPLICEFRAME_H
#define SPLICEFRAME_H

#include "address.h"
#include "position.h"
#include "splicescene.h"

#include <QFrame>
#include <QList>

class QGraphicsItem;
class QGraphicsLineItem;
class QGraphicsView;
class WallSetupDlg;
class UnitWnd;

// Shows the wall: the view and the wall scene with its outline, unit grid and dimension marks. It is the
// one way from the panels to the scene: it reports the selected window and applies the position panel's
// edits to it, and it saves and loads the numbered scene layouts.
class SpliceFrmae : public QFrame
{
    Q_OBJECT

public:
    explicit SpliceFrmae(QWidget *parent = nullptr);
    ~SpliceFrmae() override;

    // Recalls preset nID (0 to 15) as a click on it does; bAsk as for loadFile.
    SpliceScene::LoadResult recallPreset(int nID, bool bAsk);
    // Stores the visible windows in preset nID; false, with the reason, when the file could not be written.
    bool savePreset(int nID, QString *pError);
    // Loads a layout file as Load does; with bAsk, questions and failures are shown.
    SpliceScene::LoadResult loadFile(const QString &strFile, bool bAsk);
    // Puts the shown window with this address (the first, if several; never a cell of the standard grid)
    // where the numbers say, as the position panel does. The rectangle must lie on the wall. False, with
    // the reason, when nothing moved; *pNote tells when the frame was kept back.
    bool moveWindow(int nAddress, const Position &pos, QString *pError, QString *pNote);
    const SpliceScene *scene() const { return m_pScene; }

signals:
    // Type -1 when no window is selected.
    void selectedChanged(Position pos, Address add, int Type);
    void onpositionchanged(Position);
    void savesignal(QString);
    void loadsignal(QString);
    // Why the wall may not show the picture, one reason a line (none when it does).
    void differencesChanged(QStringList);
    // The wall was edited, loaded or rebuilt.
    void wallEdited();
    // Asks for the splice model the buttons switch to: 1 irregular, 0 standard.
    void switchModel(int);
    void undoAvailable(bool);
    void redoAvailable(bool);
    // A preset was recalled or stored (0 to 15).
    void presetRecalled(int);
    void presetSaved(int);

public slots:
    void updateSceneUnit();
    void onSaveModel(int nIndex);
    void onLoadModel(int nIndex);
    void onChangSceneType(int oldType, int nType);
    void onChangeOpenModel();
    void onSetAddr(int nFirst, int nSecond);
    void onSetPos(Position pos);
    void onChangedSize(int nType);
    void onSelectedChanged();
    void onWndMoved();
    void onSendLayout();
    void onUndo();
    void onRedo();
    void onResetUnits(int nTarget);
    void onDifferences();
    // Asks for the wall's units and scene type, and rebuilds the picture for them.
    void onWallSetup();

protected:
    void changeEvent(QEvent *event) override;

private:
    void initView();
    void initConnections();
    void drawBorder();
    void drawDimensionMarks();
    UnitWnd *firstSelected() const;

    QGraphicsView *m_pView = nullptr;
    SpliceScene *m_pScene = nullptr;
    bool m_isInitialised = false;
    WallSetupDlg *m_pWallDlg = nullptr;
    QList<QGraphicsLineItem *> m_gridLines;
    QList<QGraphicsLineItem *> m_borderLines;
    QList<QGraphicsItem *> m_marks;
};

#endif // SPLICEFRAME_H
