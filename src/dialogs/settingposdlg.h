#ifndef SETTINGPOSDLG_H
#define SETTINGPOSDLG_H

#include "basesettingdlg.h"

#include <QList>

class QLabel;
class QLineEdit;

// Asks for a window's start X, start Y, width and height in wall units. Any integer can be typed; the
// caller decides what to do with values outside the wall.
class SettingPosDlg : public BaseSettingDlg
{
    Q_OBJECT

public:
    explicit SettingPosDlg(QWidget *parent = nullptr);

    void setValues(int x, int y, int width, int height);
    void getValues(int *x, int *y, int *width, int *height) const;

protected:
    void changeEvent(QEvent *event) override;
    void initContent() override;

private:
    void retranslateLabels();

    QList<QLabel *> m_labels;
    QList<QLineEdit *> m_edits;
};

#endif // SETTINGPOSDLG_H
