#ifndef SETTINGROTATEDLG_H
#define SETTINGROTATEDLG_H

#include "basesettingdlg.h"

class QComboBox;
class QLabel;

// Asks for a window's rotation as an index: 0 none, 1 90 degrees, 2 180, 3 270.
class SettingRotateDlg : public BaseSettingDlg
{
    Q_OBJECT

public:
    explicit SettingRotateDlg(QWidget *parent = nullptr);

    void setCurrentIndex(int nIndex);
    int currentIndex() const;

protected:
    void initContent() override;

private:
    QLabel *m_pLabel = nullptr;
    QComboBox *m_pCombo = nullptr;
};

#endif // SETTINGROTATEDLG_H
