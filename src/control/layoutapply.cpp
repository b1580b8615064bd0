#include "layoutapply.h"

#include "modelfile.h"
#include "seriallink.h"

#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QTextCodec>
#include <QTextStream>

namespace {

// The scene type of the settings file, read without QSettings ever writing it back (nothing is set).
bool isPortrait()
{
    if (!QFileInfo(QStringLiteral("UserData.data")).isFile())
        return false;
    QSettings settings(QStringLiteral("UserData.data"), QSettings::IniFormat);
    settings.setIniCodec(QTextCodec::codecForName("GB2312"));
    return settings.value(QStringLiteral("Config/SceneType"), 0).toInt() == 1;
}

} // namespace

int applyLayout(const QString &strFile, const QString &strPort, const QString &strLockFile, QTextStream &out,
                QTextStream &err)
{
    QLockFile lock(strLockFile);
    if (!lock.tryLock(0)) {
        qint64 pid = 0;
        QString strHost;
        QString strApp;
        lock.getLockInfo(&pid, &strHost, &strApp);
        err << QStringLiteral("videowall: a console runs in this folder (process %1); send the layout "
                              "through it, so that its picture stays true: videowall --send \"LOAD name\" "
                              "or videowall --send \"PRESET n\"\n")
                   .arg(pid);
        return 2;
    }
    if (!QFileInfo(strFile).isFile()) {
        err << QStringLiteral("videowall: no such layout file: %1\n").arg(strFile);
        return 2;
    }
    ModelFile model(strFile, false);
    const QList<WndRecord> windows = model.items();
    if (windows.isEmpty()) {
        err << QStringLiteral("videowall: %1 holds no wall layout; nothing sent\n").arg(strFile);
        return 2;
    }
    SerialLink *link = SerialLink::theSerialLink();
    if (!link->open(strPort)) {
        err << QStringLiteral("videowall: %1 did not open: %2; nothing sent\n")
                   .arg(strPort, link->errorString());
        return 2;
    }
    const bool bPortrait = isPortrait();
    int sent = 0;
    int sendable = 0;
    for (int i = 0; i < windows.size(); ++i) {
        const WndRecord &window = windows.at(i);
        out << QStringLiteral("window %1 of %2, address %3, %4,%5,%6,%7, rotation %8: ")
                   .arg(i + 1)
                   .arg(windows.size())
                   .arg(window.address)
                   .arg(window.x)
                   .arg(window.y)
                   .arg(window.width)
                   .arg(window.height)
                   .arg(window.rotate);
        // As Load: a window without an address has no unit to go to.
        if (window.address < 0 || window.address > SerialLink::maxAddress) {
            out << "no address, not sent\n";
            continue;
        }
        ++sendable;
        const SerialLink::WindowSent result = link->sendWindow(
            window.address, window.x, window.y, window.width, window.height, window.rotate, bPortrait);
        if (result.position && result.rotation)
            ++sent;
        out << (result.position && result.rotation ? "sent\n"
                : result.position                  ? "rectangle sent, rotation lost\n"
                                                   : "not sent\n");
        out.flush();
    }
    const bool isLost = link->state() != SerialLink::Connected;
    link->close();
    out << QStringLiteral("%1 of %2 windows sent to %3%4\n")
               .arg(sent)
               .arg(sendable)
               .arg(strPort, isLost ? QStringLiteral(" (the link was lost)") : QString());
    return sent == sendable ? 0 : 2;
}
