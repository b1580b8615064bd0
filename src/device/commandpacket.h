#ifndef COMMANDPACKET_H
#define COMMANDPACKET_H

#include <QByteArray>

// The payload of one controller command. Each builder replaces the whole payload and returns the
// packet, so that a caller can write packFrame(CommandPacket().makeReset(0xFF)).
class CommandPacket
{
public:
    CommandPacket &makeInputMode(int nMode);
    CommandPacket &makeSignal(int nSignal);
    CommandPacket &makeResolution(int nRes, int nMain, int nSub);
    CommandPacket &makeSplice(int nTarget, int nRow, int nColumn, int nEdgeX, int nEdgeY);
    CommandPacket &makeAddressInfo(bool bShow, int nTarget);
    CommandPacket &makeRotate(int nRotate, int nAddr);
    CommandPacket &makePosition(int nX, int nY, int nWidth, int nHeight, int nAddr);
    CommandPacket &makeReset(int nTarget);

    QByteArray data;

private:
    void reset(int nSize);
    void setByte(int nOffset, int nValue);
    void setWord(int nOffset, int nValue);
};

// Wraps a payload in the frame envelope: C5 A7, payload length, payload, 8-bit sum of all before it.
QByteArray packFrame(const CommandPacket &packet);

#endif // COMMANDPACKET_H
