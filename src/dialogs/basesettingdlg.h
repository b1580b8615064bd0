#ifndef BASESETTINGDLG_H
#define BASESETTINGDLG_H

#include <QDialog>

class QPushButton;
class QVBoxLayout;

// The frame shared by the small setting dialogs: a content area that each dialog fills in initContent(),
// the Ok / Cancel row below it and a title bar with only a close button.
class BaseSettingDlg : public QDialog
{
    Q_OBJECT

public:
    explicit BaseSettingDlg(QWidget *parent = nullptr);

public slots:
    // Accepts; a dialog whose fields must be checked first overrides it.
    virtual void doOK();
    void doCancel();

protected:
    void changeEvent(QEvent *event) override;
    virtual void initContent() = 0;
    // Lays out the content above the buttons; each dialog calls it last in its constructor.
    void initDialog();

    QVBoxLayout *m_pContentLayout = nullptr;
    QPushButton *m_pOkButton = nullptr;
    QPushButton *m_pCancelButton = nullptr;
};

#endif // BASESETTINGDLG_H
