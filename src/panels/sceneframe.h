#ifndef SCENEFRAME_H
#define SCENEFRAME_H

#include <QFrame>
#include <QList>

class ButtonWithMenu;
class QGroupBox;
class QLabel;
class QSignalMapper;
class SettingAliasDlg;

// Sixteen preset buttons for wall layouts: a click asks to load the numbered layout, a click with Ctrl
// held asks to save the current one under that number; "Rename" gives a button its alias.
class SceneFrame : public QFrame
{
    Q_OBJECT

public:
    explicit SceneFrame(QWidget *parent = nullptr);

    static constexpr int buttonCount = 16;

signals:
    void saveModel(int);
    void loadModel(int);

public slots:
    void slotClicked(int nID);
    void slotRightClicked(int nID);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void initLayout();
    void retranslate();

    QList<ButtonWithMenu *> m_buttons;
    QSignalMapper *m_pClickMapper = nullptr;
    QSignalMapper *m_pRenameMapper = nullptr;
    QLabel *m_pHintLabel = nullptr;
    QGroupBox *m_pGroupBox = nullptr;
    SettingAliasDlg *m_pAliasDlg = nullptr;
    bool m_isCtrlHeld = false;
    QString m_strScene;
};

#endif // SCENEFRAME_H
