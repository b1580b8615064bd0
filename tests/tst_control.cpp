// The control port from outside: lines as parsed, bytes on the socket, what the console was asked to do,
// the token and the limits, and the --send client.
#include "controlclient.h"
#include "controlconnection.h"
#include "controlendpoint.h"
#include "controlserver.h"
#include "controltarget.h"
#include "ptypair.h"
#include "ser2net.h"
#include "testsupport.h"

#include <QTcpSocket>

#include <functional>
#include <memory>

namespace {

const QByteArray token = "s3cret-token-42";
const QByteArray auth = "AUTH " + token + "\r\n";

// The console as the port sees it: it records each command, may be busy, and replies "OK" and the command.
class FakeConsole : public ControlTarget
{
public:
    bool busy = false;
    QStringList calls;
    // How deep commands that change the wall ran inside each other.
    int depth = 0, maxDepth = 0;
    // Runs inside the next execute(), as a progress dialog's event loop would.
    std::function<void()> during;

    bool isBusy() const override { return busy; }
    QString execute(const ControlCommand &command) override
    {
        calls << command.logText();
        const int step = command.changesWall() ? 1 : 0;
        maxDepth = qMax(maxDepth, depth += step);
        if (during)
            std::exchange(during, nullptr)();
        depth -= step;
        return "OK " + command.logText();
    }
};

// Every client counts as far away.
class FarServer : public ControlServer
{
protected:
    bool isLocalPeer(const QHostAddress &) const override { return false; }
};

// A client on loopback and all it received; the system completes the connection without the server's loop.
struct Peer
{
    // Port 0: none.
    explicit Peer(quint16 nPort)
    {
        if (nPort)
            socket.connectToHost(QHostAddress::LocalHost, nPort);
        socket.waitForConnected(5000);
        name = "127.0.0.1:" + QString::number(socket.localPort());
    }
    QString got()
    {
        received += socket.readAll();
        return QString::fromUtf8(received);
    }
    bool closed() { return got(), socket.state() == QAbstractSocket::UnconnectedState; }
    QTcpSocket socket;
    QString name;
    QByteArray received;
};

// A row of a table of texts: what goes in, named by itself, and what comes out.
void row(const QString &strIn, const QString &strOut)
{
    QTest::newRow(qPrintable(strIn)) << strIn << strOut;
}

// A port of loopback that nothing listens on now.
quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// The built program in a folder of its own, offscreen; exit status and output once it ends.
struct Program
{
    explicit Program(const QString &strFolder, const QStringList &arguments)
    {
        process.setWorkingDirectory(strFolder);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(environment);
        process.start(QCoreApplication::applicationDirPath() + "/../bin/videowall", arguments);
    }
    ~Program()
    {
        process.kill();
        process.waitForFinished();
    }
    // "rc: stdout | stderr", the debug lines left out.
    QString result()
    {
        process.waitForFinished(20000);
        const QStringList errors = QString::fromUtf8(process.readAllStandardError())
                                       .split('\n')
                                       .filter(QRegularExpression("^videowall"));
        return QString("%1: %2 | %3")
            .arg(process.exitCode())
            .arg(QString::fromUtf8(process.readAllStandardOutput()).trimmed(), errors.join(' '));
    }
    QProcess process;
};

QString describe(const ControlCommand &command)
{
    QStringList numbers;
    for (int n : command.numbers)
        numbers << QString::number(n);
    return command.verb == ControlCommand::Invalid
               ? "ERR " + command.error
               : command.logText() + '|' + numbers.join(',') + '|' + command.text;
}

} // namespace

class TestControl : public QObject
{
    Q_OBJECT

    FakeConsole *m_pConsole = nullptr;
    ControlServer *m_pServer = nullptr;
    // The real console of the session test, its controller's terminal and its control port.
    QTemporaryDir m_folder;
    PtyPair m_pty;
    std::unique_ptr<Program> m_pConsoleProcess;
    std::unique_ptr<Peer> m_pSession;
    quint16 m_nConsolePort = 0;

    // A folder as an operator leaves it: settings (with extra lines), preset 3 and the layout "news".
    void prepareFolder(const QString &strFolder, const QByteArray &settings = QByteArray())
    {
        vt::writeFile(strFolder + "/UserData.data",
                      "[Config]\nopenModel=true\ncurrPort=" + m_pty.slavePath().toUtf8() + "\n" + settings);
        vt::writeFile(
            strFolder + "/Scene03.data",
            R"({"items":[{"address":{"x":3},"position":{"x":0,"y":0,"width":1920,"height":1080}},)"
            R"({"address":{"x":4},"rotate":1,"position":{"x":1920,"y":0,"width":1920,"height":1080}}]})");
        vt::writeFile(
            strFolder + "/news.json",
            R"({"items":[{"address":{"x":5},"position":{"x":600,"y":210,"width":960,"height":540}}]})");
    }

    // With a token the port listens on every address, as an operator opens it to the room's network.
    quint16 start(ControlServer *pServer, const QByteArray &key = QByteArray())
    {
        (m_pServer = pServer)->setTarget(m_pConsole);
        pServer->listen(key.isEmpty() ? QHostAddress::LocalHost : QHostAddress::AnyIPv4, 0, key, nullptr);
        return pServer->serverPort();
    }

private slots:
    void initTestCase() { vt::enterFreshDir(); }
    void init() { m_pConsole = new FakeConsole; }
    void cleanupTestCase()
    {
        m_pSession.reset();
        m_pConsoleProcess.reset();
    }
    void cleanup()
    {
        delete m_pServer;
        m_pServer = nullptr;
        delete m_pConsole;
    }

    void parser_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("parsed");
        row(" \tping\t ", "PING||");
        row("CONNECT rfc2217://host:4002", "CONNECT rfc2217://host:4002||rfc2217://host:4002");
        row("preset 16", "PRESET 16|16|");
        row("PRESET\tsave \t 000000001", "PRESET SAVE 1|1|");
        row("Input hdmi1", "INPUT HDMI1|2|");
        row("reset all", "RESET ALL|255|");
        row("WINDOW 63 0 65535 65535 1", "WINDOW 63 0 65535 65535 1|63,0,65535,65535,1|");
        row("LOAD news", "LOAD news.json||news.json");
        row(" load  all cameras \t", "LOAD all cameras.json||all cameras.json");
        row("AUTH  tok en ", "AUTH ***||tok en");
        row(" \t ", "ERR empty line");
        row("FOO", "ERR unknown verb: FOO");
        row(QString::fromUtf8("p\xc4\xb1ng"), QString::fromUtf8("ERR unknown verb: p\xc4\xb1ng"));
        row(QString(50, 'V'), "ERR unknown verb: " + QString(37, 'V') + "...");
        row("CONNECT " + QString(256, 'c'), "ERR port name too long (at most 255 characters)");
        row("PRESET", "ERR PRESET takes a preset number 1 to 16, or SAVE and a number");
        row("PRESET 17", "ERR out of range: preset 17 (1 to 16)");
        row("preset save 0", "ERR out of range: preset 0 (1 to 16)");
        row("PRESET 4294967297", "ERR out of range: preset 4294967297 (1 to 16)");
        row("PRESET -1", "ERR not a number: -1");
        row("INPUT VGA", "ERR unknown input: VGA (DP, HDMI1, HDMI2 or WIRELESS)");
        row("RESET 64", "ERR out of range: address 64 (0 to 63)");
        row("WINDOW 1 2 3 4", "ERR WINDOW takes an address and x, y, width, height");
        row("WINDOW 1 65536 0 1 1", "ERR out of range: x 65536 (0 to 65535)");
        row("WINDOW 1 0 0 1 0", "ERR out of range: height 0 (1 to 65535)");
        const QString noPath = "ERR LOAD takes a file name in the console's folder, without a path";
        row("LOAD a/b", noPath + ": a/b");
        row("LOAD ..", noPath + ": ..");
        row("LOAD .hidden", "ERR file name starts with a dot: .hidden");
        row("LOAD " + QString(201, 'n'), "ERR file name too long (at most 200 characters)");
        row("LOAD a\tb", "ERR control characters in the file name: a b");
        row("AUTH", "ERR AUTH takes a token");
    }
    void parser()
    {
        QFETCH(QString, line);
        QTEST(describe(parseControlLine(line)), "parsed");
    }

    // setup: "token" (the port wants one and listens on every address), "far" (clients count as far away),
    // "crowd" (eight clients came first).
    void security_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("replies");
        QTest::addColumn<bool>("closed");
        const auto row = [](const char *name, const char *setup, const QByteArray &bytes, const char *replies,
                            bool closed) {
            QTest::newRow(name) << setup << bytes << QString(replies) << closed;
        };
        // Lines end with CR, LF or CR LF, blank ones are skipped, each gets one reply in order.
        row("line ends", "", "PING\rSTATUS\nPRESETS\r\n\r\n \t\n\rPING\n",
            "OK PING\r\nOK STATUS\r\nOK PRESETS\r\nOK PING\r\n", false);
        row("1024 bytes", "", "AUTH " + QByteArray(1019, 'a') + "\n", "OK\r\n", false);
        row("not UTF-8, control characters", "", "\xc3\x28\n\xc0\xafPING\nPI\x7fNG\n",
            "ERR not UTF-8 text\r\nERR not UTF-8 text\r\nERR not UTF-8 text\r\n", false);
        row("no token sent", "token", "PING\n", "ERR AUTH first\r\n", true);
        row("wrong token", "token", "AUTH s3cret-token-43\nPING\n", "ERR unauthorized\r\n", true);
        row("token cut short", "token", "AUTH " + token.left(14) + "\nPING\n", "ERR unauthorized\r\n", true);
        row("token", "token", auth + "PRESET 2\n", "OK\r\nOK PRESET 2\r\n", false);
        row("binary junk", "", QByteArray("\xff\xfe\0\x01\n", 5), "ERR not UTF-8 text\r\n", false);
        row("line over 1 KiB", "", QByteArray(1025, 'a') + "\nPING\n",
            "ERR line too long (at most 1024 bytes)\r\n", true);
        row("9th client", "crowd", "PING\n", "ERR too many clients (at most 8)\r\n", true);
        row("CONNECT port, far", "token far", auth + "CONNECT /dev/ttyS0\nCONNECT\n",
            "OK\r\nERR CONNECT with a port is taken from this machine only\r\nOK CONNECT\r\n", false);
        row("CONNECT port, here", "token", auth + "CONNECT /dev/ttyS0\n", "OK\r\nOK CONNECT /dev/ttyS0\r\n",
            false);
        row("QUIT", "", "QUIT\nPRESET 1\n", "OK bye\r\n", true);
    }
    void security()
    {
        QFETCH(QString, setup);
        QFETCH(QString, replies);
        vt::MessageCapture capture;
        const quint16 nPort = start(setup.contains("far") ? new FarServer : new ControlServer,
                                    setup.contains("token") ? token : "");
        std::vector<std::unique_ptr<Peer>> crowd;
        while (setup == "crowd" && crowd.size() < ControlServer::maxClients)
            crowd.push_back(std::make_unique<Peer>(nPort));
        QTRY_COMPARE(capture.lines.filter("connection from").size(), int(crowd.size()));
        // One client writes at once; where the connection stays, another byte by byte: the same replies.
        QFETCH(bool, closed);
        Peer peer(nPort), bytewise(closed ? 0 : nPort);
        QFETCH(QByteArray, bytes);
        peer.socket.write(bytes);
        for (const char c : closed ? QByteArray() : bytes) {
            bytewise.socket.write(&c, 1);
            bytewise.socket.flush();
            QCoreApplication::processEvents();
        }
        QTRY_COMPARE(peer.got(), replies);
        QTRY_COMPARE(bytewise.got(), closed ? "" : replies);
        // The console echoes what it ran and never refuses: every other reply is the port's own.
        QStringList asked, refused;
        for (const QString &reply : replies.split("\r\n", Qt::SkipEmptyParts))
            (reply.startsWith("ERR ") ? refused : asked) << reply.mid(3).trimmed();
        asked.removeAll("");
        asked.removeAll("bye");
        asked += closed ? QStringList() : asked;
        asked.sort();
        m_pConsole->calls.sort();
        QCOMPARE(m_pConsole->calls, asked);
        for (const QString &reason : refused)
            QVERIFY2(capture.lines.contains("control: " + peer.name + " refused: " + reason),
                     qPrintable(reason));
        QVERIFY(!capture.lines.join('\n').contains(token));
        QVERIFY(!bytes.startsWith(auth) || capture.lines.contains("control: " + peer.name + " AUTH ***"));
        if (closed) {
            QTRY_VERIFY(peer.closed());
            QTRY_VERIFY(setup == "crowd" || capture.lines.contains("control: " + peer.name + " closed"));
        } else {
            peer.socket.write("PING\n");
            QTRY_COMPARE(peer.got(), replies + "OK PING\r\n");
        }
        for (auto &pOther : crowd) {
            pOther->socket.write("PING\n");
            QTRY_COMPARE(pOther->got(), QString("OK PING\r\n"));
        }
    }

    void busy()
    {
        vt::MessageCapture capture;
        const quint16 nPort = start(new ControlServer);
        Peer wall(nPort), query(nPort), flood(nPort), deaf(nPort);
        m_pConsole->busy = true;
        wall.socket.write("PRESET 1\nPING\nPRESET 2\n");
        QTRY_VERIFY(capture.lines.contains("control: " + wall.name + " PRESET 2"));
        flood.socket.write(QByteArray("RESET 1\n").repeated(34));
        query.socket.write("STATUS\n");
        QTRY_COMPARE(query.got(), QString("OK STATUS\r\n"));
        QTRY_COMPARE(capture.lines.filter("refused: busy").size(), 2);
        // A client that leaves its replies unread is dropped before they pass 64 KiB.
        deaf.socket.write("PRESET 1\n" + QByteArray("LOAD /" + QByteArray(60, 'x') + "\n").repeated(700));
        QTRY_VERIFY(deaf.closed());
        QVERIFY(capture.lines.contains("control: " + deaf.name +
                                       " refused: replies not read (more than 64 KiB waiting)"));
        QCOMPARE(wall.got() + flood.got() + deaf.got(), QString());
        QCOMPARE(m_pConsole->calls, QStringList{"STATUS"});
        m_pConsole->busy = false;
        QTRY_COMPARE(wall.got(), QString("OK PRESET 1\r\nOK PING\r\nOK PRESET 2\r\n"));
        QTRY_COMPARE(flood.got(), QString("OK RESET 1\r\n").repeated(32) + "ERR busy\r\nERR busy\r\n");
        QStringList calls{"STATUS", "PRESET 1", "PING", "PRESET 2"};
        while (calls.size() < 4 + ControlConnection::maxQueued)
            calls << "RESET 1";
        QCOMPARE(m_pConsole->calls, calls);
    }

    // execute() runs an event loop of its own, in which clients send, leave and arrive; a query is answered
    // meanwhile, a command that changes the wall waits.
    void nestedLoop()
    {
        vt::MessageCapture capture;
        const quint16 nPort = start(new ControlServer);
        Peer first(nPort), second(nPort);
        std::unique_ptr<Peer> pThird;
        m_pConsole->during = [&] {
            second.socket.write("PRESET 2\nPING\n");
            first.socket.write("PING\n");
            first.socket.disconnectFromHost();
            pThird = std::make_unique<Peer>(nPort);
            pThird->socket.write("PING\n");
            QTRY_VERIFY(capture.lines.contains("control: " + first.name + " closed") &&
                        capture.lines.contains("control: " + second.name + " PRESET 2"));
            QTRY_COMPARE(pThird->got(), QString("OK PING\r\n"));
            QCOMPARE(second.got(), QString());
        };
        first.socket.write("PRESET 1\n");
        QTRY_COMPARE(second.got(), QString("OK PRESET 2\r\nOK PING\r\n"));
        QCOMPARE(m_pConsole->calls, QStringList({"PRESET 1", "PING", "PRESET 2", "PING"}));
        QCOMPARE(m_pConsole->maxDepth, 1);
    }

    // The console from outside, one connection kept open as a room controller keeps it: each reply and the
    // frames put on the wire. "%pty" stands for the terminal's path, "~" before a reply for a part.
    void console_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("frames");
        const auto row = [](const char *line, const char *reply, const char *frames) {
            QTest::newRow(line) << line << reply << frames;
        };
        row("AUTH s3cret-token-42", "OK", "");
        row("PRESET 3", "ERR no link: CONNECT first", "");
        row("CONNECT", "OK connected: %pty", "");
        row("PRESET 3", "OK preset 3: 2 windows",
            "3:0,0,1920,1080; rotate 3,0; 4:1920,0,1920,1080; rotate 4,1");
        row("PRESET SAVE 7", "OK preset 7 saved", "");
        row("PRESETS", R"(~{"alias":"Preset 7","damaged":false,"empty":false,"number":7})", "");
        row("PRESET 9", "ERR preset 9 is empty", "");
        // Another layout: the wall no longer shows preset 7.
        row("LOAD news", "OK loaded news.json: 1 window", "5:600,210,960,540; rotate 5,0");
        row("STATUS",
            R"(OK {"busy":false,"differences":[],"link":"connected","model":"irregular","port":"%pty","preset":7,)"
            R"("presetChanged":true,"sceneType":"landscape","windows":1})",
            "");
        row("LOAD missing", "ERR no such layout file: missing.json", "");
        row("WINDOW 5 100 200 960 540", "OK window 5 at 100,200,960,540", "5:100,200,960,540");
        row("WINDOW 5 3000 0 960 540", "ERR the rectangle does not lie on the wall of 3840 x 2160", "");
        row("WINDOW 9 0 0 10 10",
            "ERR no window with address 9 is shown (cells of the standard grid are not moved)", "");
        row("INPUT HDMI2", "OK input HDMI2", "signal 3");
        row("RESET 4", "OK reset 4", "reset 4");
        row("RESET ALL", "OK reset all", "reset 255");
        row("DISCONNECT", "OK disconnected", "");
        row("QUIT", "OK bye", "");
    }
    void console()
    {
        // Its port wants a token, on this machine too.
        if (!m_pConsoleProcess) {
            prepareFolder(m_folder.path());
            // Token files: the console's, one others may read, one too short.
            QVERIFY(vt::writeFile(m_folder.filePath("token"), token) &&
                    QFile::setPermissions(m_folder.filePath("token"), QFile::ReadOwner) &&
                    vt::writeFile(m_folder.filePath("open"), token) &&
                    vt::writeFile(m_folder.filePath("short"), "12345678901") &&
                    QFile::setPermissions(m_folder.filePath("short"), QFile::ReadOwner));
            m_nConsolePort = freePort();
            m_pConsoleProcess = std::make_unique<Program>(
                m_folder.path(), QStringList{"--control", QString("127.0.0.1:%1").arg(m_nConsolePort),
                                             "--control-token-file", m_folder.filePath("token")});
            QTRY_VERIFY_WITH_TIMEOUT((m_pSession = std::make_unique<Peer>(m_nConsolePort))->socket.state() ==
                                         QAbstractSocket::ConnectedState,
                                     10000);
        }
        QFETCH(QString, line);
        QFETCH(QString, reply);
        const QString got = m_pSession->got();
        m_pSession->socket.write(line.toUtf8() + "\r");
        QTRY_VERIFY_WITH_TIMEOUT(m_pSession->got().endsWith("\r\n") && m_pSession->got() != got, 10000);
        const QString answer = m_pSession->got().mid(got.size()).chopped(2);
        reply.replace("%pty", m_pty.slavePath());
        QVERIFY2(reply.startsWith('~') ? answer.contains(reply.mid(1)) : answer == reply, qPrintable(answer));
        QTEST(vt::decoded(m_pty.read(0, 200)), "frames");
    }

    // --send against the running console; --control refused on the command line, left off from the settings.
    void commandLine_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("result");
        const auto row = [](const char *name, const QString &arguments, const char *settings,
                            const QString &result) {
            QTest::newRow(name) << arguments << QByteArray(settings) << result;
        };
        row("send OK", "--send|PING|--to|%console|--control-token-file|%token", "",
            "0: OK videowall " VW_VERSION " | ");
        row("send ERR", "--send|PRESET 17|--to|%console|--control-token-file|%token", "",
            "1: ERR out of range: preset 17 (1 to 16) | ");
        row("send without the token", "--send|PING|--to|%console", "", "1: ERR AUTH first | ");
        row("send, token file open", "--send|PING|--to|%console|--control-token-file|%folder/open", "",
            "2:  | videowall: %folder/open can be read by others: chmod 600 %folder/open");
        const char *notOpened = "2:  | videowall: the control port was not opened: ";
        for (const char *refusal :
             {"0|not a port number: 0 (1 to 65535)",
              "::1:80|an IPv6 address goes in brackets, as in [::1]:7860: ::1:80",
              "wallpc:80|not an IP address: wallpc", "127.0.0.1:65536|not a port number: 65536 (1 to 65535)"})
            row(refusal, QByteArray("--control|") + QByteArray(refusal).split('|')[0], "",
                notOpened + QByteArray(refusal).split('|')[1]);
        row("token too short", "--control|%free|--control-token-file|%folder/short", "",
            "2:  | videowall: the control port was not opened: the token in %folder/short is too short (at "
            "least 12 "
            "characters)");
        row("send to no console", "--send|PING|--to|%free", "",
            "2:  | videowall: no console at 127.0.0.1:%free: Connection refused");
        row("off loopback without a token", "--control|0.0.0.0:%free", "",
            "2:  | videowall: the control port was not opened: a control port on 0.0.0.0 needs a token file "
            "(--control-token-file FILE)");
        row("port taken", "--control|%console", "", "2:  | videowall: the control port was not opened: ~");
        row("from the settings, kept running", "", "controlPort=0.0.0.0:7860\n",
            "running, control: port off: ~");
        row("bad option", "--contrl|1", "", "2:  | videowall: Unknown option 'contrl'.");
    }
    void commandLine()
    {
        QFETCH(QString, arguments);
        QFETCH(QByteArray, settings);
        QFETCH(QString, result);
        QVERIFY(m_pConsoleProcess);
        QTemporaryDir folder;
        prepareFolder(folder.path(), settings);
        const QString free = QString::number(freePort()), console = QString::number(m_nConsolePort);
        result.replace("%free", free).replace("%folder", m_folder.path());
        Program program(folder.path(), arguments.replace("%free", free)
                                           .replace("%console", console)
                                           .replace("%token", m_folder.filePath("token"))
                                           .replace("%folder", m_folder.path())
                                           .split('|', Qt::SkipEmptyParts));
        QString got;
        if (result.startsWith("running")) {
            QVERIFY(!program.process.waitForFinished(1500));
            got =
                "running, " + QString::fromUtf8(program.process.readAllStandardError()).section("\n", -2, -2);
        } else {
            got = program.result();
        }
        QVERIFY2(result.endsWith('~') ? got.startsWith(result.chopped(1)) : got == result, qPrintable(got));
    }

    // The headless apply sends a layout as Load does (portrait as the folder's settings say), on a terminal
    // and through ser2net; it never writes the settings; it refuses what it cannot send whole, a busy folder.
    void headlessApply()
    {
        QTemporaryDir folder;
        prepareFolder(folder.path(), "SceneType=1\n");
        const QByteArray settings = vt::readFile(folder.filePath("UserData.data"));
        // Address 0 is a unit's; a window without one is passed over.
        QVERIFY(
            vt::writeFile(folder.filePath("zero.json"),
                          R"({"items":[{"address":{"x":0},"position":{"x":600}},{"address":{"x":-1}}]})"));
        QString out = Program(folder.path(), {"--apply", "zero.json", "--port", m_pty.slavePath()}).result();
        QCOMPARE(out,
                 "0: window 1 of 2, address 0, 600,0,960,540, rotation 0: sent\nwindow 2 of 2, address -1, "
                 "0,0,960,540, rotation 0: no address, not sent\n1 of 1 windows sent to " +
                     m_pty.slavePath() + " | ");
        QCOMPARE(vt::decoded(m_pty.read(0, 200)), "0:0,600,540,960; rotate 0,0");
        vt::Ser2net server(m_pty.ttyPath());
        if (server.isThere() && server.start()) {
            const QStringList apply{"--apply", "Scene03.data", "--port", server.telnet()};
            QVERIFY(Program(folder.path(), apply).result().startsWith("0:"));
            QCOMPARE(vt::decoded(m_pty.read(0, 200)),
                     "3:0,0,1080,1920; rotate 3,0; 4:0,1920,1080,1920; rotate 4,1");
        }
        QCOMPARE(Program(folder.path(), {"--apply", "missing.json", "--port", m_pty.slavePath()}).result(),
                 "2:  | videowall: no such layout file: missing.json");
        QCOMPARE(Program(folder.path(), {"--apply", "news.json", "--port", "/dev/vw-none"}).result(),
                 "2:  | videowall: /dev/vw-none did not open: no such device; nothing sent");
        QCOMPARE(
            Program(m_folder.path(), {"--apply", "news.json", "--port", m_pty.slavePath()})
                .result()
                .section("; ", 1),
            "send the layout through it, so that its picture stays true: videowall --send \"LOAD name\" or "
            "videowall --send \"PRESET n\"");
        QCOMPARE(vt::decoded(m_pty.read(0, 200)), QString());
        QCOMPARE(vt::readFile(folder.filePath("UserData.data")), settings);
        QVERIFY(!QFile::exists(folder.filePath("SpliceState.data")));
    }
};

QTEST_GUILESS_MAIN(TestControl)
#include "tst_control.moc"
