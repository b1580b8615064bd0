#ifndef TITLEFRAME_H
#define TITLEFRAME_H

#include <QFrame>

#include <memory>

class ElidedButton;
class ElidedLabel;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class SettingConnectiondlg;

// The title bar that replaces the system frame of the main window: title, serial link buttons, the
// connection dialog, the language menu and the window buttons. Dragging it moves the window.
class TitleFrame : public QFrame
{
    Q_OBJECT

public:
    explicit TitleFrame(QWidget *parent = nullptr);
    ~TitleFrame() override;

    // Shows the maximise image (normal) or the restore image, and tells the body about it.
    void setMaxButtonNormal(bool normal);

signals:
    void changLang(QString);
    void changWindowSize(int);
    // The operator asks to send every window to the controller again.
    void sendLayout();
    // The operator takes the last edit of the wall back, or does it again.
    void undo();
    void redo();
    // The operator opens the wall setup.
    void wallSetup();

public slots:
    void clickMinimum();
    void clickClose();
    void clickMax();
    void slotActionAbout();
    void slotSwitchLang(QAction *action);
    void onConnect();
    void onDisconnect();
    void onChangedRes();
    void onSetConnect();
    // Shows the link's state and the reason of a failure, and offers Connect and Disconnect by it.
    void onLinkState();
    // Shows why the wall may differ from the picture (nothing when it does not); pressing it sends the
    // layout again.
    void onWallDiffers(const QStringList &reasons);
    // A note beside the link's state, for example a language whose texts were not found ("" for none).
    void showNotice(const QString &strNotice);
    void setUndoEnabled(bool bEnabled);
    void setRedoEnabled(bool bEnabled);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    // Texts and tool tips in the current language.
    void retranslate();

private:
    void initLayout();
    void initMenus();
    void initConnections();
    void initLogo();

    void toggleMaximized();

    QLabel *m_pTitleLabel = nullptr;
    QPushButton *m_pSettingButton = nullptr;
    QPushButton *m_pConnectButton = nullptr;
    QPushButton *m_pDisconnectButton = nullptr;
    QPushButton *m_pAboutButton = nullptr;
    QPushButton *m_pMinButton = nullptr;
    QPushButton *m_pMaxButton = nullptr;
    QPushButton *m_pCloseButton = nullptr;
    QMenu *m_pMainMenu = nullptr;
    QMenu *m_pLangMenu = nullptr;
    QAction *m_pAboutAction = nullptr;
    QAction *m_pSendAction = nullptr;
    QAction *m_pUndoAction = nullptr;
    QAction *m_pRedoAction = nullptr;
    QAction *m_pWallSetupAction = nullptr;
    ElidedLabel *m_pLinkLabel = nullptr;
    ElidedButton *m_pWallButton = nullptr;
    QStringList m_wallReasons;
    QString m_strNotice;
    // Built but never placed in the layout, so nothing else owns them.
    std::unique_ptr<QLabel> m_pLogoLabel;
    std::unique_ptr<QComboBox> m_pResCombo;
    std::unique_ptr<SettingConnectiondlg> m_pConnectDlg;
    bool m_isPressed = false;
    int m_lastX = 0;
    int m_lastY = 0;
};

#endif // TITLEFRAME_H
