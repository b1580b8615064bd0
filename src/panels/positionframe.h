#ifndef POSITIONFRAME_H
#define POSITIONFRAME_H

#include "address.h"
#include "position.h"

#include <QFrame>

class LabelLine;
class LabelSpinBox;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The panel below the wall picture: position, size and address of the selected window by numbers,
// the splice grid of the wall, and the choice between the irregular and the standard splice model.
class PositionFrame : public QFrame
{
    Q_OBJECT

public:
    explicit PositionFrame(QWidget *parent = nullptr);

signals:
    void setAddr(int, int);
    void setPos(Position);
    void changeOpenModel();

public slots:
    void onSetSubPos();
    void onSetSubAddr();
    void onSetSplice();
    void onSpinBoxValueChange();
    void switchSplice(int id);
    void onUpdate(Position pos, Address add, int nType);
    void onUpDate(Position pos);
    void onChangeOpenModel();

protected:
    void changeEvent(QEvent *event) override;

private:
    void initWindowGroup();
    void initSpliceGroup();
    void initLayout();
    void initConnections();
    void initModelButtons();
    void retranslate();
    // Tool tips in the current language; the ranges follow the wall.
    void setTips();
    void rangeTips();

    void connectSpinBoxes();
    void disconnectSpinBoxes();
    void showPosition(const Position &pos);
    // Takes input in the irregular model while a free window is shown.
    void updateWindowGroup();
    Position typedPosition() const;

    QGroupBox *m_pWndGroup;
    LabelSpinBox *m_pX;
    LabelSpinBox *m_pY;
    LabelSpinBox *m_pWidth;
    LabelSpinBox *m_pHeight;
    QPushButton *m_pPosOk;
    QLabel *m_pIdLabel;
    QLineEdit *m_pAddr;
    QLineEdit *m_pSubAddr;
    QPushButton *m_pAddrOk;

    QGroupBox *m_pSpliceGroup;
    LabelLine *m_pRow;
    LabelLine *m_pColumn;
    LabelLine *m_pEdgeX;
    LabelLine *m_pEdgeY;
    QPushButton *m_pSpliceOk;

    QButtonGroup *m_pModels;
    QRadioButton *m_pIrregular;
    QRadioButton *m_pStandard;

    // Type of the window last selected on the wall; -1 until one is selected.
    int m_nType;
};

#endif // POSITIONFRAME_H
