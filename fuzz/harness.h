#ifndef HARNESS_H
#define HARNESS_H

// What both fuzzing harnesses share: a quiet offscreen application, styled as the program is, that works in
// a temporary folder of its own.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Not in a namespace: the resource initialiser is declared where this is called.
inline void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace harness {

// Creates the application once; returns the folder the harness works in (the current directory). Every
// window rebuilt or laid out writes debug lines; printing them would cost more than the run.
inline QString start(int *argc, char ***argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
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

// Writes bytes to a file, replacing it; false when that fails.
inline bool writeFile(const QString &strPath, const QByteArray &bytes)
{
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace harness

#endif // HARNESS_H
