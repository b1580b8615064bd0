#include "positionframe.h"

#include "appstatus.h"
#include "clampedint.h"
#include "labelline.h"
#include "labelspinbox.h"
#include "rangevalidator.h"
#include "seriallink.h"
#include "splicemodel.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDebug>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QtMath>

namespace {

// Decimal integer of a field; empty or non-numeric text counts as 0.
int fieldValue(const QString &strText)
{
    return strText.toInt(nullptr, 10);
}

// Marks a field with the style sheet's red border while it holds no acceptable value; true when it does.
bool isAcceptable(QLineEdit *pEdit)
{
    const bool isGood = pEdit->hasAcceptableInput();
    pEdit->setProperty("iserror", !isGood);
    pEdit->style()->unpolish(pEdit);
    pEdit->style()->polish(pEdit);
    return isGood;
}

} // namespace

PositionFrame::PositionFrame(QWidget *parent) : QFrame(parent), m_nType(-1)
{
    initWindowGroup();
    initSpliceGroup();
    initLayout();
    initConnections();
    initModelButtons();
    setTips();
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
    // Room for a sign and two digits: "-1" (no address) to "63".
    m_pAddr->setFixedWidth(m_pAddr->fontMetrics().horizontalAdvance(QStringLiteral("-63")) + 14);
    m_pAddr->setValidator(new RangeValidator(0, 63, m_pAddr));
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
    m_pRow->setValidator(new RangeValidator(1, 8, m_pRow));
    m_pColumn = new LabelLine(tr("Column"), QString::number(status->spliceColumn()));
    m_pColumn->setValidator(new RangeValidator(1, 8, m_pColumn));
    // The edges travel in one byte each.
    m_pEdgeX = new LabelLine(tr("Edge X"), QString::number(status->edgeX()));
    m_pEdgeX->setValidator(new RangeValidator(0, 255, m_pEdgeX));
    m_pEdgeY = new LabelLine(tr("Edge Y"), QString::number(status->edgeY()));
    m_pEdgeY->setValidator(new RangeValidator(0, 255, m_pEdgeY));
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

// Shows a position that came from the wall without sending it back to the device. The fields take what
// lies on the wall of the current scene type.
void PositionFrame::showPosition(const Position &pos)
{
    disconnectSpinBoxes();
    const int nWidth = 6 * AppStatus::theAppStatus()->unitWidth();
    const int nHeight = 6 * AppStatus::theAppStatus()->unitHeight();
    // Without a window the fields show zeros.
    const int nSmallest = m_nType == 0 ? 1 : 0;
    bool isNewRange = m_pX->setRange(0, nWidth - 1);
    isNewRange = m_pY->setRange(0, nHeight - 1) || isNewRange;
    isNewRange = m_pWidth->setRange(nSmallest, nWidth) || isNewRange;
    isNewRange = m_pHeight->setRange(nSmallest, nHeight) || isNewRange;
    if (isNewRange)
        rangeTips();
    // Rounded as the wire has them, so that OK without a change sends the same rectangle.
    m_pX->setValue(roundedToInt(pos.x));
    m_pY->setValue(roundedToInt(pos.y));
    m_pWidth->setValue(roundedToInt(pos.width));
    m_pHeight->setValue(roundedToInt(pos.height));
    connectSpinBoxes();
}

Position PositionFrame::typedPosition() const
{
    return Position(m_pX->value(), m_pY->value(), m_pWidth->value(), m_pHeight->value());
}

// The window group shows one free window, the selected one, and acts on it only; with a window of the
// grid (type 1) or none selected it holds nothing and takes no input.
void PositionFrame::onUpdate(Position pos, Address add, int nType)
{
    m_nType = nType;
    if (nType == 0) {
        showPosition(pos);
        m_pAddr->setText(QString::number(add.first));
        m_pSubAddr->setText(QString::number(add.second));
    } else {
        showPosition(Position(0, 0, 0, 0));
        m_pAddr->clear();
        m_pSubAddr->clear();
    }
    updateWindowGroup();
}

void PositionFrame::onUpDate(Position pos)
{
    if (m_nType == 0)
        showPosition(pos);
}

// The splice view puts the window where the numbers say, on the wall, and sends it as every edit does.
void PositionFrame::onSpinBoxValueChange()
{
    if (m_nType == 0)
        emit setPos(typedPosition());
}

void PositionFrame::onSetSubPos()
{
    onSpinBoxValueChange();
}

void PositionFrame::onSetSubAddr()
{
    if (m_nType == 0 && isAcceptable(m_pAddr))
        emit setAddr(fieldValue(m_pAddr->text()), fieldValue(m_pSubAddr->text()));
}

void PositionFrame::onSetSplice()
{
    bool isComplete = true;
    for (LabelLine *pField : {m_pRow, m_pColumn, m_pEdgeX, m_pEdgeY})
        isComplete = isAcceptable(pField->findChild<QLineEdit *>()) && isComplete;
    if (!isComplete)
        return;
    const int nRow = fieldValue(m_pRow->text());
    const int nColumn = fieldValue(m_pColumn->text());
    const int nEdgeX = fieldValue(m_pEdgeX->text());
    const int nEdgeY = fieldValue(m_pEdgeY->text());
    AppStatus *status = AppStatus::theAppStatus();
    status->setSpliceRow(nRow);
    status->setSpliceColumn(nColumn);
    status->setEdgeX(nEdgeX);
    status->setEdgeY(nEdgeY);
    // In the irregular model the controller keeps its 15 x 15 grid; the values go out with the switch
    // to the standard model.
    if (!status->isOpenModel())
        SerialLink::theSerialLink()->setSplice(nRow, nColumn, nEdgeX, nEdgeY);
    emit changeOpenModel();
}

void PositionFrame::switchSplice(int id)
{
    const bool isSame = (id == 1) == AppStatus::theAppStatus()->isOpenModel();
    SpliceModel::choose(id == 1);
    // The model already shown is no change: its windows and their history stay.
    if (!isSame)
        emit changeOpenModel();
}

void PositionFrame::onChangeOpenModel()
{
    qDebug() << "onChangeOpenModel";
    // The model may be switched from elsewhere (a layout of the other model).
    (AppStatus::theAppStatus()->isOpenModel() ? m_pIrregular : m_pStandard)->setChecked(true);
    updateWindowGroup();
}

void PositionFrame::updateWindowGroup()
{
    const bool bOpen = AppStatus::theAppStatus()->isOpenModel() && m_nType == 0;
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
    setTips();
}

void PositionFrame::setTips()
{
    rangeTips();
    m_pPosOk->setToolTip(tr("Send the rectangle typed above to the selected window"));
    m_pAddr->setToolTip(tr("Device address of the selected window, 0 to 63"));
    m_pAddrOk->setToolTip(tr("Give the selected window this address"));
    m_pRow->setToolTip(tr("Rows of the splice grid, 1 to 8"));
    m_pColumn->setToolTip(tr("Columns of the splice grid, 1 to 8"));
    m_pEdgeX->setToolTip(tr("Horizontal edge compensation, 0 to 255"));
    m_pEdgeY->setToolTip(tr("Vertical edge compensation, 0 to 255"));
    m_pSpliceOk->setToolTip(tr("Keep the splice grid; in the standard model also send it to the wall"));
    m_pIrregular->setToolTip(tr("Windows drawn freely on the wall"));
    m_pStandard->setToolTip(tr("Windows covering whole display units, in the splice grid"));
}

// The fields take what lies on the wall of the current scene type, and say so.
void PositionFrame::rangeTips()
{
    const int nWidth = 6 * AppStatus::theAppStatus()->unitWidth();
    const int nHeight = 6 * AppStatus::theAppStatus()->unitHeight();
    m_pX->setToolTip(tr("Left edge of the selected window, %1 to %2").arg(0).arg(nWidth - 1));
    m_pY->setToolTip(tr("Top edge of the selected window, %1 to %2").arg(0).arg(nHeight - 1));
    m_pWidth->setToolTip(tr("Width of the selected window, %1 to %2").arg(1).arg(nWidth));
    m_pHeight->setToolTip(tr("Height of the selected window, %1 to %2").arg(1).arg(nHeight));
}
