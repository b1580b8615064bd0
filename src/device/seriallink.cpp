#include "seriallink.h"

#include "clampedint.h"
#include "commandpacket.h"
#include "telnetcomport.h"

#include <QDebug>
#include <QSerialPort>
#include <QTcpSocket>
#include <QThread>
#include <QUrl>

#ifdef Q_OS_UNIX
#include <poll.h>
#endif

namespace {

// A window's device address as the address dialog gives it. -1 (no address yet) and whatever else a
// damaged layout file may hold would pack into another unit's target byte, or all units' (0xFF).
bool isUnitAddress(int nAddr)
{
    return nAddr >= 0 && nAddr <= SerialLink::maxAddress;
}

// A value that fits its field whole: no silent wrap of 300 to 44 or -500 to 65036.
bool fits(int nValue, int nTop)
{
    return nValue >= 0 && nValue <= nTop;
}

// Why a serial port did not open, in the operator's terms.
QString serialReason(const QSerialPort &port)
{
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return SerialLink::tr("no such device");
    case QSerialPort::PermissionError:
        // Qt reports another program's lock on the port as a permission error too.
        if (port.errorString().contains(QLatin1String("lock")))
            return SerialLink::tr("the port is locked by another program");
        return SerialLink::tr("permission denied: the user must be in the dialout group (sudo usermod -aG "
                              "dialout $USER, then log in again)");
    case QSerialPort::OpenError:
        return SerialLink::tr("the port is busy: another program has it open");
    default:
        return port.errorString();
    }
}

QString networkReason(const QAbstractSocket &socket)
{
    switch (socket.error()) {
    case QAbstractSocket::ConnectionRefusedError:
        return SerialLink::tr("connection refused: is the device server on, and the port right?");
    case QAbstractSocket::HostNotFoundError:
        return SerialLink::tr("host not found");
    case QAbstractSocket::SocketTimeoutError:
        return SerialLink::tr("no answer within %1 seconds").arg(SerialLink::connectTimeout / 1000);
    default:
        return socket.errorString();
    }
}

} // namespace

SerialLink *SerialLink::theSerialLink()
{
    static SerialLink link;
    return &link;
}

SerialLink::SerialLink() = default;

// The line is left to the operating system at exit, when the application that its notifiers belong to
// is gone already.
SerialLink::~SerialLink()
{
    m_pDevice.release();
}

bool SerialLink::open(const QString &portName)
{
    // An open line cannot be opened again: the link keeps its device and reports itself connected.
    if (m_state == Connected)
        return true;
    m_pDevice.reset();
    m_pTelnet.reset();
    m_strPort = portName.trimmed();
    const bool isNetwork =
        m_strPort.startsWith(QLatin1String("socket://")) || m_strPort.startsWith(QLatin1String("rfc2217://"));
    if (isNetwork ? openNetwork(m_strPort) : openSerial(m_strPort)) {
        m_strError.clear();
        setState(Connected);
        return true;
    }
    m_pDevice.reset();
    m_pTelnet.reset();
    m_state = Disconnected;
    emit stateChanged();
    return false;
}

bool SerialLink::openSerial(const QString &portName)
{
    auto *pPort = new QSerialPort;
    m_pDevice.reset(pPort);
    pPort->setPortName(portName);
    pPort->setBaudRate(QSerialPort::Baud9600, QSerialPort::AllDirections);
    if (!pPort->open(QIODevice::ReadWrite)) {
        m_strError = portName.isEmpty() ? tr("no port chosen") : serialReason(*pPort);
        return false;
    }
    pPort->setDataBits(QSerialPort::Data8);
    pPort->setStopBits(QSerialPort::OneStop);
    pPort->setParity(QSerialPort::NoParity);
    pPort->setFlowControl(QSerialPort::NoFlowControl);
    // A device that vanishes (unplugged adapter, closed peer) keeps its descriptor readable for ever, and
    // QSerialPort then reports an error on every pass of the event loop. Queued, so that the port is
    // never closed from inside its own notifier.
    connect(
        pPort, &QSerialPort::errorOccurred, this, [this] { checkLost(); }, Qt::QueuedConnection);
    return true;
}

bool SerialLink::openNetwork(const QString &portName)
{
    const QUrl url(portName, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() || url.port() < 1) {
        m_strError = tr("a network port is named with its host and port, as in socket://192.168.1.50:4001");
        return false;
    }
    auto *pSocket = new QTcpSocket;
    m_pDevice.reset(pSocket);
    pSocket->connectToHost(url.host(), quint16(url.port()));
    if (!pSocket->waitForConnected(connectTimeout)) {
        m_strError = networkReason(*pSocket);
        return false;
    }
    // Frames are a few bytes each: sent at once, not gathered.
    pSocket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    if (url.scheme() == QLatin1String("rfc2217")) {
        m_pTelnet = std::make_unique<TelnetComPort>();
        pSocket->write(m_pTelnet->greeting());
        pSocket->waitForBytesWritten(100);
        // The server states its own options at once; they are settled before the first frame.
        if (pSocket->waitForReadyRead(200))
            pSocket->write(m_pTelnet->answer(pSocket->readAll()));
    }
    connect(
        pSocket, &QTcpSocket::disconnected, this, [this] { checkLost(); }, Qt::QueuedConnection);
    return true;
}

void SerialLink::close()
{
    // Discarding the buffers first also keeps close() from waiting for unsent output to drain.
    if (auto *pPort = qobject_cast<QSerialPort *>(m_pDevice.get()); pPort && pPort->isOpen())
        pPort->clear(QSerialPort::AllDirections);
    m_pDevice.reset();
    m_pTelnet.reset();
    m_strError.clear();
    setState(Disconnected);
}

void SerialLink::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged();
}

// Judged from the line itself rather than from a reported error, which may be stale: a hung-up
// descriptor is what a vanished USB adapter or a closed pseudo-terminal peer leaves behind.
bool SerialLink::checkLost()
{
    if (m_state != Connected || !m_pDevice)
        return false;
    bool isLost = !m_pDevice->isOpen();
    if (auto *pSocket = qobject_cast<QAbstractSocket *>(m_pDevice.get())) {
        isLost = isLost || pSocket->state() != QAbstractSocket::ConnectedState;
    } else if (auto *pPort = qobject_cast<QSerialPort *>(m_pDevice.get())) {
        isLost = isLost || pPort->error() == QSerialPort::ResourceError;
#ifdef Q_OS_UNIX
        pollfd pfd{static_cast<int>(pPort->handle()), 0, 0};
        isLost = isLost || (::poll(&pfd, 1, 0) > 0 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)));
#endif
        // A timeout of a wait leaves TimeoutError set; it is no fault of the line.
        pPort->clearError();
    }
    if (!isLost)
        return false;
    m_pDevice->close();
    m_strError = tr("the line went away (adapter unplugged, or the connection closed)");
    setState(Lost);
    return true;
}

bool SerialLink::send(const QByteArray &frame)
{
    qDebug() << (isConnected() ? "true" : "false");
    if (!isConnected() || checkLost())
        return false;
    const QByteArray bytes = m_pTelnet ? TelnetComPort::escaped(frame) : frame;
    const bool isWritten = m_pDevice->write(bytes) == bytes.size();
    m_pDevice->waitForBytesWritten(100);
    qDebug().noquote() << QStringLiteral("out   ") + QString::fromLatin1(frame.toHex());
    m_pDevice->waitForReadyRead(100);
    const QByteArray answer = m_pDevice->readAll();
    if (m_pTelnet) {
        const QByteArray reply = m_pTelnet->answer(answer);
        if (!reply.isEmpty() && m_pDevice->write(reply) > 0)
            m_pDevice->waitForBytesWritten(100);
    }
    const bool isLost = checkLost();
    QThread::msleep(sendPause);
    return isWritten && !isLost;
}

void SerialLink::setInputMode(int nMode)
{
    if (!isConnected())
        return;
    send(packFrame(CommandPacket().makeInputMode(nMode)));
}

void SerialLink::switchSignal(int nSignal)
{
    if (!isConnected() || !fits(nSignal, 0xFF))
        return;
    send(packFrame(CommandPacket().makeSignal(nSignal)));
}

void SerialLink::setResolution(int nRes, int nMain, int nSub)
{
    // The target byte holds the main address in its high nibble and the sub address in its low one;
    // both at 15 would be the broadcast target.
    if (!isConnected() || !fits(nMain, 0xF) || !fits(nSub, 0xF) || (nMain == 0xF && nSub == 0xF))
        return;
    send(packFrame(CommandPacket().makeResolution(nRes, nMain, nSub)));
}

void SerialLink::spliceOpenModel()
{
    if (!isConnected())
        return;
    send(packFrame(CommandPacket().makeSplice(0xFF, 15, 15, 0, 0)));
}

void SerialLink::setSplice(int nRow, int nColumn, int nEdgeX, int nEdgeY)
{
    if (!isConnected() || !fits(nRow - 1, 0xFE) || !fits(nColumn - 1, 0xFE) || !fits(nEdgeX, 0xFF) ||
        !fits(nEdgeY, 0xFF))
        return;
    send(packFrame(CommandPacket().makeSplice(0xFF, nRow, nColumn, nEdgeX, nEdgeY)));
}

void SerialLink::showAddressInfo(bool bShow)
{
    if (!isConnected())
        return;
    send(packFrame(CommandPacket().makeAddressInfo(bShow, 0xFF)));
}

bool SerialLink::setRotate(int nAddr, int nRotate)
{
    if (!isConnected() || !isUnitAddress(nAddr))
        return false;
    const int code = nRotate <= 0 ? 0 : (nRotate >= 4 ? 2 : nRotate);
    return send(packFrame(CommandPacket().makeRotate(code, nAddr)));
}

bool SerialLink::setPosition(int nAddr, int nSub, int nX, int nY, int nWidth, int nHeight)
{
    Q_UNUSED(nSub)
    if (!isConnected() || !isUnitAddress(nAddr) || !fits(nX, 0xFFFF) || !fits(nY, 0xFFFF) ||
        !fits(nWidth, 0xFFFF) || !fits(nHeight, 0xFFFF))
        return false;
    return send(packFrame(CommandPacket().makePosition(nX, nY, nWidth, nHeight, nAddr)));
}

bool SerialLink::setWindowPosition(int nAddr, double dX, double dY, double dWidth, double dHeight,
                                   bool bPortrait)
{
    const int x = roundedToInt(dX);
    const int y = roundedToInt(dY);
    const int width = roundedToInt(dWidth);
    const int height = roundedToInt(dHeight);
    if (bPortrait)
        return setPosition(nAddr, 0, y, x, height, width);
    return setPosition(nAddr, 0, x, y, width, height);
}

SerialLink::WindowSent SerialLink::sendWindow(int nAddr, double dX, double dY, double dWidth, double dHeight,
                                              int nRotate, bool bPortrait, int nPauseMs)
{
    WindowSent sent;
    sent.position = setWindowPosition(nAddr, dX, dY, dWidth, dHeight, bPortrait);
    if (sent.position)
        QThread::msleep(static_cast<unsigned long>(qMax(0, nPauseMs)));
    sent.rotation = setRotate(nAddr, nRotate);
    return sent;
}

bool SerialLink::resetUnit(int nTarget)
{
    if (!isConnected() || (nTarget != allUnits && !isUnitAddress(nTarget)))
        return false;
    return send(packFrame(CommandPacket().makeReset(nTarget)));
}
