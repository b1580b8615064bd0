#include "harness.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Not in a namespace: the resource initialiser is declared where this is called.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

// Every window rebuilt or laid out writes debug lines; printing them would cost more than the run.
void dropMessages(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

namespace harness {

QString start(int *argc, char ***argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(dropMessages);
    initResources();
    // Lives until the process ends, as the program's own does.
    auto *pApp = new QApplication(*argc, *argv);
    QFile qss(QStringLiteral(":/qss/resource/qss/skin.qss"));
    if (qss.open(QIODevice::ReadOnly))
        pApp->setStyleSheet(QString::fromUtf8(qss.readAll()));
    static QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    return dir.path();
}

bool writeFile(const QString &strPath, const QByteArray &bytes)
{
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace harness
