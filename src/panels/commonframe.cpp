#include "commonframe.h"

#include "appstatus.h"
#include "combobutton.h"
#include "portnames.h"
#include "seriallink.h"
#include "switchcontrol.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariant>

namespace {

enum RowLabel
{
    Port,
    Input,
    Output,
    Resolution,
    Splice,
    Address,
    Rotate,
    UnitRow,
    UnitColumn,
    SceneType,
    OpenModel
};

const char *const rowLabelTexts[] = {
    QT_TRANSLATE_NOOP("CommonFrame", "Port"),        QT_TRANSLATE_NOOP("CommonFrame", "Input"),
    QT_TRANSLATE_NOOP("CommonFrame", "Output"),      QT_TRANSLATE_NOOP("CommonFrame", "Resolution"),
    QT_TRANSLATE_NOOP("CommonFrame", "Splice"),      QT_TRANSLATE_NOOP("CommonFrame", "Address"),
    QT_TRANSLATE_NOOP("CommonFrame", "Rotate"),      QT_TRANSLATE_NOOP("CommonFrame", "Unit Row"),
    QT_TRANSLATE_NOOP("CommonFrame", "Unit Column"), QT_TRANSLATE_NOOP("CommonFrame", "Scene Type"),
    QT_TRANSLATE_NOOP("CommonFrame", "Open Model")};

// In the order of the scene types 0, 1 and 2.
const char *const sceneTypeTexts[] = {QT_TRANSLATE_NOOP("CommonFrame", "landscape"),
                                      QT_TRANSLATE_NOOP("CommonFrame", "portrait"),
                                      QT_TRANSLATE_NOOP("CommonFrame", "stretch")};

const int sceneCountMax = 15;

// Resolution code of the controller for a list entry: 0 for 1920 wide, 1 for 1280 wide, 2 otherwise.
int resolutionCode(const QString &strText)
{
    if (strText.contains(QLatin1String("1920")))
        return 0;
    if (strText.contains(QLatin1String("1280")))
        return 1;
    return 2;
}

} // namespace

CommonFrame::CommonFrame(QWidget *parent) : QFrame(parent)
{
    initLayout();
    initConnections();
    initModeLists();
    initSceneTypeList();
    initSceneCountLists();
    setProperty("class", "CommonFrame");
}

void CommonFrame::initLayout()
{
    for (const char *text : rowLabelTexts)
        m_labels << new QLabel(tr(text));

    m_pPort = new ComboButton;
    m_pPort->setButtonText(tr("Connect"));
    m_pSceneRow = new ComboButton;
    m_pSceneRow->setButtonText(tr("OK"));
    m_pSceneColumn = new ComboButton;
    m_pSceneColumn->setButtonText(tr("OK"));
    m_pInput = new ComboButton;
    m_pInput->setButtonText(tr("OK"));
    m_pOutput = new ComboButton;
    m_pOutput->setButtonText(tr("OK"));
    m_pResolution = new ComboButton;
    m_pResolution->setButtonText(tr("OK"));
    m_pSplice = new SwitchControl(nullptr, true);
    m_pSplice->setMaximumWidth(42);
    m_pAddress = new SwitchControl(nullptr, true);
    m_pAddress->setMaximumWidth(42);
    m_pOpenModel = new SwitchControl(nullptr, false);
    m_pOpenModel->setMaximumWidth(42);
    m_pRotate = new QPushButton(tr("Rotate"));
    m_pSceneType = new ComboButton;
    m_pSceneType->setButtonText(tr("OK"));

    m_pCommonGroup = new QGroupBox(tr("Common Setting"));
    QFormLayout *commonForm = new QFormLayout(m_pCommonGroup);
    commonForm->setSpacing(10);
    commonForm->addRow(m_labels.at(Port), m_pPort);
    commonForm->addRow(m_labels.at(UnitRow), m_pSceneRow);
    commonForm->addRow(m_labels.at(UnitColumn), m_pSceneColumn);

    m_pFunctionGroup = new QGroupBox(tr("Function Setting"));
    QFormLayout *functionForm = new QFormLayout(m_pFunctionGroup);
    functionForm->setSpacing(10);
    functionForm->setContentsMargins(10, 10, 10, 80);
    functionForm->addRow(m_labels.at(Input), m_pInput);
    functionForm->addRow(m_labels.at(Output), m_pOutput);
    functionForm->addRow(m_labels.at(Resolution), m_pResolution);
    functionForm->addRow(m_labels.at(Splice), m_pSplice);
    functionForm->addRow(m_labels.at(Address), m_pAddress);
    functionForm->addRow(m_labels.at(OpenModel), m_pOpenModel);
    functionForm->addRow(m_labels.at(Rotate), m_pRotate);
    functionForm->addRow(m_labels.at(SceneType), m_pSceneType);

    QVBoxLayout *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pCommonGroup);
    layout->addSpacing(6);
    layout->addWidget(m_pFunctionGroup);
    layout->addStretch(10);
}

void CommonFrame::initConnections()
{
    connect(m_pPort, SIGNAL(clicked(bool)), this, SLOT(onConnect()));
    connect(m_pSceneRow, SIGNAL(clicked(bool)), this, SLOT(onSetSceneRow()));
    connect(m_pSceneColumn, SIGNAL(clicked(bool)), this, SLOT(onSetSceneColumn()));
    connect(m_pInput, SIGNAL(clicked(bool)), this, SLOT(onSetInputMode()));
    connect(m_pOutput, SIGNAL(clicked(bool)), this, SLOT(onSetOutputMode()));
    connect(m_pResolution, SIGNAL(clicked(bool)), this, SLOT(onSetResolution()));
    connect(m_pSplice, SIGNAL(toggled(bool)), this, SLOT(switchSplice(bool)));
    connect(m_pAddress, SIGNAL(toggled(bool)), this, SLOT(switchAddress(bool)));
    connect(m_pOpenModel, SIGNAL(toggled(bool)), this, SLOT(switchOpenModel(bool)));
    connect(m_pRotate, SIGNAL(clicked(bool)), this, SLOT(switchRotate()));
    connect(m_pSceneType, SIGNAL(clicked(bool)), this, SLOT(onSetSceneType()));
}

// The system's ports are looked up when the panel is shown, not while the main window is built: the
// lookup asks udev about every device and takes longer than building the rest of the window.
void CommonFrame::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    if (m_pPort->currentIndex() < 0)
        initPortList();
}

void CommonFrame::initPortList()
{
    m_pPort->addItems(PortNames::available());
    // A stored port that is not present leaves the first entry selected.
    m_pPort->setCurrentText(AppStatus::theAppStatus()->currPort());
}

void CommonFrame::initModeLists()
{
    m_pInput->addItems(
        {QStringLiteral("AV"), QStringLiteral("VGA"), QStringLiteral("HDMI"), QStringLiteral("USB")});
    m_pOutput->addItems({QStringLiteral("HDMI"), QStringLiteral("DVI")});
    m_pResolution->addItems(
        {QStringLiteral("1920\u00D71080"), QStringLiteral("1280*720"), QStringLiteral("1024*768")});
}

// Stored values outside the lists (a hand-edited or incomplete settings file) leave the first entry
// selected, so that "OK" never applies an empty choice.
void CommonFrame::initSceneTypeList()
{
    for (const char *text : sceneTypeTexts)
        m_pSceneType->addItem(tr(text));
    const int nType = AppStatus::theAppStatus()->sceneType();
    if (nType >= 0 && nType < 3)
        m_pSceneType->setCurrentIndex(nType);
}

void CommonFrame::initSceneCountLists()
{
    for (int i = 1; i <= sceneCountMax; ++i) {
        m_pSceneRow->addItem(QString::number(i));
        m_pSceneColumn->addItem(QString::number(i));
    }
    AppStatus *status = AppStatus::theAppStatus();
    if (status->sceneRow() >= 1 && status->sceneRow() <= sceneCountMax)
        m_pSceneRow->setCurrentIndex(status->sceneRow() - 1);
    if (status->sceneColumn() >= 1 && status->sceneColumn() <= sceneCountMax)
        m_pSceneColumn->setCurrentIndex(status->sceneColumn() - 1);
}

void CommonFrame::onConnect()
{
    SerialLink *link = SerialLink::theSerialLink();
    if (link->isConnected()) {
        link->close();
        m_pPort->setButtonText(tr("Connect"));
    } else if (link->open(m_pPort->currentText())) {
        m_pPort->setButtonText(tr("DisConnect"));
    }
}

void CommonFrame::onSetInputMode()
{
    const QString strMode = m_pInput->currentText();
    int nMode = 3;
    if (strMode.contains(QLatin1String("HDMI")))
        nMode = 2;
    else if (strMode.contains(QLatin1String("AV")))
        nMode = 0;
    else if (strMode.contains(QLatin1String("VGA")))
        nMode = 1;
    SerialLink::theSerialLink()->setInputMode(nMode);
}

void CommonFrame::onSetOutputMode()
{
    SerialLink::theSerialLink()->switchSignal(2);
}

void CommonFrame::onSetResolution()
{
    SerialLink::theSerialLink()->setResolution(resolutionCode(m_pResolution->currentText()), 0, 0);
}

// The controller knows no "splice off": either state sends the open-model grid.
void CommonFrame::switchSplice(bool bValue)
{
    Q_UNUSED(bValue)
    SerialLink::theSerialLink()->spliceOpenModel();
}

void CommonFrame::switchAddress(bool bShow)
{
    SerialLink::theSerialLink()->showAddressInfo(bShow);
}

void CommonFrame::switchOpenModel(bool bValue)
{
    AppStatus::theAppStatus()->setOpenModel(bValue);
    emit changeOpenModel();
}

void CommonFrame::switchRotate()
{
    SerialLink::theSerialLink()->setRotate(0, 0);
}

void CommonFrame::onSetSceneRow()
{
    bool ok = false;
    const int nRow = m_pSceneRow->currentText().toInt(&ok, 10);
    if (!ok || nRow < 1)
        return;
    AppStatus::theAppStatus()->setSceneRow(nRow);
    emit updateSceneCount();
}

void CommonFrame::onSetSceneColumn()
{
    bool ok = false;
    const int nColumn = m_pSceneColumn->currentText().toInt(&ok, 10);
    if (!ok || nColumn < 1)
        return;
    AppStatus::theAppStatus()->setSceneColumn(nColumn);
    emit updateSceneCount();
}

void CommonFrame::onSetSceneType()
{
    AppStatus *status = AppStatus::theAppStatus();
    const int nOld = status->sceneType();
    const int nNew = m_pSceneType->currentIndex();
    if (nNew < 0)
        return;
    status->setSceneType(nNew);
    emit changeSceneType(nOld, nNew);
}

void CommonFrame::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void CommonFrame::retranslate()
{
    for (int i = 0; i < m_labels.size(); ++i)
        m_labels.at(i)->setText(tr(rowLabelTexts[i]));
    m_pInput->setButtonText(tr("OK"));
    m_pOutput->setButtonText(tr("OK"));
    m_pResolution->setButtonText(tr("OK"));
    m_pSceneRow->setButtonText(tr("OK"));
    m_pSceneColumn->setButtonText(tr("OK"));
    m_pPort->setButtonText(SerialLink::theSerialLink()->isConnected() ? tr("DisConnect") : tr("Connect"));
    m_pRotate->setText(tr("Rotate"));
    m_pCommonGroup->setTitle(tr("Common Setting"));
    m_pFunctionGroup->setTitle(tr("Function Setting"));
    for (int i = 0; i < 3; ++i)
        m_pSceneType->setItemText(i, tr(sceneTypeTexts[i]));
}
