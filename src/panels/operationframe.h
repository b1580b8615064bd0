#ifndef OPERATIONFRAME_H
#define OPERATIONFRAME_H

#include "position.h"
#include "splicescene.h"

#include <QFrame>

class PositionFrame;
class SceneFrame;
class SpliceFrmae;
class signalframe;

// The body of the main window: creates the control frames, places them (splice settings above, the wall
// in the middle with the preset strip beside it, the position panel below) and wires all of them together.
// The frames never see each other; every exchange runs over the connections made here.
class OperationFrame : public QFrame
{
    Q_OBJECT

public:
    explicit OperationFrame(QWidget *parent = nullptr);
    ~OperationFrame() override;

    // The operations that commands from outside the window call: the same the buttons reach, without
    // questions or message boxes.
    SpliceScene::LoadResult recallPreset(int nID);
    bool savePreset(int nID, QString *pError);
    SpliceScene::LoadResult loadLayout(const QString &strFile);
    void switchInput(int nSignal);
    void resetUnits(int nTarget);
    bool moveWindow(int nAddress, const Position &pos, QString *pError, QString *pNote);
    const SpliceScene *scene() const;

signals:
    void changeSize(int);
    // Relay the title bar's requests: send the whole layout again, take an edit back or do it again, set
    // up the wall.
    void sendLayout();
    void undo();
    void redo();
    void wallSetup();
    // Why the wall may differ from the picture; whether there is an edit to take back or do again.
    void differencesChanged(QStringList);
    void undoAvailable(bool);
    void redoAvailable(bool);

private:
    void initLayout();
    void initConnections();

    SpliceFrmae *m_pSpliceFrame = nullptr;
    SceneFrame *m_pSceneFrame = nullptr;
    signalframe *m_pSignalFrame = nullptr;
    PositionFrame *m_pPositionFrame = nullptr;
};

#endif // OPERATIONFRAME_H
