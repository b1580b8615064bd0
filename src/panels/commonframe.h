#ifndef COMMONFRAME_H
#define COMMONFRAME_H

#include <QFrame>
#include <QList>

class ComboButton;
class QGroupBox;
class QLabel;
class QPushButton;
class SwitchControl;

// Connection and wall-wide settings: serial port, unit grid of the scene, input, output, resolution,
// splice, address and open-model switches, rotation and scene type.
class CommonFrame : public QFrame
{
    Q_OBJECT

public:
    explicit CommonFrame(QWidget *parent = nullptr);

signals:
    void updateSceneCount();
    void changeSceneType(int, int);
    void changeOpenModel();

public slots:
    void onConnect();
    void onSetInputMode();
    void onSetOutputMode();
    void onSetResolution();
    void switchSplice(bool bValue);
    void switchAddress(bool bShow);
    void switchOpenModel(bool bValue);
    void switchRotate();
    void onSetSceneRow();
    void onSetSceneColumn();
    void onSetSceneType();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void initLayout();
    void initConnections();
    void initPortList();
    void initModeLists();
    void initSceneTypeList();
    void initSceneCountLists();
    void retranslate();

    QGroupBox *m_pCommonGroup;
    QGroupBox *m_pFunctionGroup;
    // Row labels in the order of the translation table in the source.
    QList<QLabel *> m_labels;

    ComboButton *m_pPort;
    ComboButton *m_pSceneRow;
    ComboButton *m_pSceneColumn;
    ComboButton *m_pInput;
    ComboButton *m_pOutput;
    ComboButton *m_pResolution;
    SwitchControl *m_pSplice;
    SwitchControl *m_pAddress;
    SwitchControl *m_pOpenModel;
    QPushButton *m_pRotate;
    ComboButton *m_pSceneType;
};

#endif // COMMONFRAME_H
