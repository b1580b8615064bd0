#include "settingaddressdlg.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// QIntValidator lets "64" stand as intermediate input when the top is 63, and the dialog would then
// return it. With a bottom of 0 more digits only make a number larger, so such input is refused.
class RangeValidator : public QIntValidator
{
public:
    RangeValidator(int nBottom, int nTop, QObject *parent) : QIntValidator(nBottom, nTop, parent) {}

    State validate(QString &strInput, int &nPos) const override
    {
        const State state = QIntValidator::validate(strInput, nPos);
        if (state != Intermediate || bottom() < 0)
            return state;
        bool isNumber = false;
        const qlonglong nValue = locale().toLongLong(strInput, &isNumber);
        return isNumber && nValue > top() ? Invalid : state;
    }
};

} // namespace

SettingAddressDlg::SettingAddressDlg(QWidget *parent) : BaseSettingDlg(parent)
{
    setWindowTitle(tr("Address Setting"));
    initContent();
    initDialog();
}

void SettingAddressDlg::initContent()
{
    m_pLabel = new QLabel(tr("Address"));
    m_pAddrEdit = new QLineEdit;
    m_pAddrEdit->setValidator(new RangeValidator(0, 63, m_pAddrEdit));

    // Owned by the dialog but in no layout and hidden for good: nothing can edit it.
    m_pSubAddrEdit = new QLineEdit(this);
    m_pSubAddrEdit->setValidator(new RangeValidator(0, 255, m_pSubAddrEdit));
    m_pSubAddrEdit->hide();

    auto *pRow = new QHBoxLayout;
    pRow->setSpacing(10);
    pRow->setContentsMargins(0, 0, 0, 0);
    pRow->addWidget(m_pLabel, 1);
    pRow->addWidget(m_pAddrEdit, 2);
    m_pContentLayout->addLayout(pRow);
}

void SettingAddressDlg::setAddr1(int nAddr)
{
    m_pAddrEdit->setText(QString::number(nAddr));
}

void SettingAddressDlg::setAddr2(int nAddr)
{
    m_pSubAddrEdit->setText(QString::number(nAddr));
}

int SettingAddressDlg::addr1() const
{
    return m_pAddrEdit->text().toInt();
}

int SettingAddressDlg::addr2() const
{
    return m_pSubAddrEdit->text().toInt();
}

void SettingAddressDlg::changeEvent(QEvent *event)
{
    BaseSettingDlg::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(tr("Address Setting"));
        m_pLabel->setText(tr("Address"));
    }
}
