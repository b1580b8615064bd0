#include "titleframe.h"

#include "appstatus.h"
#include "elidedbutton.h"
#include "elidedlabel.h"
#include "seriallink.h"
#include "settingconnectiondlg.h"

#include <QAction>
#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QVariant>

namespace {
// Move events since the last button release, for the whole process: only the first move of a drag
// restores a maximised window.
int g_moveCount = 0;
} // namespace

TitleFrame::TitleFrame(QWidget *parent) : QFrame(parent)
{
    initLayout();
    initMenus();
    initConnections();

    setProperty("class", "titleFrame");
    m_pTitleLabel->setObjectName(QStringLiteral("titleLabel"));
    m_pAboutButton->setObjectName(QStringLiteral("aboutButton"));
    m_pMinButton->setObjectName(QStringLiteral("minButton"));
    m_pMaxButton->setObjectName(QStringLiteral("maxButton"));
    m_pCloseButton->setObjectName(QStringLiteral("closeButton"));

    initLogo();
    retranslate();
}

TitleFrame::~TitleFrame() = default;

void TitleFrame::initLayout()
{
    setFixedHeight(40);

    m_pTitleLabel = new QLabel(tr("Video Wall Controller"));
    m_pSettingButton = new QPushButton(tr("Setting"));
    m_pConnectButton = new QPushButton(tr("Connect"));
    m_pDisconnectButton = new QPushButton(tr("Disconnect"));
    m_pDisconnectButton->setEnabled(false);
    m_pLinkLabel = new ElidedLabel;
    m_pLinkLabel->setMaximumWidth(300);
    m_pWallButton = new ElidedButton;
    m_pWallButton->setObjectName(QStringLiteral("wallButton"));
    m_pWallButton->setCursor(Qt::PointingHandCursor);
    m_pWallButton->hide();
    m_pAboutButton = new QPushButton;
    m_pMinButton = new QPushButton;
    m_pMaxButton = new QPushButton;
    m_pMaxButton->setProperty("Normal", true);
    m_pCloseButton = new QPushButton;

    m_pLogoLabel = std::make_unique<QLabel>(QStringLiteral("Logo"));
    // Never shown, so its popup needs no styled list view (which would cost a millisecond at start-up).
    m_pResCombo = std::make_unique<QComboBox>();
    m_pResCombo->addItems(
        {QStringLiteral("1024*768"), QStringLiteral("1280*720"), QStringLiteral("1920×1080")});

    auto *pLayout = new QHBoxLayout;
    pLayout->setContentsMargins(0, 0, 10, 0);
    pLayout->addSpacing(10);
    pLayout->addWidget(m_pTitleLabel);
    pLayout->addSpacing(20);
    pLayout->addWidget(m_pSettingButton);
    pLayout->addWidget(m_pConnectButton);
    pLayout->addWidget(m_pDisconnectButton);
    pLayout->addSpacing(10);
    pLayout->addWidget(m_pLinkLabel, 2);
    pLayout->addSpacing(10);
    pLayout->addWidget(m_pWallButton, 3);
    pLayout->addStretch(0);
    pLayout->addWidget(m_pAboutButton);
    pLayout->addWidget(m_pMinButton);
    pLayout->addWidget(m_pMaxButton);
    pLayout->addWidget(m_pCloseButton);
    setLayout(pLayout);
}

void TitleFrame::initMenus()
{
    m_pMainMenu = new QMenu(this);
    m_pUndoAction = m_pMainMenu->addAction(tr("Undo"));
    m_pUndoAction->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_Z));
    m_pRedoAction = m_pMainMenu->addAction(tr("Redo"));
    m_pRedoAction->setShortcuts(
        {QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_Z), QKeySequence(Qt::CTRL + Qt::Key_Y)});
    // The menu is hidden most of the time; the title bar is not, so the shortcuts work from the window.
    for (QAction *pAction : {m_pUndoAction, m_pRedoAction}) {
        pAction->setShortcutContext(Qt::WindowShortcut);
        addAction(pAction);
    }
    m_pUndoAction->setEnabled(false);
    m_pRedoAction->setEnabled(false);
    m_pMainMenu->addSeparator();
    m_pWallSetupAction = m_pMainMenu->addAction(tr("Wall setup…"));
    m_pLangMenu = m_pMainMenu->addMenu(tr("Language"));
    m_pSendAction = new QAction(tr("Send layout"), m_pMainMenu);
    m_pMainMenu->addAction(m_pSendAction);
    m_pAboutAction = new QAction(tr("About"), m_pMainMenu);
    m_pMainMenu->addAction(m_pAboutAction);

    // Language names stay untranslated: they are what the settings file and the main window compare.
    for (const QString &name :
         {QStringLiteral("简体中文"), QStringLiteral("繁体中文"), QStringLiteral("English")}) {
        QAction *pAction = m_pLangMenu->addAction(name);
        pAction->setCheckable(true);
    }
    const QString current = AppStatus::theAppStatus()->langType();
    const auto actions = m_pLangMenu->actions();
    for (QAction *pAction : actions) {
        if (pAction->text() == current) {
            pAction->setChecked(true);
            break;
        }
    }

    m_pAboutButton->setMenu(m_pMainMenu);
}

void TitleFrame::initConnections()
{
    connect(m_pMinButton, SIGNAL(clicked(bool)), this, SLOT(clickMinimum()));
    connect(m_pCloseButton, SIGNAL(clicked(bool)), this, SLOT(clickClose()));
    connect(m_pMaxButton, SIGNAL(clicked(bool)), this, SLOT(clickMax()));
    connect(m_pAboutAction, SIGNAL(triggered(bool)), this, SLOT(slotActionAbout()));
    connect(m_pLangMenu, SIGNAL(triggered(QAction *)), this, SLOT(slotSwitchLang(QAction *)));
    connect(m_pConnectButton, SIGNAL(clicked(bool)), this, SLOT(onConnect()));
    connect(m_pDisconnectButton, SIGNAL(clicked(bool)), this, SLOT(onDisconnect()));
    connect(m_pResCombo.get(), SIGNAL(currentTextChanged(QString)), this, SLOT(onChangedRes()));
    connect(m_pSettingButton, SIGNAL(clicked(bool)), this, SLOT(onSetConnect()));
    connect(m_pSendAction, SIGNAL(triggered(bool)), this, SIGNAL(sendLayout()));
    connect(m_pUndoAction, SIGNAL(triggered(bool)), this, SIGNAL(undo()));
    connect(m_pRedoAction, SIGNAL(triggered(bool)), this, SIGNAL(redo()));
    connect(m_pWallSetupAction, SIGNAL(triggered(bool)), this, SIGNAL(wallSetup()));
    connect(m_pWallButton, SIGNAL(clicked(bool)), this, SIGNAL(sendLayout()));
    connect(SerialLink::theSerialLink(), SIGNAL(stateChanged()), this, SLOT(onLinkState()));
}

void TitleFrame::initLogo()
{
    const QString path = AppStatus::theAppStatus()->logoType() == 0
                             ? QStringLiteral(":/images/resource/images/LOGO.png")
                             : QDir::currentPath() + QStringLiteral("/logo.png");
    m_pLogoLabel->setPixmap(QPixmap(path));
}

void TitleFrame::onLinkState()
{
    const SerialLink *link = SerialLink::theSerialLink();
    const SerialLink::State state = link->state();
    // A lost line is reached again with one press of Connect; Disconnect lets go of it.
    m_pConnectButton->setEnabled(state != SerialLink::Connected);
    m_pDisconnectButton->setEnabled(state != SerialLink::Disconnected);
    QString text;
    if (state == SerialLink::Connected)
        text = tr("Connected: %1").arg(link->portName());
    else if (state == SerialLink::Lost)
        text = tr("Lost %1: %2").arg(link->portName(), link->errorString());
    else if (!link->errorString().isEmpty())
        text = tr("Not connected: %1").arg(link->errorString());
    else
        text = tr("Not connected");
    if (!m_strNotice.isEmpty())
        text += QStringLiteral(" \u00B7 ") + m_strNotice;
    // Rich text, so that a long reason wraps instead of running off the screen.
    m_pLinkLabel->setToolTip(QStringLiteral("<p>%1</p>").arg(text.toHtmlEscaped()));
    m_pLinkLabel->setText(text);
    // The state itself stays readable beside the wall's; a long reason is shortened.
    m_pLinkLabel->ensurePolished();
    m_pLinkLabel->setMinimumWidth(qMin(m_pLinkLabel->fontMetrics().horizontalAdvance(text) + 6, 200));
}

void TitleFrame::onWallDiffers(const QStringList &reasons)
{
    m_wallReasons = reasons;
    m_pWallButton->setVisible(!reasons.isEmpty());
    if (reasons.isEmpty())
        return;
    m_pWallButton->setFullText(tr("The wall may differ: %1").arg(reasons.join(QStringLiteral("; "))));
    QString tip = QStringLiteral("<p><b>%1</b></p><ul>").arg(tr("The wall may differ from this picture:"));
    for (const QString &reason : reasons)
        tip += QStringLiteral("<li>%1</li>").arg(reason.toHtmlEscaped());
    m_pWallButton->setToolTip(tip +
                              QStringLiteral("</ul><p>%1</p>").arg(tr("Press to send the layout again.")));
}

void TitleFrame::showNotice(const QString &strNotice)
{
    m_strNotice = strNotice;
    onLinkState();
}

void TitleFrame::setUndoEnabled(bool bEnabled)
{
    m_pUndoAction->setEnabled(bEnabled);
}

void TitleFrame::setRedoEnabled(bool bEnabled)
{
    m_pRedoAction->setEnabled(bEnabled);
}

void TitleFrame::toggleMaximized()
{
    QWidget *pWindow = window();
    if (pWindow->isMaximized()) {
        pWindow->showNormal();
        setMaxButtonNormal(true);
    } else {
        pWindow->showMaximized();
        setMaxButtonNormal(false);
    }
}

void TitleFrame::setMaxButtonNormal(bool normal)
{
    m_pMaxButton->setProperty("Normal", normal);
    // A dynamic property change does not re-evaluate style sheet selectors by itself.
    m_pMaxButton->style()->unpolish(m_pMaxButton);
    m_pMaxButton->style()->polish(m_pMaxButton);
    m_pMaxButton->update();
    emit changWindowSize(normal ? 0 : 1);
}

void TitleFrame::clickMinimum()
{
    window()->showMinimized();
}

void TitleFrame::clickClose()
{
    window()->close();
}

void TitleFrame::clickMax()
{
    toggleMaximized();
}

void TitleFrame::slotActionAbout()
{
    QMessageBox::about(window(), tr("About"),
                       QStringLiteral("<p><b>%1</b></p><p>%2<br>%3<br>%4</p>")
                           .arg(tr("Video Wall Controller"), tr("Version %1").arg(QStringLiteral(VW_VERSION)),
                                tr("Qt %1").arg(QString::fromLatin1(qVersion())),
                                tr("License: %1").arg(QStringLiteral("MIT"))));
}

void TitleFrame::slotSwitchLang(QAction *action)
{
    if (!action)
        return;
    const auto actions = m_pLangMenu->actions();
    for (QAction *pAction : actions)
        pAction->setChecked(false);
    action->setChecked(true);

    const QString lang = action->text();
    if (lang != AppStatus::theAppStatus()->langType()) {
        AppStatus::theAppStatus()->setLangType(lang);
        emit changLang(lang);
    }
}

void TitleFrame::onConnect()
{
    SerialLink::theSerialLink()->open(AppStatus::theAppStatus()->currPort());
    onLinkState();
}

void TitleFrame::onDisconnect()
{
    SerialLink::theSerialLink()->close();
    onLinkState();
}

void TitleFrame::onChangedRes()
{
    const QString text = m_pResCombo->currentText();
    int nRes = 2;
    if (text.contains(QStringLiteral("1920")))
        nRes = 0;
    else if (text.contains(QStringLiteral("1280")))
        nRes = 1;
    SerialLink::theSerialLink()->setResolution(nRes, 0, 0);
}

void TitleFrame::onSetConnect()
{
    if (!m_pConnectDlg)
        m_pConnectDlg = std::make_unique<SettingConnectiondlg>(nullptr);
    m_pConnectDlg->exec();
}

void TitleFrame::mousePressEvent(QMouseEvent *event)
{
    m_isPressed = true;
    m_lastX = event->globalPos().x();
    m_lastY = event->globalPos().y();
    QFrame::mousePressEvent(event);
}

void TitleFrame::mouseReleaseEvent(QMouseEvent *event)
{
    m_isPressed = false;
    g_moveCount = 0;
    QFrame::mouseReleaseEvent(event);
}

void TitleFrame::mouseDoubleClickEvent(QMouseEvent *event)
{
    toggleMaximized();
    QFrame::mouseDoubleClickEvent(event);
}

void TitleFrame::mouseMoveEvent(QMouseEvent *event)
{
    if (m_isPressed) {
        const QPoint global = event->globalPos();
        const QPoint delta(global.x() - m_lastX, global.y() - m_lastY);
        m_lastX = global.x();
        m_lastY = global.y();
        QWidget *pWindow = window();
        ++g_moveCount;
        // Restore before moving: Qt drops the maximised state on move() and keeps the full-screen size.
        if (g_moveCount == 1 && pWindow->isMaximized()) {
            pWindow->showNormal();
            qDebug() << "WindowState" << pWindow->windowState();
        }
        pWindow->move(pWindow->pos() + delta);
        if (g_moveCount == 1)
            setMaxButtonNormal(true);
    }
    QFrame::mouseMoveEvent(event);
}

void TitleFrame::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void TitleFrame::retranslate()
{
    m_pLangMenu->setTitle(tr("Language"));
    m_pAboutAction->setText(tr("About"));
    m_pSendAction->setText(tr("Send layout"));
    m_pUndoAction->setText(tr("Undo"));
    m_pRedoAction->setText(tr("Redo"));
    m_pWallSetupAction->setText(tr("Wall setup…"));
    onLinkState();
    onWallDiffers(m_wallReasons);
    m_pTitleLabel->setText(tr("Video Wall Controller"));
    m_pSettingButton->setText(tr("Setting"));
    m_pConnectButton->setText(tr("Connect"));
    m_pDisconnectButton->setText(tr("Disconnect"));
    m_pSettingButton->setToolTip(tr("Choose the controller's port: a serial port, or a device server's "
                                    "network address"));
    m_pConnectButton->setToolTip(tr("Open the port and send the changes to the controller"));
    m_pDisconnectButton->setToolTip(tr("Let go of the port; nothing is sent"));
    m_pAboutButton->setToolTip(tr("Undo, redo, wall setup, language, send the layout again, about"));
    m_pMinButton->setToolTip(tr("Minimize"));
    m_pMaxButton->setToolTip(tr("Maximize or restore"));
    m_pCloseButton->setToolTip(tr("Close the program; the wall and the settings are kept"));
}
