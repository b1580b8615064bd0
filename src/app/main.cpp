#include "appstatus.h"
#include "controlclient.h"
#include "controlserver.h"
#include "layoutapply.h"
#include "mainwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDebug>
#include <QDesktopWidget>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QResource>
#include <QTextStream>

#include <cstdio>

namespace {

// Exit status of a request that cannot be honoured (bad options, a control port that cannot listen, a
// layout that cannot be sent).
const int refused = 2;

struct Options
{
    QCommandLineOption control{
        QStringLiteral("control"),
        QStringLiteral("Start the console with its control port listening on [ADDRESS:]PORT (address "
                       "127.0.0.1 unless given; port %1 by default). Any other address needs "
                       "--control-token-file.")
            .arg(ControlServer::defaultPort),
        QStringLiteral("[ADDRESS:]PORT")};
    QCommandLineOption token{QStringLiteral("control-token-file"),
                             QStringLiteral("The token of the control port, on the first line of FILE, which "
                                            "only its owner may read. Clients send AUTH <token> first."),
                             QStringLiteral("FILE")};
    QCommandLineOption send{QStringLiteral("send"),
                            QStringLiteral("Send one control line to a running console, print its reply and "
                                           "exit: 0 for OK, 1 for ERR, 2 when no console answers."),
                            QStringLiteral("LINE")};
    QCommandLineOption to{
        QStringLiteral("to"),
        QStringLiteral("The console --send talks to (default 127.0.0.1:%1).").arg(ControlServer::defaultPort),
        QStringLiteral("[ADDRESS:]PORT")};
    QCommandLineOption apply{
        QStringLiteral("apply"),
        QStringLiteral("Send the layout FILE to the controller on --port without a window, "
                       "as Load does, and exit: 0 when every frame was written, else 2."),
        QStringLiteral("FILE")};
    QCommandLineOption port{QStringLiteral("port"),
                            QStringLiteral("The controller's port for --apply: a device path, "
                                           "socket://HOST:PORT or rfc2217://HOST:PORT."),
                            QStringLiteral("PORT")};
};

int fail(const QString &strMessage)
{
    QTextStream(stderr) << "videowall: " << strMessage << "\nSee videowall --help.\n";
    return refused;
}

// The checks that need no display: --help, --version, misused options. -1 when the request goes on.
int checkOptions(QCommandLineParser &parser, const Options &options, const QStringList &arguments)
{
    parser.setApplicationDescription(
        QStringLiteral("A console for a video wall controller. Without options it starts the window; the "
                       "options below drive a console from outside (docs/control.md)."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOptions(
        {options.control, options.token, options.send, options.to, options.apply, options.port});
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(help) || parser.isSet(version)) {
        // The help text is made with an application object.
        int argc = 1;
        char name[] = "videowall";
        char *argv[] = {name, nullptr};
        QCoreApplication app(argc, argv);
        QTextStream(stdout) << (parser.isSet(help) ? parser.helpText()
                                                   : QStringLiteral("videowall %1\n").arg(VW_VERSION));
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first()));
    const int modes = int(parser.isSet(options.control)) + int(parser.isSet(options.send)) +
                      int(parser.isSet(options.apply));
    if (modes > 1)
        return fail(QStringLiteral("--control, --send and --apply go one at a time"));
    if (parser.isSet(options.to) && !parser.isSet(options.send))
        return fail(QStringLiteral("--to goes with --send"));
    if (parser.isSet(options.apply) != parser.isSet(options.port))
        return fail(QStringLiteral("--apply and --port go together"));
    return -1;
}

int runConsole(QCommandLineParser &parser, const Options &options, int argc, char *argv[])
{
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
        // A port asked for on the command line is honoured or refused before the window shows; one from
        // the settings file leaves the console running without it, and says why.
        const AppStatus *status = AppStatus::theAppStatus();
        const QString strToken =
            parser.isSet(options.token) ? parser.value(options.token) : status->controlTokenFile();
        QString strError;
        if (parser.isSet(options.control)) {
            if (!window.startControlPort(parser.value(options.control), strToken, &strError))
                result = fail(QStringLiteral("the control port was not opened: %1").arg(strError));
        } else if (!status->controlPort().isEmpty() &&
                   !window.startControlPort(status->controlPort(), strToken, &strError)) {
            qDebug().noquote() << "control: port off:" << strError;
            window.setControlNotice(MainWindow::tr("control port off: %1").arg(strError));
        }
        if (result == 0) {
            window.show();
            window.move(MainWindow::centredPosition(QApplication::desktop()->geometry(), window.size()));
            window.show();
            result = pApp->exec();
        }
    }
    delete pFont;
    delete pQss;
    delete pApp;
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(resources);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    const Options options;
    if (const int status = checkOptions(parser, options, arguments); status >= 0)
        return status;

    if (parser.isSet(options.send) || parser.isSet(options.apply)) {
        // The console's diagnostics (every frame) would bury the lines a script reads.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &strMessage) {
            if (type != QtDebugMsg)
                QTextStream(stderr) << strMessage << '\n';
        });
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        if (parser.isSet(options.send))
            return sendControlLine(parser.value(options.send), parser.value(options.to),
                                   parser.value(options.token), out, err);
        return applyLayout(parser.value(options.apply), parser.value(options.port),
                           MainWindow::lockFileName(), out, err);
    }
    return runConsole(parser, options, argc, argv);
}
