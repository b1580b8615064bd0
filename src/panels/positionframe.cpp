#include "positionframe.h"

#include "appstatus.h"
#include "labelline.h"
#include "labelspinbox.h"
#include "seriallink.h"
#include "splicemodel.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDebug>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtMath>

namespace {

// Decimal integer of a field; empty or non-numeric text counts as 0.
int fieldValue(const QString &strText)
{
    return strText.toInt(nullptr, 10);
}

// Truncates toward zero; values beyond any spin box range (or not a number) are kept finite first,
// since converting them to int directly is undefined.
int truncated(double dValue)
{
    if (qIsNaN(dValue))
        return 0;
    return int(qBound(-1.0e9, dValue, 1.0e9));
}

// QIntValidator lets a single digit above the top through as intermediate input, which the splice OK
// button would then send; a complete number outside the range is refused outright here.
class GridCountValidator : public QIntValidator
{
public:
    GridCountValidator(int nBottom, int nTop, QObject *parent) : QIntValidator(nBottom, nTop, parent) {}

    State validate(QString &input, int &pos) const override
    {
        const State state = QIntValidator::validate(input, pos);
        if (state != Intermediate)
            return state;
        bool ok = false;
        const int nValue = input.toInt(&ok, 10);
        return (ok && (nValue < bottom() || nValue > top())) ? Invalid : state;
    }
};

} // namespace

PositionFrame::PositionFrame(QWidget *parent) : QFrame(parent), m_nType(-1)
{
    initWindowGroup();
    initSpliceGroup();
    initLayout();
    initConnections();
    initModelButtons();
}

void PositionFrame::initWindowGroup()
{
    // The blank title leaves room for the "Irregular Model" radio button that sits over it.
    m_pWndGroup = new QGroupBox(tr("                            "), this);
    m_pWndGroup->setMinimumWidth(380);

    m_pX = new LabelSpinBox(tr("X"), 0);
    m_pX->setRange(0, 3840);
    m_pY = new LabelSpinBox(tr("Y"), 0);
    m_pY->setRange(0, 2160);
    m_pWidth = new LabelSpinBox(tr("Width"), 0);
    m_pWidth->setRange(0, 3840);
    m_pHeight = new LabelSpinBox(tr("Height"), 0);
    m_pHeight->setRange(0, 2160);
    m_pPosOk = new QPushButton(tr("OK"));

    m_pIdLabel = new QLabel(tr("ID"));
    m_pAddr = new QLineEdit;
    m_pAddr->setMaximumWidth(22);
    // Holds the sub address of the selected window; it is never shown.
    m_pSubAddr = new QLineEdit(this);
    m_pSubAddr->setMaximumWidth(22);
    m_pSubAddr->hide();
    m_pAddrOk = new QPushButton(tr("OK"));

    QHBoxLayout *addrLayout = new QHBoxLayout;
    addrLayout->setContentsMargins(0, 0, 0, 0);
    addrLayout->setSpacing(0);
    addrLayout->addWidget(m_pIdLabel);
    addrLayout->addSpacing(5);
    addrLayout->addWidget(m_pAddr);
    addrLayout->addSpacing(5);
    addrLayout->addWidget(m_pAddrOk);

    QGridLayout *grid = new QGridLayout(m_pWndGroup);
    grid->addWidget(m_pX, 0, 0);
    grid->addWidget(m_pWidth, 0, 1);
    grid->addLayout(addrLayout, 0, 2);
    grid->addWidget(m_pY, 1, 0);
    grid->addWidget(m_pHeight, 1, 1);
    grid->addWidget(m_pPosOk, 1, 2);
}

void PositionFrame::initSpliceGroup()
{
    AppStatus *status = AppStatus::theAppStatus();
    m_pSpliceGroup = new QGroupBox(tr("                            "), this);

    m_pRow = new LabelLine(tr("Row"), QString::number(status->spliceRow()));
    m_pRow->setValidator(new GridCountValidator(0, 8, m_pRow));
    m_pColumn = new LabelLine(tr("Column"), QString::number(status->spliceColumn()));
    m_pColumn->setValidator(new GridCountValidator(0, 8, m_pColumn));
    m_pEdgeX = new LabelLine(tr("Edge X"), QString::number(status->edgeX()));
    m_pEdgeY = new LabelLine(tr("Edge Y"), QString::number(status->edgeY()));
    m_pSpliceOk = new QPushButton(tr("ok"));

    QGridLayout *grid = new QGridLayout(m_pSpliceGroup);
    grid->addWidget(m_pRow, 0, 0);
    grid->addWidget(m_pEdgeX, 0, 1);
    grid->addWidget(m_pColumn, 1, 0);
    grid->addWidget(m_pEdgeY, 1, 1);
    grid->addWidget(m_pSpliceOk, 1, 2);
}

void PositionFrame::initLayout()
{
    QHBoxLayout *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pWndGroup);
    layout->addWidget(m_pSpliceGroup);
    layout->addStretch(20);
}

void PositionFrame::initConnections()
{
    connect(m_pPosOk, SIGNAL(clicked(bool)), this, SLOT(onSetSubPos()));
    connect(m_pAddrOk, SIGNAL(clicked(bool)), this, SLOT(onSetSubAddr()));
    connect(m_pSpliceOk, SIGNAL(clicked(bool)), this, SLOT(onSetSplice()));
    connectSpinBoxes();
}

void PositionFrame::initModelButtons()
{
    m_pModels = new QButtonGroup(this);
    m_pIrregular = new QRadioButton(QCoreApplication::translate("signalframe", "Irregular Model"), this);
    m_pStandard = new QRadioButton(QCoreApplication::translate("signalframe", "standard Model"), this);
    m_pModels->addButton(m_pIrregular, 1);
    m_pModels->addButton(m_pStandard, 0);
    if (AppStatus::theAppStatus()->isOpenModel())
        m_pIrregular->setChecked(true);
    else
        m_pStandard->setChecked(true);
    connect(m_pModels, SIGNAL(buttonClicked(int)), this, SLOT(switchSplice(int)));

    onChangeOpenModel();

    // Drawn over the blank titles of the two groups, outside any layout.
    m_pIrregular->setGeometry(10, 0, 120, 20);
    m_pStandard->setGeometry(400, 0, 120, 20);
}

void PositionFrame::connectSpinBoxes()
{
    connect(m_pX, SIGNAL(valueChanged(int)), this, SLOT(onSpinBoxValueChange()));
    connect(m_pY, SIGNAL(valueChanged(int)), this, SLOT(onSpinBoxValueChange()));
    connect(m_pWidth, SIGNAL(valueChanged(int)), this, SLOT(onSpinBoxValueChange()));
    connect(m_pHeight, SIGNAL(valueChanged(int)), this, SLOT(onSpinBoxValueChange()));
}

void PositionFrame::disconnectSpinBoxes()
{
    disconnect(m_pX, SIGNAL(valueChanged(int)), this, SLOT(onSpinBoxValueChange()));
    disconnect(m_pY, SIGNAL(valueChanged(int)), this, SLOT(onSpinBoxValueChange()));
    disconnect(m_pWidth, SIGNAL(valueChanged(int)), this, SLOT(onSpinBoxValueChange()));
    disconnect(m_pHeight, SIGNAL(valueChanged(int)), this, SLOT(onSpinBoxValueChange()));
}

// Shows a position that came from the wall without sending it back to the device.
void PositionFrame::showPosition(const Position &pos)
{
    disconnectSpinBoxes();
    m_pX->setValue(truncated(pos.x));
    m_pY->setValue(truncated(pos.y));
    m_pWidth->setValue(truncated(pos.width));
    m_pHeight->setValue(truncated(pos.height));
    connectSpinBoxes();
}

Position PositionFrame::typedPosition() const
{
    return Position(m_pX->value(), m_pY->value(), m_pWidth->value(), m_pHeight->value());
}

void PositionFrame::onUpdate(Position pos, Address add, int nType)
{
    if (nType == 0) {
        showPosition(pos);
        m_pAddr->setText(QString::number(add.first));
        m_pSubAddr->setText(QString::number(add.second));
    }
    m_nType = nType;
}

void PositionFrame::onUpDate(Position pos)
{
    if (m_nType == 0)
        showPosition(pos);
}

void PositionFrame::onSpinBoxValueChange()
{
    const Position pos = typedPosition();
    SerialLink::theSerialLink()->setPosition(fieldValue(m_pAddr->text()), fieldValue(m_pSubAddr->text()),
                                             int(pos.x), int(pos.y), int(pos.width), int(pos.height));
    emit setPos(pos);
}

void PositionFrame::onSetSubPos()
{
    const Position pos = typedPosition();
    const int nAddr = fieldValue(m_pAddr->text());
    const int nSub = fieldValue(m_pSubAddr->text());
    if (nAddr != 0 || nSub != 0)
        SerialLink::theSerialLink()->setPosition(nAddr, nSub, int(pos.x), int(pos.y), int(pos.width),
                                                 int(pos.height));
    emit setPos(pos);
}

void PositionFrame::onSetSubAddr()
{
    emit setAddr(fieldValue(m_pAddr->text()), fieldValue(m_pSubAddr->text()));
}

void PositionFrame::onSetSplice()
{
    const int nRow = fieldValue(m_pRow->text());
    const int nColumn = fieldValue(m_pColumn->text());
    const int nEdgeX = fieldValue(m_pEdgeX->text());
    const int nEdgeY = fieldValue(m_pEdgeY->text());
    AppStatus *status = AppStatus::theAppStatus();
    status->setSpliceRow(nRow);
    status->setSpliceColumn(nColumn);
    status->setEdgeX(nEdgeX);
    status->setEdgeY(nEdgeY);
    SerialLink::theSerialLink()->setSplice(nRow, nColumn, nEdgeX, nEdgeY);
    emit changeOpenModel();
}

void PositionFrame::switchSplice(int id)
{
    SpliceModel::choose(id == 1);
    emit changeOpenModel();
}

void PositionFrame::onChangeOpenModel()
{
    qDebug() << "onChangeOpenModel";
    const bool bOpen = AppStatus::theAppStatus()->isOpenModel();
    m_pX->setEnabled(bOpen);
    m_pY->setEnabled(bOpen);
    m_pWidth->setEnabled(bOpen);
    m_pHeight->setEnabled(bOpen);
    m_pPosOk->setEnabled(bOpen);
    m_pAddr->setEnabled(bOpen);
    m_pSubAddr->setEnabled(bOpen);
    m_pAddrOk->setEnabled(bOpen);
}

void PositionFrame::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void PositionFrame::retranslate()
{
    m_pWndGroup->setTitle(tr("                            "));
    m_pSpliceGroup->setTitle(tr("                            "));
    m_pX->setLabelText(tr("X"));
    m_pY->setLabelText(tr("Y"));
    m_pWidth->setLabelText(tr("Width"));
    m_pHeight->setLabelText(tr("Height"));
    m_pPosOk->setText(tr("OK"));
    m_pIdLabel->setText(tr("ID"));
    m_pAddrOk->setText(tr("OK"));
    m_pRow->setLabelText(tr("Row"));
    m_pColumn->setLabelText(tr("Column"));
    m_pEdgeX->setLabelText(tr("Edge X"));
    m_pEdgeY->setLabelText(tr("Edge Y"));
    m_pSpliceOk->setText(QCoreApplication::translate("BaseSettingDlg", "Ok"));
    m_pIrregular->setText(QCoreApplication::translate("signalframe", "Irregular Model"));
    m_pStandard->setText(QCoreApplication::translate("signalframe", "standard Model"));
}
