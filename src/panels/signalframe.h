#ifndef SIGNALFRAME_H
#define SIGNALFRAME_H

#include <QFileDialog>
#include <QFrame>

class LabelLine;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class SwitchControl;

// The strip above the wall picture: input source, address information on the units, reset of all
// units, and the choice of files to save the wall layout to or load it from. It also builds output
// and splice model controls that are kept off the screen.
class signalframe : public QFrame
{
    Q_OBJECT

public:
    explicit signalframe(QWidget *parent = nullptr);

signals:
    void savesignal(QString);
    void loadsignal(QString);
    void changeOpenModel();
    // Resets a unit (0 to 63) or the whole wall (255).
    void resetUnits(int);

public slots:
    void onSwitchInput();
    // Shows an input on the wall: 1 DP, 2 HDMI1, 3 HDMI2, 4 wireless.
    void switchInput(int nSignal);
    void onSwitchOutput();
    void onReset();
    void saveAs();
    void load();
    void switchSplice(bool bValue);
    void switchOpenModel(bool bValue);
    void switchSplice(int id);
    void switchOpenModel(int id);
    void onSetSplice();

protected:
    void changeEvent(QEvent *event) override;

private:
    void initInputGroup();
    void initOutputGroup();
    void initSpliceModel();
    void initSwitches();
    void initLayout();
    void initConnections();
    void retranslate();
    // Tool tips and shortcuts in the current language.
    void setTips();

    // Runs the layout file dialog; an empty result means it was cancelled.
    QString chooseFile(const QString &strTitle, QFileDialog::AcceptMode mode);

    QGroupBox *m_pInputGroup;
    QPushButton *m_pDP;
    QPushButton *m_pHDMI1;
    QPushButton *m_pHDMI2;
    QPushButton *m_pWireless;

    QGroupBox *m_pAddInfoGroup;
    QButtonGroup *m_pAddInfo;
    QRadioButton *m_pOn;
    QRadioButton *m_pOff;

    QPushButton *m_pReset;
    QPushButton *m_pSave;
    QPushButton *m_pLoad;

    // Built but kept off the screen.
    QGroupBox *m_pOutputGroup;
    QPushButton *m_pHDMI;
    QPushButton *m_pDVI;
    QLabel *m_pAddInfoLabel;
    SwitchControl *m_pAddInfoSwitch;
    QLabel *m_pSpliceLabel;
    SwitchControl *m_pSpliceSwitch;
    QGroupBox *m_pSpliceModelGroup;
    QButtonGroup *m_pSplices;
    QRadioButton *m_pIrregular;
    QRadioButton *m_pStandard;
    LabelLine *m_pRow;
    LabelLine *m_pColumn;
    LabelLine *m_pEdgeX;
    LabelLine *m_pEdgeY;
    QPushButton *m_pSpliceOk;
};

#endif // SIGNALFRAME_H
