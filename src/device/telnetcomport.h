#ifndef TELNETCOMPORT_H
#define TELNETCOMPORT_H

#include <QByteArray>
#include <QSet>

// The Telnet side of a serial line carried by a device server with the COM-PORT-OPTION (RFC 2217, on
// Telnet, RFC 854): the bytes that set the remote port to the controller's 9600 baud, 8 data bits, no
// parity, 1 stop bit and no flow control; data with its 0xFF bytes doubled; and the answers to the
// server's own requests, read out of what it sends. Data from the server is of no use to the link, which
// never reads the controller's answers, so it is dropped here.
class TelnetComPort
{
public:
    // What the client says first: binary in both directions, no go-ahead, the COM-PORT-OPTION and the
    // port settings.
    QByteArray greeting();
    // The data as it travels: every 0xFF doubled.
    static QByteArray escaped(const QByteArray &data);
    // Reads what the server sent (in any chunks) and gives what to send back to it.
    QByteArray answer(const QByteArray &received);

private:
    enum Parse
    {
        Data,
        Command,
        Option,
        Sub,
        SubCommand
    } m_parse = Data;
    int m_command = 0;
    // The options this side has said it will use, and asked the server to use.
    QSet<int> m_will;
    QSet<int> m_do;
};

#endif // TELNETCOMPORT_H
