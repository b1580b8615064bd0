#ifndef SETTINGADDRESSDLG_H
#define SETTINGADDRESSDLG_H

#include "basesettingdlg.h"

class QLabel;
class QLineEdit;

// Asks for a window's device address (0 to 63). The sub address rides along unseen, so that the
// caller gets back exactly the value it put in.
class SettingAddressDlg : public BaseSettingDlg
{
    Q_OBJECT

public:
    explicit SettingAddressDlg(QWidget *parent = nullptr);

    void setAddr1(int nAddr);
    void setAddr2(int nAddr);
    int addr1() const;
    int addr2() const;

protected:
    void changeEvent(QEvent *event) override;
    void initContent() override;

private:
    QLabel *m_pLabel = nullptr;
    QLineEdit *m_pAddrEdit = nullptr;
    QLineEdit *m_pSubAddrEdit = nullptr;
};

#endif // SETTINGADDRESSDLG_H
