#include "telnetcomport.h"

#include <initializer_list>

namespace {

const char iac = char(255);
enum Telnet
{
    Se = 240,
    Sb = 250,
    Will = 251,
    Wont = 252,
    Do = 253,
    Dont = 254,
    Iac = 255,
    Binary = 0,
    SuppressGoAhead = 3,
    ComPortOption = 44
};
// The COM-PORT-OPTION commands a client sends, with the values this controller's line takes.
enum ComPort
{
    SetBaudRate = 1,
    SetDataSize = 2,
    SetParity = 3,
    SetStopSize = 4,
    SetControl = 5
};

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int value : values)
        out += char(value);
    return out;
}

QByteArray command(int nCommand, int nOption)
{
    return bytes({Iac, nCommand, nOption});
}

QByteArray subnegotiation(int nCommand, const QByteArray &value)
{
    return bytes({Iac, Sb, ComPortOption, nCommand}) + TelnetComPort::escaped(value) + bytes({Iac, Se});
}

bool isWanted(int nOption)
{
    return nOption == Binary || nOption == SuppressGoAhead || nOption == ComPortOption;
}

} // namespace

QByteArray TelnetComPort::greeting()
{
    QByteArray out;
    for (int option : {Binary, SuppressGoAhead}) {
        m_do.insert(option);
        out += command(Do, option);
    }
    for (int option : {Binary, SuppressGoAhead, ComPortOption}) {
        m_will.insert(option);
        out += command(Will, option);
    }
    const char baud[] = {0, 0, 0x25, char(0x80)}; // 9600, network order
    out += subnegotiation(SetBaudRate, QByteArray(baud, 4));
    out += subnegotiation(SetDataSize, QByteArray(1, 8));
    out += subnegotiation(SetParity, QByteArray(1, 1));   // none
    out += subnegotiation(SetStopSize, QByteArray(1, 1)); // one
    out += subnegotiation(SetControl, QByteArray(1, 1));  // no flow control
    return out;
}

QByteArray TelnetComPort::escaped(const QByteArray &data)
{
    QByteArray out = data;
    return out.replace(QByteArray(1, iac), QByteArray(2, iac));
}

QByteArray TelnetComPort::answer(const QByteArray &received)
{
    QByteArray out;
    for (const char c : received) {
        const int byte = static_cast<unsigned char>(c);
        switch (m_parse) {
        case Data:
            if (byte == Iac)
                m_parse = Command;
            break;
        case Command:
            m_command = byte;
            m_parse = byte >= Will && byte <= Dont ? Option : byte == Sb ? Sub : Data;
            break;
        case Option: {
            // "Do" and "don't" ask about this side, "will" and "won't" tell about the server's. An option
            // already agreed is not agreed again, so that answers never answer each other for ever.
            const bool isAboutUs = m_command == Do || m_command == Dont;
            QSet<int> &agreed = isAboutUs ? m_will : m_do;
            const bool isOffer = m_command == Do || m_command == Will;
            if (isOffer && isWanted(byte) && !agreed.contains(byte)) {
                agreed.insert(byte);
                out += command(isAboutUs ? Will : Do, byte);
            } else if ((isOffer && !isWanted(byte)) || (!isOffer && agreed.remove(byte))) {
                out += command(isAboutUs ? Wont : Dont, byte);
            }
            m_parse = Data;
            break;
        }
        case Sub: // the server's confirmations and line-state notes end with IAC SE
            if (byte == Iac)
                m_parse = SubCommand;
            break;
        case SubCommand:
            m_parse = byte == Se ? Data : Sub;
            break;
        }
    }
    return out;
}
