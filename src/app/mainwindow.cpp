#include "mainwindow.h"

#include "appstatus.h"
#include "operationframe.h"
#include "titleframe.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QVBoxLayout>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    const QString file = translationFile(AppStatus::theAppStatus()->langType());
    if (!file.isEmpty() && m_translator.load(file))
        QApplication::installTranslator(&m_translator);

    initLayout();
    initConnections();
}

MainWindow::~MainWindow() = default;

QString MainWindow::translationFile(const QString &strLang)
{
    if (strLang.contains(QStringLiteral("简体")))
        return QDir::currentPath() + QStringLiteral("/langs/zh-cn.qm");
    if (strLang.contains(QStringLiteral("繁体")))
        return QDir::currentPath() + QStringLiteral("/langs/zh-tw.qm");
    return QString();
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
}

void MainWindow::onChangLang(QString lang)
{
    const QString file = translationFile(lang);
    if (file.isEmpty()) {
        QApplication::removeTranslator(&m_translator);
        return;
    }
    if (m_translator.load(file))
        QApplication::installTranslator(&m_translator);
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
}
