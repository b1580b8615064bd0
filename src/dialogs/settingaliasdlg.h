#ifndef SETTINGALIASDLG_H
#define SETTINGALIASDLG_H

#include "basesettingdlg.h"

class QLabel;
class QLineEdit;

// Asks for a scene button's alias, showing the button's default name beside it for reference.
class SettingAliasDlg : public BaseSettingDlg
{
    Q_OBJECT

public:
    explicit SettingAliasDlg(QWidget *parent = nullptr);

    void setDefault(const QString &strDefault);
    void setAlias(const QString &strAlias);
    QString alias() const;

protected:
    void changeEvent(QEvent *event) override;
    void initContent() override;

private:
    QLabel *m_pDefaultLabel = nullptr;
    QLabel *m_pAliasLabel = nullptr;
    QLineEdit *m_pDefaultEdit = nullptr;
    QLineEdit *m_pAliasEdit = nullptr;
};

#endif // SETTINGALIASDLG_H
