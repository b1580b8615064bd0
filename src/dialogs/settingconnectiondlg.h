#ifndef SETTINGCONNECTIONDLG_H
#define SETTINGCONNECTIONDLG_H

#include <QDialog>
#include <QStringList>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;

// Lets the operator choose the serial port of the controller. The list is built once, from the ports
// present at creation; Ok stores the choice in the settings, connecting is left to the title bar.
// The port field is editable, so a device path that is not listed can be typed.
class SettingConnectiondlg : public QDialog
{
    Q_OBJECT

public:
    explicit SettingConnectiondlg(QWidget *parent = nullptr);
    // Offers the given system port names, filtered as the ports present now would be.
    explicit SettingConnectiondlg(const QStringList &systemPorts, QWidget *parent = nullptr);
    ~SettingConnectiondlg() override;

public slots:
    void doOK();
    void doCancel();

protected:
    // The texts stay in the language the dialog was built in.
    void changeEvent(QEvent *event) override;

private:
    void initLayout();
    void initConnections();
    void fillPorts(const QStringList &portNames);

    QLabel *m_pPortLabel = nullptr;
    QComboBox *m_pPortCombo = nullptr;
    // Built with the dialog but never placed in it.
    std::unique_ptr<QLabel> m_pLabel2;
    std::unique_ptr<QLabel> m_pLabel3;
    std::unique_ptr<QComboBox> m_pCombo2;
    std::unique_ptr<QComboBox> m_pCombo3;
    QPushButton *m_pOkButton = nullptr;
    QPushButton *m_pCancelButton = nullptr;
};

#endif // SETTINGCONNECTIONDLG_H
