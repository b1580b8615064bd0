#ifndef SETTINGPOSDLG_H
#define SETTINGPOSDLG_H

#include "basesettingdlg.h"

#include <QList>

class QLabel;
class QLineEdit;

// Asks for a window's start X, start Y, width and height in wall units, each within the wall: the start
// from 0, the size from 1. Ok takes the values only when all four fields hold one.
class SettingPosDlg : public BaseSettingDlg
{
    Q_OBJECT

public:
    explicit SettingPosDlg(QWidget *parent = nullptr);

    void setValues(int x, int y, int width, int height);
    void getValues(int *x, int *y, int *width, int *height) const;
    // The wall the values must lie on, in wall units.
    void setWallSize(int nWidth, int nHeight);

public slots:
    void doOK() override;

protected:
    void changeEvent(QEvent *event) override;
    void initContent() override;

private:
    void retranslateLabels();
    void setRange(int nField, int nBottom, int nTop);

    QList<QLabel *> m_labels;
    QList<QLineEdit *> m_edits;
    int m_wallWidth = 3840;
    int m_wallHeight = 2160;
};

#endif // SETTINGPOSDLG_H
