#include "signalframe.h"

#include "appstatus.h"
#include "labelline.h"
#include "seriallink.h"
#include "splicemodel.h"
#include "switchcontrol.h"

#include <QButtonGroup>
#include <QDebug>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

signalframe::signalframe(QWidget *parent) : QFrame(parent)
{
    initInputGroup();
    initOutputGroup();
    initSpliceModel();
    initSwitches();
    initLayout();
    initConnections();
    setTips();
}

void signalframe::initInputGroup()
{
    m_pInputGroup = new QGroupBox(tr("Input"));
    // Source names as printed on the controller; they are not translated.
    m_pDP = new QPushButton(QStringLiteral("DP"));
    m_pHDMI1 = new QPushButton(QStringLiteral("HDMI1"));
    m_pHDMI2 = new QPushButton(QStringLiteral("HDMI2"));
    m_pWireless = new QPushButton(QStringLiteral("wireless"));
    QHBoxLayout *inputLayout = new QHBoxLayout(m_pInputGroup);
    inputLayout->addWidget(m_pDP);
    inputLayout->addWidget(m_pHDMI1);
    inputLayout->addWidget(m_pHDMI2);
    inputLayout->addWidget(m_pWireless);

    m_pAddInfoGroup = new QGroupBox(tr("Add Info"));
    m_pOn = new QRadioButton(tr("On"));
    m_pOff = new QRadioButton(tr("Off"));
    m_pAddInfo = new QButtonGroup(this);
    m_pAddInfo->addButton(m_pOn, 1);
    m_pAddInfo->addButton(m_pOff, 0);
    m_pOff->setChecked(true);
    QHBoxLayout *addInfoLayout = new QHBoxLayout(m_pAddInfoGroup);
    addInfoLayout->addWidget(m_pOn);
    addInfoLayout->addWidget(m_pOff);

    m_pReset = new QPushButton(tr("Reset"));
    m_pSave = new QPushButton(tr("Save"));
    m_pLoad = new QPushButton(tr("Load"));
}

// The controls below are children of the panel so that they live and die with it, and are hidden so
// that no operator input reaches them.
void signalframe::initOutputGroup()
{
    m_pOutputGroup = new QGroupBox(tr("Output"), this);
    new QHBoxLayout(m_pOutputGroup);
    m_pOutputGroup->hide();
    m_pHDMI = new QPushButton(QStringLiteral("HDMI"), this);
    m_pHDMI->hide();
    m_pDVI = new QPushButton(QStringLiteral("DVI"), this);
    m_pDVI->hide();
}

void signalframe::initSpliceModel()
{
    AppStatus *status = AppStatus::theAppStatus();
    m_pSpliceModelGroup = new QGroupBox(tr("Splice Model"), this);
    m_pIrregular = new QRadioButton(tr("Irregular Model"));
    m_pStandard = new QRadioButton(tr("standard Model"));
    m_pSplices = new QButtonGroup(this);
    m_pSplices->addButton(m_pIrregular, 1);
    m_pSplices->addButton(m_pStandard, 0);
    m_pStandard->setChecked(true);
    QHBoxLayout *modelLayout = new QHBoxLayout(m_pSpliceModelGroup);
    modelLayout->addWidget(m_pIrregular);
    modelLayout->addWidget(m_pStandard);
    m_pSpliceModelGroup->hide();

    m_pRow = new LabelLine(tr("Row"), QString::number(status->spliceRow()), this);
    m_pColumn = new LabelLine(tr("Column"), QString::number(status->spliceColumn()), this);
    m_pEdgeX = new LabelLine(tr("Edge X"), QString::number(status->edgeX()), this);
    m_pEdgeY = new LabelLine(tr("Edge Y"), QString::number(status->edgeY()), this);
    m_pSpliceOk = new QPushButton(tr("ok"), this);
    for (QWidget *widget :
         {static_cast<QWidget *>(m_pRow), static_cast<QWidget *>(m_pColumn), static_cast<QWidget *>(m_pEdgeX),
          static_cast<QWidget *>(m_pEdgeY), static_cast<QWidget *>(m_pSpliceOk)})
        widget->hide();
}

void signalframe::initSwitches()
{
    m_pAddInfoLabel = new QLabel(tr("Add Info"), this);
    m_pAddInfoLabel->hide();
    m_pAddInfoSwitch = new SwitchControl(this, false);
    m_pAddInfoSwitch->setMaximumHeight(24);
    m_pAddInfoSwitch->hide();

    m_pSpliceLabel = new QLabel(tr("Splice Setting"), this);
    m_pSpliceLabel->hide();
    m_pSpliceSwitch = new SwitchControl(this, false);
    m_pSpliceSwitch->setMaximumHeight(24);
    m_pSpliceSwitch->hide();
}

void signalframe::initLayout()
{
    QHBoxLayout *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pInputGroup);
    layout->addSpacing(20);
    layout->addWidget(m_pAddInfoGroup);
    layout->addStretch(20);
    layout->addWidget(m_pReset);
    layout->addSpacing(20);
    layout->addWidget(m_pSave);
    layout->addWidget(m_pLoad);
}

void signalframe::initConnections()
{
    connect(m_pDP, SIGNAL(clicked(bool)), this, SLOT(onSwitchInput()));
    connect(m_pHDMI1, SIGNAL(clicked(bool)), this, SLOT(onSwitchInput()));
    connect(m_pHDMI2, SIGNAL(clicked(bool)), this, SLOT(onSwitchInput()));
    connect(m_pWireless, SIGNAL(clicked(bool)), this, SLOT(onSwitchInput()));
    connect(m_pAddInfo, SIGNAL(buttonClicked(int)), this, SLOT(switchOpenModel(int)));
    connect(m_pReset, SIGNAL(clicked(bool)), this, SLOT(onReset()));
    connect(m_pSave, SIGNAL(clicked(bool)), this, SLOT(saveAs()));
    connect(m_pLoad, SIGNAL(clicked(bool)), this, SLOT(load()));
    connect(m_pHDMI, SIGNAL(clicked(bool)), this, SLOT(onSwitchOutput()));
    connect(m_pDVI, SIGNAL(clicked(bool)), this, SLOT(onSwitchOutput()));
    connect(m_pAddInfoSwitch, SIGNAL(toggled(bool)), this, SLOT(switchSplice(bool)));
    connect(m_pSpliceSwitch, SIGNAL(toggled(bool)), this, SLOT(switchOpenModel(bool)));
    connect(m_pSplices, SIGNAL(buttonClicked(int)), this, SLOT(switchSplice(int)));
    connect(m_pSpliceOk, SIGNAL(clicked(bool)), this, SLOT(onSetSplice()));
}

void signalframe::onSwitchInput()
{
    QObject *source = sender();
    if (source == m_pDP)
        switchInput(1);
    else if (source == m_pHDMI1)
        switchInput(2);
    else if (source == m_pHDMI2)
        switchInput(3);
    else if (source == m_pWireless)
        switchInput(4);
}

void signalframe::switchInput(int nSignal)
{
    if (nSignal >= 1 && nSignal <= 4)
        SerialLink::theSerialLink()->switchSignal(nSignal);
}

void signalframe::onSwitchOutput()
{
    SerialLink::theSerialLink()->switchSignal(2);
}

void signalframe::onReset()
{
    // Every unit of the wall goes blank: the one command asked for first.
    if (QMessageBox::question(window(), tr("Reset"),
                              tr("Reset every display unit of the wall? The wall goes blank while the units "
                                 "restart."),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    emit resetUnits(SerialLink::allUnits);
}

QString signalframe::chooseFile(const QString &strTitle, QFileDialog::AcceptMode mode)
{
    AppStatus *status = AppStatus::theAppStatus();
    QFileDialog dialog(window(), QString(), status->layoutFolder(), QString());
    dialog.setWindowTitle(strTitle);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters({tr("Layouts (*.json *.data)"), tr("All files (*)")});
    // A name typed without an extension gets ".json".
    dialog.setDefaultSuffix(QStringLiteral("json"));
    dialog.setViewMode(QFileDialog::Detail);
    // Large enough for the list and its filters, over the middle of the main window.
    dialog.resize(720, 460);
    dialog.move(window()->geometry().center() - dialog.rect().center());
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QString strFile = dialog.selectedFiles().value(0);
    status->setLayoutFolder(QFileInfo(strFile).absolutePath());
    return strFile;
}

void signalframe::saveAs()
{
    const QString strFile = chooseFile(tr("Save As"), QFileDialog::AcceptSave);
    if (strFile.isEmpty())
        return;
    qDebug().noquote() << strFile;
    emit savesignal(strFile);
}

void signalframe::load()
{
    const QString strFile = chooseFile(tr("Load"), QFileDialog::AcceptOpen);
    if (strFile.isEmpty())
        return;
    qDebug().noquote() << strFile;
    emit loadsignal(strFile);
}

void signalframe::switchSplice(bool bValue)
{
    SerialLink::theSerialLink()->showAddressInfo(bValue);
}

void signalframe::switchOpenModel(bool bValue)
{
    AppStatus::theAppStatus()->setOpenModel(bValue);
    SerialLink::theSerialLink()->spliceOpenModel();
    emit changeOpenModel();
}

void signalframe::switchSplice(int id)
{
    SpliceModel::choose(id == 1);
    emit changeOpenModel();
    qDebug() << "Switch Splicee" << id;
}

void signalframe::switchOpenModel(int id)
{
    qDebug() << "Switch switchOpenModel" << id;
    SerialLink::theSerialLink()->showAddressInfo(id == 1);
}

void signalframe::onSetSplice()
{
    const int id = m_pSplices->checkedId();
    qDebug() << "m_pSplices->checkedId()" << (id == 1);
    AppStatus *status = AppStatus::theAppStatus();
    status->setOpenModel(id == 1);

    const int nRow = m_pRow->text().toInt(nullptr, 10);
    const int nColumn = m_pColumn->text().toInt(nullptr, 10);
    const int nEdgeX = m_pEdgeX->text().toInt(nullptr, 10);
    const int nEdgeY = m_pEdgeY->text().toInt(nullptr, 10);
    if (id == 1)
        SerialLink::theSerialLink()->setSplice(15, 15, nEdgeX, nEdgeY);
    else
        SerialLink::theSerialLink()->setSplice(nRow, nColumn, nEdgeX, nEdgeY);

    status->setSpliceRow(nRow);
    status->setSpliceColumn(nColumn);
    status->setEdgeX(nEdgeX);
    status->setEdgeY(nEdgeY);
    emit changeOpenModel();
}

void signalframe::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void signalframe::retranslate()
{
    m_pAddInfoLabel->setText(tr("Add Info"));
    m_pSpliceLabel->setText(tr("Splice Setting"));
    m_pSave->setText(tr("Save"));
    m_pLoad->setText(tr("Load"));
    m_pReset->setText(tr("Reset"));
    m_pInputGroup->setTitle(tr("Input"));
    m_pOutputGroup->setTitle(tr("Output"));
    m_pSpliceModelGroup->setTitle(tr("Splice Model"));
    m_pAddInfoGroup->setTitle(tr("Add Info"));
    m_pIrregular->setText(tr("Irregular Model"));
    m_pStandard->setText(tr("standard Model"));
    setTips();
}

void signalframe::setTips()
{
    // A button's text sets its shortcut from its mnemonic: these come after.
    m_pSave->setShortcut(QKeySequence::Save);
    m_pLoad->setShortcut(QKeySequence::Open);
    m_pSave->setToolTip(tr("Save the layout of the wall in a file (Ctrl+S)"));
    m_pLoad->setToolTip(tr("Load a layout from a file and send it to the wall (Ctrl+O)"));
    m_pReset->setToolTip(tr("Reset every display unit of the wall (asks first)"));
    for (QPushButton *pInput : {m_pDP, m_pHDMI1, m_pHDMI2, m_pWireless})
        pInput->setToolTip(tr("Show the %1 input on the wall").arg(pInput->text()));
    m_pOn->setToolTip(tr("Show each unit's address on the wall"));
    m_pOff->setToolTip(tr("Hide the units' addresses"));
}
