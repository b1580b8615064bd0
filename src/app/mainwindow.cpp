#include "mainwindow.h"

#include "appstatus.h"
#include "consolecontrol.h"
#include "controlendpoint.h"
#include "controlserver.h"
#include "operationframe.h"
#include "titleframe.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLibraryInfo>
#include <QVBoxLayout>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), m_lock(lockFileName())
{
    // Taken for --apply to see; a second console in the same folder runs all the same.
    m_lock.tryLock(0);
    applyLanguage(AppStatus::theAppStatus()->langType());
    initLayout();
    initConnections();
    showNotices();
}

MainWindow::~MainWindow()
{
    // The server goes first: no command may reach the frames while they are torn down.
    delete m_pServer;
    m_pServer = nullptr;
}

QString MainWindow::lockFileName()
{
    return QDir::current().filePath(QStringLiteral(".videowall.lock"));
}

bool MainWindow::startControlPort(const QString &strEndpoint, const QString &strTokenFile, QString *pError)
{
    QHostAddress address;
    quint16 nPort = 0;
    if (!parseEndpoint(strEndpoint, &address, &nPort, pError))
        return false;
    QByteArray token;
    if (!strTokenFile.isEmpty() && !readTokenFile(strTokenFile, &token, pError))
        return false;
    if (token.isEmpty() && !isLoopback(address)) {
        *pError = QStringLiteral("a control port on %1 needs a token file (--control-token-file FILE)")
                      .arg(address.toString());
        return false;
    }
    delete m_pServer;
    m_pServer = new ControlServer;
    if (!m_pServer->listen(address, nPort, token, pError)) {
        delete m_pServer;
        m_pServer = nullptr;
        return false;
    }
    m_pControl = std::make_unique<ConsoleControl>(m_pOperationFrame);
    m_pServer->setTarget(m_pControl.get());
    return true;
}

void MainWindow::setControlNotice(const QString &strNotice)
{
    m_strControlNotice = strNotice;
    showNotices();
}

void MainWindow::showNotices()
{
    QStringList notices{m_strNotice, m_strControlNotice};
    if (AppStatus::theAppStatus()->isFileRefused())
        notices << tr(
            "UserData.data was not read (it holds serialised data): defaults in use, the file kept");
    notices.removeAll(QString());
    m_pTitleFrame->showNotice(notices.join(QStringLiteral(" \u00B7 ")));
}

QString MainWindow::translationName(const QString &strLang)
{
    if (strLang.contains(QStringLiteral("简体")))
        return QStringLiteral("zh-cn.qm");
    if (strLang.contains(QStringLiteral("繁体")))
        return QStringLiteral("zh-tw.qm");
    return QString();
}

QString MainWindow::findTranslation(const QString &strName)
{
    const QString strProgram = QCoreApplication::applicationDirPath();
    for (const QString &strFolder :
         {QDir::currentPath() + QStringLiteral("/langs"), strProgram + QStringLiteral("/langs"),
          strProgram + QStringLiteral("/../share/videowall/langs")}) {
        const QString strFile = QDir(strFolder).filePath(strName);
        if (QFileInfo(strFile).isFile())
            return QDir::cleanPath(strFile);
    }
    return QString();
}

void MainWindow::applyLanguage(const QString &strLang)
{
    m_strNotice.clear();
    const QString strName = translationName(strLang);
    if (strName.isEmpty()) {
        QApplication::removeTranslator(&m_translator);
        QApplication::removeTranslator(&m_qtTranslator);
        return;
    }
    const QString strFile = findTranslation(strName);
    if (strFile.isEmpty() || !m_translator.load(strFile)) {
        QApplication::removeTranslator(&m_translator);
        QApplication::removeTranslator(&m_qtTranslator);
        m_strNotice = tr("%1: its texts (%2) were not found, shown in English").arg(strLang, strName);
        return;
    }
    QApplication::installTranslator(&m_translator);
    const QString strQt = strName == QStringLiteral("zh-cn.qm") ? QStringLiteral("qtbase_zh_CN")
                                                                : QStringLiteral("qtbase_zh_TW");
    if (m_qtTranslator.load(strQt, QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&m_qtTranslator);
    else
        QApplication::removeTranslator(&m_qtTranslator);
}

QPoint MainWindow::centredPosition(const QRect &desktop, const QSize &size)
{
    return QPoint((desktop.width() - size.width()) / 2, (desktop.height() - size.height()) / 2);
}

void MainWindow::initLayout()
{
    setWindowFlags(Qt::FramelessWindowHint);
    setFixedSize(1024, 680);

    // Built inside their parents: a finished frame moved into a styled window is styled over again.
    m_pCentralWidget = new QWidget(this);
    m_pTitleFrame = new TitleFrame(m_pCentralWidget);
    m_pOperationFrame = new OperationFrame(m_pCentralWidget);

    auto *pOuter = new QVBoxLayout;
    pOuter->setMargin(0);
    pOuter->setSpacing(0);
    pOuter->setContentsMargins(0, 0, 0, 0);
    pOuter->addWidget(m_pTitleFrame);

    auto *pInner = new QHBoxLayout;
    pInner->setMargin(0);
    pInner->setSpacing(0);
    pInner->addWidget(m_pOperationFrame);
    pOuter->addLayout(pInner);

    setCentralWidget(m_pCentralWidget);
    m_pCentralWidget->setLayout(pOuter);
    m_pCentralWidget->setContentsMargins(0, 0, 0, 0);
}

void MainWindow::initConnections()
{
    connect(m_pTitleFrame, SIGNAL(changLang(QString)), this, SLOT(onChangLang(QString)));
    connect(m_pTitleFrame, SIGNAL(changWindowSize(int)), m_pOperationFrame, SIGNAL(changeSize(int)));
    connect(m_pTitleFrame, SIGNAL(sendLayout()), m_pOperationFrame, SIGNAL(sendLayout()));
    connect(m_pTitleFrame, SIGNAL(undo()), m_pOperationFrame, SIGNAL(undo()));
    connect(m_pTitleFrame, SIGNAL(redo()), m_pOperationFrame, SIGNAL(redo()));
    connect(m_pTitleFrame, SIGNAL(wallSetup()), m_pOperationFrame, SIGNAL(wallSetup()));
    connect(m_pOperationFrame, SIGNAL(differencesChanged(QStringList)), m_pTitleFrame,
            SLOT(onWallDiffers(QStringList)));
    connect(m_pOperationFrame, SIGNAL(undoAvailable(bool)), m_pTitleFrame, SLOT(setUndoEnabled(bool)));
    connect(m_pOperationFrame, SIGNAL(redoAvailable(bool)), m_pTitleFrame, SLOT(setRedoEnabled(bool)));
}

void MainWindow::onChangLang(QString lang)
{
    applyLanguage(lang);
    showNotices();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
}
