#include "settingposdlg.h"

#include "rangevalidator.h"

#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QVBoxLayout>
#include <QVariant>

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
        pForm->addRow(pLabel, pEdit);
        m_labels.append(pLabel);
        m_edits.append(pEdit);
    }
    setWallSize(m_wallWidth, m_wallHeight);
    m_pContentLayout->addLayout(pForm);
}

void SettingPosDlg::setRange(int nField, int nBottom, int nTop)
{
    QLineEdit *pEdit = m_edits.at(nField);
    delete pEdit->validator();
    pEdit->setValidator(new RangeValidator(nBottom, nTop, pEdit));
    const QString strRange = tr("%1 to %2").arg(nBottom).arg(nTop);
    pEdit->setToolTip(strRange);
    pEdit->setPlaceholderText(strRange);
}

void SettingPosDlg::setWallSize(int nWidth, int nHeight)
{
    m_wallWidth = nWidth;
    m_wallHeight = nHeight;
    retranslateLabels();
}

void SettingPosDlg::doOK()
{
    bool isComplete = true;
    for (QLineEdit *pEdit : qAsConst(m_edits)) {
        // The style sheet draws a field whose "iserror" is true with a red border.
        pEdit->setProperty("iserror", !pEdit->hasAcceptableInput());
        pEdit->style()->unpolish(pEdit);
        pEdit->style()->polish(pEdit);
        isComplete = isComplete && pEdit->hasAcceptableInput();
    }
    if (isComplete)
        accept();
}

void SettingPosDlg::retranslateLabels()
{
    m_labels.at(0)->setText(tr("Start X"));
    m_labels.at(1)->setText(tr("Start Y"));
    m_labels.at(2)->setText(tr("Width"));
    m_labels.at(3)->setText(tr("Height"));
    setRange(0, 0, m_wallWidth - 1);
    setRange(1, 0, m_wallHeight - 1);
    setRange(2, 1, m_wallWidth);
    setRange(3, 1, m_wallHeight);
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
