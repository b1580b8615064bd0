#ifndef SERIALLINK_H
#define SERIALLINK_H

#include <QByteArray>
#include <QString>

class QSerialPort;

// The one owner of the serial port to the wall controller. Every device command builds one frame and
// writes it synchronously; answers are drained unread and a fixed pause spaces the frames.
class SerialLink
{
public:
    static SerialLink *theSerialLink();

    // Milliseconds of silence after every frame; the controller needs it between commands.
    static const int sendPause = 50;
    // The highest device address of a unit, and the target that reaches all units.
    static const int maxAddress = 63;
    static const int allUnits = 0xFF;

    bool open(const QString &portName);
    void close();
    bool isConnected() const { return m_connected; }
    void send(const QByteArray &frame);

    void setInputMode(int nMode);
    void switchSignal(int nSignal);
    void setResolution(int nRes, int nMain, int nSub);
    void spliceOpenModel();
    void setSplice(int nRow, int nColumn, int nEdgeX, int nEdgeY);
    void showAddressInfo(bool bShow);
    void setRotate(int nAddr, int nRotate);
    void setPosition(int nAddr, int nSub, int nX, int nY, int nWidth, int nHeight);
    void resetUnit(int nTarget);

private:
    SerialLink();
    ~SerialLink();
    SerialLink(const SerialLink &) = delete;
    SerialLink &operator=(const SerialLink &) = delete;

    bool isDeviceLost() const;
    void releaseLostDevice();

    QSerialPort *m_pPort = nullptr;
    bool m_connected = false;
};

#endif // SERIALLINK_H
