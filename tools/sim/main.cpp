// videowall-sim: a stand-in for the wall controller, for rehearsing with the console without hardware.
#include "controllersim.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>

namespace {

const char description[] =
    "Stands in for the video wall controller. Opens a pseudo-terminal, publishes it as a serial port\n"
    "under a symbolic link (printed as the first line), and prints one line for every command frame\n"
    "that the console writes to it: the decoded command, \"unknown payload=...\" for a frame with a\n"
    "sound envelope but an unknown command, or one fault (bad checksum, bad length, short frame,\n"
    "garbage) with the bytes in hexadecimal. Set the console's port to the link path (\"Setting\" in\n"
    "the title bar) and press \"Connect\". Ctrl-C or SIGTERM ends it and removes the link.\n"
    "Exit status: 0 when ended by a signal, 1 when it cannot start, 2 for wrong options.";

bool parseHex(const QString &strHex, QByteArray *pBytes)
{
    QString digits = strHex;
    digits.remove(QRegularExpression(QStringLiteral("[\\s:]")));
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = digits.mid(2);
    if (digits.isEmpty() || digits.size() % 2 != 0 ||
        !QRegularExpression(QStringLiteral("^[0-9A-Fa-f]+$")).match(digits).hasMatch())
        return false;
    *pBytes = QByteArray::fromHex(digits.toLatin1());
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("videowall-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(description));
    parser.addHelpOption();
    const QCommandLineOption linkOption(
        QStringLiteral("link"),
        QStringLiteral("Publish the port as PATH (default /tmp/videowall-sim). An "
                       "old symbolic link there is replaced; any other file is "
                       "left alone and the simulator refuses to start."),
        QStringLiteral("PATH"), QStringLiteral("/tmp/videowall-sim"));
    const QCommandLineOption answerOption(
        QStringLiteral("answer"),
        QStringLiteral("Answer every frame that has a sound envelope with these bytes, for example "
                       "\"06\" (the console reads and discards answers)."),
        QStringLiteral("HEX"));
    const QCommandLineOption jsonOption(
        QStringLiteral("json"), QStringLiteral("Print one compact JSON object per line instead of text."));
    parser.addOption(linkOption);
    parser.addOption(answerOption);
    const QCommandLineOption tcpOption(
        QStringLiteral("tcp"),
        QStringLiteral("Take frames over TCP too, on 127.0.0.1 port PORT, as a serial device server does "
                       "(the console's port is then socket://127.0.0.1:PORT)."),
        QStringLiteral("PORT"));
    parser.addOption(jsonOption);
    parser.addOption(tcpOption);
    parser.process(app);

    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "videowall-sim: unexpected argument %s (see --help)\n",
                     qPrintable(parser.positionalArguments().first()));
        return 2;
    }
    const QString link = parser.value(linkOption);
    if (link.isEmpty()) {
        std::fprintf(stderr, "videowall-sim: --link needs a path\n");
        return 2;
    }

    ControllerSim sim;
    sim.setLinkPath(QFileInfo(link).absoluteFilePath());
    sim.setJson(parser.isSet(jsonOption));
    if (parser.isSet(answerOption)) {
        QByteArray answer;
        if (!parseHex(parser.value(answerOption), &answer)) {
            std::fprintf(stderr, "videowall-sim: --answer needs hexadecimal bytes, for example 06\n");
            return 2;
        }
        sim.setAnswer(answer);
    }

    if (!ControllerSim::catchSignals()) {
        std::fprintf(stderr, "videowall-sim: cannot catch signals\n");
        return 1;
    }
    QString error;
    bool isPort = true;
    const int tcpPort = parser.isSet(tcpOption) ? parser.value(tcpOption).toInt(&isPort) : -1;
    if (!isPort || tcpPort > 65535 || (parser.isSet(tcpOption) && tcpPort < 0)) {
        std::fprintf(stderr, "videowall-sim: --tcp needs a port number\n");
        return 2;
    }
    // Listening before the link is printed: whoever reads the link may connect at once.
    if ((tcpPort >= 0 && !sim.listenTcp(quint16(tcpPort), &error)) || !sim.start(&error)) {
        std::fprintf(stderr, "videowall-sim: %s\n", qPrintable(error));
        return 1;
    }
    const int code = app.exec();
    sim.removeLink();
    return code;
}
