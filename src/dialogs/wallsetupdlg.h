#ifndef WALLSETUPDLG_H
#define WALLSETUPDLG_H

#include "basesettingdlg.h"

class QComboBox;
class QLabel;
class QSpinBox;

// Asks for what describes the wall: its display units in rows and columns (1 to 15 each) and the scene
// type (0 landscape, 1 portrait, 2 stretch).
class WallSetupDlg : public BaseSettingDlg
{
    Q_OBJECT

public:
    explicit WallSetupDlg(QWidget *parent = nullptr);

    static constexpr int maxUnits = 15;

    // Values outside the ranges show as the nearest one that is in them.
    void setValues(int nRows, int nColumns, int nSceneType);
    int rows() const;
    int columns() const;
    int sceneType() const;

protected:
    void changeEvent(QEvent *event) override;
    void initContent() override;

private:
    void retranslate();

    QLabel *m_pRowsLabel = nullptr;
    QLabel *m_pColumnsLabel = nullptr;
    QLabel *m_pTypeLabel = nullptr;
    QSpinBox *m_pRows = nullptr;
    QSpinBox *m_pColumns = nullptr;
    QComboBox *m_pType = nullptr;
};

#endif // WALLSETUPDLG_H
