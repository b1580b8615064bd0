#include "settingconnectiondlg.h"

#include "appstatus.h"
#include "portnames.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

SettingConnectiondlg::SettingConnectiondlg(QWidget *parent)
    : SettingConnectiondlg(PortNames::systemNames(), parent)
{}

SettingConnectiondlg::SettingConnectiondlg(const QStringList &systemPorts, QWidget *parent) : QDialog(parent)
{
    initLayout();
    initConnections();
    fillPorts(PortNames::filter(systemPorts));
}

SettingConnectiondlg::~SettingConnectiondlg() = default;

void SettingConnectiondlg::initLayout()
{
    m_pPortLabel = new QLabel(tr("Port"));
    m_pPortCombo = new QComboBox;
    m_pPortCombo->setEditable(true);
    m_pPortCombo->setInsertPolicy(QComboBox::NoInsert);
    // Wide enough for a name under /dev/serial/by-id.
    m_pPortCombo->setMinimumWidth(m_pPortCombo->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 64);
    m_pLabel2 = std::make_unique<QLabel>(tr("Port"));
    m_pLabel3 = std::make_unique<QLabel>(tr("Port"));
    m_pCombo2 = std::make_unique<QComboBox>();
    m_pCombo3 = std::make_unique<QComboBox>();
    m_pOkButton = new QPushButton(tr("Ok"));
    m_pCancelButton = new QPushButton(tr("Cancel"));

    auto *pGrid = new QGridLayout;
    pGrid->addWidget(m_pPortLabel, 0, 0);
    pGrid->addWidget(m_pPortCombo, 0, 1);

    auto *pButtons = new QHBoxLayout;
    pButtons->addStretch(20);
    pButtons->addWidget(m_pOkButton);
    pButtons->addWidget(m_pCancelButton);
    pButtons->setSpacing(10);

    auto *pLayout = new QVBoxLayout;
    pLayout->addLayout(pGrid);
    pLayout->addLayout(pButtons);
    setLayout(pLayout);
}

void SettingConnectiondlg::initConnections()
{
    connect(m_pOkButton, SIGNAL(clicked(bool)), this, SLOT(doOK()));
    connect(m_pCancelButton, SIGNAL(clicked(bool)), this, SLOT(doCancel()));
}

void SettingConnectiondlg::fillPorts(const QStringList &portNames)
{
    m_pPortCombo->addItems(portNames);
    if (m_pPortCombo->count() == 0)
        m_pPortCombo->addItem(QStringLiteral("COM1"));
    // A stored port the system does not list (a typed device path, a by-id link, a simulator's link) is
    // shown as it is, so that Ok without a change keeps it.
    const QString stored = AppStatus::theAppStatus()->currPort();
    const int index = m_pPortCombo->findText(stored);
    if (index >= 0)
        m_pPortCombo->setCurrentIndex(index);
    else if (!stored.isEmpty())
        m_pPortCombo->setEditText(stored);
}

void SettingConnectiondlg::doOK()
{
    // A cleared field would store a port that can never open; keep the previous one instead.
    const QString port = m_pPortCombo->currentText().trimmed();
    if (port.isEmpty())
        m_pPortCombo->setEditText(AppStatus::theAppStatus()->currPort());
    else
        AppStatus::theAppStatus()->setCurrPort(port);
    accept();
}

void SettingConnectiondlg::doCancel()
{
    reject();
}

void SettingConnectiondlg::changeEvent(QEvent *event)
{
    Q_UNUSED(event)
}
