#include "settingposdlg.h"

#include <QEvent>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const int fieldCount = 4;
} // namespace

SettingPosDlg::SettingPosDlg(QWidget *parent) : BaseSettingDlg(parent)
{
    setWindowTitle(tr("Position Setting"));
    initContent();
    initDialog();
}

void SettingPosDlg::initContent()
{
    auto *pForm = new QFormLayout;
    pForm->setSpacing(10);
    pForm->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < fieldCount; ++i) {
        auto *pLabel = new QLabel;
        auto *pEdit = new QLineEdit;
        pEdit->setValidator(new QIntValidator(pEdit));
        pForm->addRow(pLabel, pEdit);
        m_labels.append(pLabel);
        m_edits.append(pEdit);
    }
    retranslateLabels();
    m_pContentLayout->addLayout(pForm);
}

void SettingPosDlg::retranslateLabels()
{
    m_labels.at(0)->setText(tr("Start X"));
    m_labels.at(1)->setText(tr("Start Y"));
    m_labels.at(2)->setText(tr("Width"));
    m_labels.at(3)->setText(tr("Height"));
}

void SettingPosDlg::setValues(int x, int y, int width, int height)
{
    const int values[fieldCount] = {x, y, width, height};
    for (int i = 0; i < fieldCount; ++i)
        m_edits.at(i)->setText(QString::number(values[i]));
}

void SettingPosDlg::getValues(int *x, int *y, int *width, int *height) const
{
    int *const targets[fieldCount] = {x, y, width, height};
    for (int i = 0; i < fieldCount; ++i) {
        if (targets[i])
            *targets[i] = m_edits.at(i)->text().toInt();
    }
}

void SettingPosDlg::changeEvent(QEvent *event)
{
    BaseSettingDlg::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        retranslateLabels();
        setWindowTitle(tr("Position Setting"));
    }
}
