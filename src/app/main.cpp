#include "mainwindow.h"

#include <QApplication>
#include <QDesktopWidget>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QResource>

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(resources);
    auto *pApp = new QApplication(argc, argv);

    // An optional external resource file beside the program; nothing depends on it.
    QResource::registerResource(QDir::currentPath() + QStringLiteral("/resource.dll"));

    auto *pQss = new QFile(QStringLiteral(":/qss/resource/qss/skin.qss"));
    if (pQss->open(QIODevice::ReadOnly)) {
        const QByteArray bytes = pQss->readAll();
        const int end = bytes.indexOf('\0');
        qApp->setStyleSheet(QString::fromUtf8(end < 0 ? bytes : bytes.left(end)));
    }

    auto *pFont = new QFont;
    pFont->setFamily(QStringLiteral("微软雅黑"));
    QApplication::setFont(*pFont);

    int result = 0;
    {
        MainWindow window(nullptr);
        window.show();
        window.move(MainWindow::centredPosition(QApplication::desktop()->geometry(), window.size()));
        window.show();
        result = pApp->exec();
    }
    delete pFont;
    delete pQss;
    delete pApp;
    return result;
}
