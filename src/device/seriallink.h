#ifndef SERIALLINK_H
#define SERIALLINK_H

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class QIODevice;
class TelnetComPort;

// The one link to the wall controller. Every device command builds one frame and writes it
// synchronously; answers are drained unread and a fixed pause spaces the frames. The line behind it is
// chosen by its name: a serial port (COM1, /dev/ttyUSB0, any device path), or a serial device server on
// the network, as a raw TCP stream ("socket://HOST:PORT") or Telnet with the COM-PORT-OPTION
// ("rfc2217://HOST:PORT").
class SerialLink : public QObject
{
    Q_OBJECT

public:
    // Lost: the line went away under the link (an unplugged adapter, a closed connection); nothing is
    // written to it until it is opened again.
    enum State
    {
        Disconnected,
        Connected,
        Lost
    };

    static SerialLink *theSerialLink();

    // Milliseconds of silence after every frame; the controller needs it between commands.
    static const int sendPause = 50;
    // The highest device address of a unit, and the target that reaches all units.
    static const int maxAddress = 63;
    static const int allUnits = 0xFF;
    // How long opening a connection over the network may take.
    static const int connectTimeout = 3000;
    // Milliseconds between a window's rectangle and its rotation when a layout is sent: the controller
    // takes the position first.
    static const int rotationPause = 100;

    // What of one window of a layout went out.
    struct WindowSent
    {
        bool position = false;
        bool rotation = false;
    };

    bool open(const QString &portName);
    void close();
    bool isConnected() const { return m_state == Connected; }
    State state() const { return m_state; }
    // The name of the line opened last.
    QString portName() const { return m_strPort; }
    // Why the last open failed, or why the line was lost, in words an operator can act on.
    QString errorString() const { return m_strError; }
    // True when the frame was written to a line that is still there.
    bool send(const QByteArray &frame);

    void setInputMode(int nMode);
    void switchSignal(int nSignal);
    void setResolution(int nRes, int nMain, int nSub);
    void spliceOpenModel();
    void setSplice(int nRow, int nColumn, int nEdgeX, int nEdgeY);
    void showAddressInfo(bool bShow);
    bool setRotate(int nAddr, int nRotate);
    // True when the frame went out: a window with an address (0 to 63) and a rectangle the fields hold.
    bool setPosition(int nAddr, int nSub, int nX, int nY, int nWidth, int nHeight);
    // A rectangle in wall units of the picture: rounded to whole units (halves upward), and transposed on a
    // portrait wall, since the controller always counts in landscape.
    bool setWindowPosition(int nAddr, double dX, double dY, double dWidth, double dHeight, bool bPortrait);
    // One window of a layout as Load sends it: the rectangle, and once that went out the pause, then the
    // rotation.
    WindowSent sendWindow(int nAddr, double dX, double dY, double dWidth, double dHeight, int nRotate,
                          bool bPortrait, int nPauseMs = rotationPause);
    bool resetUnit(int nTarget);

signals:
    void stateChanged();

private:
    SerialLink();
    ~SerialLink() override;
    SerialLink(const SerialLink &) = delete;
    SerialLink &operator=(const SerialLink &) = delete;

    bool openSerial(const QString &portName);
    bool openNetwork(const QString &portName);
    void setState(State state);
    // Lets go of a line that went away; true when it did.
    bool checkLost();

    std::unique_ptr<QIODevice> m_pDevice;
    std::unique_ptr<TelnetComPort> m_pTelnet;
    State m_state = Disconnected;
    QString m_strPort;
    QString m_strError;
};

#endif // SERIALLINK_H
