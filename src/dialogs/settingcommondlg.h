#ifndef SETTINGCOMMONDLG_H
#define SETTINGCOMMONDLG_H

#include "basesettingdlg.h"

class QComboBox;
class QLabel;

// Asks for a unit's input resolution (type 0) or input mode (any other type). One object serves both:
// setType() switches the texts and the list before each use.
class SettingCommonDlg : public BaseSettingDlg
{
    Q_OBJECT

public:
    explicit SettingCommonDlg(QWidget *parent = nullptr, int nType = 0);

    void setType(int nType);
    int type() const { return m_nType; }
    QString currentText() const;

protected:
    void changeEvent(QEvent *event) override;
    void initContent() override;

private:
    QString titleText() const;
    QString labelText() const;
    void fillItems();

    QLabel *m_pLabel = nullptr;
    QComboBox *m_pCombo = nullptr;
    int m_nType = 0;
};

#endif // SETTINGCOMMONDLG_H
