#include "commandpacket.h"

void CommandPacket::reset(int nSize)
{
    data.clear();
    data.resize(nSize);
    data.fill('\0');
}

void CommandPacket::setByte(int nOffset, int nValue)
{
    data[nOffset] = static_cast<char>(static_cast<unsigned int>(nValue) & 0xFFu);
}

// Big-endian, and only bits 0..15 reach the wire: -1 becomes FF FF.
void CommandPacket::setWord(int nOffset, int nValue)
{
    const unsigned int value = static_cast<unsigned int>(nValue);
    setByte(nOffset, static_cast<int>((value >> 8) & 0xFFu));
    setByte(nOffset + 1, static_cast<int>(value & 0xFFu));
}

CommandPacket &CommandPacket::makeInputMode(int nMode)
{
    reset(3);
    setByte(0, 0x00);
    setByte(1, (nMode >= 0 && nMode <= 3) ? '0' + nMode : 0x00);
    setByte(2, 0x00);
    return *this;
}

CommandPacket &CommandPacket::makeSignal(int nSignal)
{
    reset(3);
    setByte(0, 0x00);
    setByte(1, 0x13);
    setByte(2, nSignal);
    return *this;
}

CommandPacket &CommandPacket::makeResolution(int nRes, int nMain, int nSub)
{
    static const int codes[] = {0x34, 0x35, 0x3B};
    reset(3);
    // Unsigned, so that a negative address shifts without undefined behaviour; nSub -1 still gives 0xFF.
    const unsigned int target = (static_cast<unsigned int>(nMain) << 4) | static_cast<unsigned int>(nSub);
    setByte(0, static_cast<int>(target & 0xFFu));
    setByte(1, (nRes >= 0 && nRes <= 2) ? codes[nRes] : 0x00);
    setByte(2, 0x00);
    return *this;
}

CommandPacket &CommandPacket::makeSplice(int nTarget, int nRow, int nColumn, int nEdgeX, int nEdgeY)
{
    reset(6);
    setByte(0, nTarget);
    setByte(1, 0x11);
    setByte(2, nRow);
    setByte(3, nColumn);
    setByte(4, nEdgeX);
    setByte(5, nEdgeY);
    return *this;
}

CommandPacket &CommandPacket::makeAddressInfo(bool bShow, int nTarget)
{
    reset(3);
    setByte(0, nTarget);
    setByte(1, 0x01);
    setByte(2, bShow ? 0x01 : 0x00);
    return *this;
}

CommandPacket &CommandPacket::makeRotate(int nRotate, int nAddr)
{
    reset(3);
    setByte(0, nAddr);
    setByte(1, 0x12);
    setByte(2, nRotate);
    return *this;
}

// The controller expects the fields as horizontal start, horizontal size, vertical start, vertical size.
CommandPacket &CommandPacket::makePosition(int nX, int nY, int nWidth, int nHeight, int nAddr)
{
    reset(10);
    setByte(0, nAddr);
    setByte(1, 0x10);
    setWord(2, nX);
    setWord(4, nWidth);
    setWord(6, nY);
    setWord(8, nHeight);
    return *this;
}

CommandPacket &CommandPacket::makeReset(int nTarget)
{
    reset(3);
    setByte(0, nTarget);
    setByte(1, 0x00);
    setByte(2, 0xFF);
    return *this;
}

QByteArray packFrame(const CommandPacket &packet)
{
    const int n = packet.data.size();
    QByteArray frame(n + 4, '\0');
    frame[0] = static_cast<char>(0xC5);
    frame[1] = static_cast<char>(0xA7);
    frame[2] = static_cast<char>(n & 0xFF);
    for (int i = 0; i < n; ++i)
        frame[3 + i] = packet.data.at(i);
    unsigned int sum = 0;
    for (int i = 0; i < n + 3; ++i)
        sum += static_cast<unsigned char>(frame.at(i));
    frame[n + 3] = static_cast<char>(sum & 0xFFu);
    return frame;
}
