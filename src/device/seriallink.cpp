#include "seriallink.h"

#include "commandpacket.h"

#include <QDebug>
#include <QSerialPort>
#include <QThread>

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

} // namespace

SerialLink *SerialLink::theSerialLink()
{
    static SerialLink link;
    return &link;
}

SerialLink::SerialLink() : m_pPort(new QSerialPort)
{
    // A device that vanishes (unplugged adapter, closed peer) keeps its descriptor readable forever, and
    // QSerialPort then reports an error on every pass of the event loop. Queued, so that the port is never
    // closed from inside its own notifier.
    QObject::connect(
        m_pPort, &QSerialPort::errorOccurred, m_pPort, [this]() { releaseLostDevice(); },
        Qt::QueuedConnection);
}

// Never deleted: the port is left to the operating system at exit.
SerialLink::~SerialLink() = default;

bool SerialLink::open(const QString &portName)
{
    if (!m_pPort)
        return m_connected;
    // An open port cannot be opened again: the link keeps its device and reports itself connected.
    if (m_pPort->isOpen())
        return m_connected;
    m_pPort->clearError();
    m_pPort->setPortName(portName);
    m_pPort->setBaudRate(QSerialPort::Baud9600, QSerialPort::AllDirections);
    if (!m_pPort->open(QIODevice::ReadWrite))
        return m_connected;
    m_pPort->setDataBits(QSerialPort::Data8);
    m_pPort->setStopBits(QSerialPort::OneStop);
    m_pPort->setParity(QSerialPort::NoParity);
    m_pPort->setFlowControl(QSerialPort::NoFlowControl);
    m_connected = true;
    return true;
}

void SerialLink::close()
{
    if (m_pPort) {
        // Flushing first also keeps close() from waiting for unsent output to drain.
        if (m_pPort->isOpen()) {
            m_pPort->clear(QSerialPort::AllDirections);
            m_pPort->close();
        }
        m_pPort->clearError();
    }
    m_connected = false;
}

void SerialLink::send(const QByteArray &frame)
{
    qDebug() << (m_connected ? "true" : "false");
    if (!m_connected)
        return;
    // After a lost device the link stays connected until the operator disconnects; frames go nowhere.
    const bool isOpen = m_pPort && m_pPort->isOpen();
    if (isOpen) {
        m_pPort->write(frame);
        m_pPort->waitForBytesWritten(100);
    }
    qDebug().noquote() << QStringLiteral("out   ") + QString::fromLatin1(frame.toHex());
    if (isOpen) {
        m_pPort->waitForReadyRead(100);
        m_pPort->readAll();
        releaseLostDevice();
        // A timeout above leaves TimeoutError set; it is not a fault of the link.
        m_pPort->clearError();
    }
    QThread::msleep(sendPause);
}

// Judged from the port itself rather than from a reported error, which may be stale: a hung-up
// descriptor is what a vanished USB adapter or a closed pseudo-terminal peer leaves behind.
bool SerialLink::isDeviceLost() const
{
    if (!m_pPort || !m_pPort->isOpen())
        return false;
    if (m_pPort->error() == QSerialPort::ResourceError)
        return true;
#ifdef Q_OS_UNIX
    pollfd pfd{static_cast<int>(m_pPort->handle()), 0, 0};
    if (::poll(&pfd, 1, 0) > 0 && (pfd.revents & (POLLHUP | POLLERR | POLLNVAL)))
        return true;
#endif
    return false;
}

// Closes the dead descriptor but keeps the connected flag: only close() disconnects the link, and
// open() may then reach the device again.
void SerialLink::releaseLostDevice()
{
    if (!isDeviceLost())
        return;
    m_pPort->close();
    m_pPort->clearError();
}

void SerialLink::setInputMode(int nMode)
{
    if (!m_connected)
        return;
    send(packFrame(CommandPacket().makeInputMode(nMode)));
}

void SerialLink::switchSignal(int nSignal)
{
    if (!m_connected || !fits(nSignal, 0xFF))
        return;
    send(packFrame(CommandPacket().makeSignal(nSignal)));
}

void SerialLink::setResolution(int nRes, int nMain, int nSub)
{
    // The target byte holds the main address in its high nibble and the sub address in its low one;
    // both at 15 would be the broadcast target.
    if (!m_connected || !fits(nMain, 0xF) || !fits(nSub, 0xF) || (nMain == 0xF && nSub == 0xF))
        return;
    send(packFrame(CommandPacket().makeResolution(nRes, nMain, nSub)));
}

void SerialLink::spliceOpenModel()
{
    if (!m_connected)
        return;
    send(packFrame(CommandPacket().makeSplice(0xFF, 15, 15, 0, 0)));
}

void SerialLink::setSplice(int nRow, int nColumn, int nEdgeX, int nEdgeY)
{
    if (!m_connected || !fits(nRow - 1, 0xFE) || !fits(nColumn - 1, 0xFE) || !fits(nEdgeX, 0xFF) ||
        !fits(nEdgeY, 0xFF))
        return;
    send(packFrame(CommandPacket().makeSplice(0xFF, nRow, nColumn, nEdgeX, nEdgeY)));
}

void SerialLink::showAddressInfo(bool bShow)
{
    if (!m_connected)
        return;
    send(packFrame(CommandPacket().makeAddressInfo(bShow, 0xFF)));
}

void SerialLink::setRotate(int nAddr, int nRotate)
{
    if (!m_connected || !isUnitAddress(nAddr))
        return;
    const int code = nRotate <= 0 ? 0 : (nRotate >= 4 ? 2 : nRotate);
    send(packFrame(CommandPacket().makeRotate(code, nAddr)));
}

void SerialLink::setPosition(int nAddr, int nSub, int nX, int nY, int nWidth, int nHeight)
{
    Q_UNUSED(nSub)
    if (!m_connected || !isUnitAddress(nAddr) || !fits(nX, 0xFFFF) || !fits(nY, 0xFFFF) ||
        !fits(nWidth, 0xFFFF) || !fits(nHeight, 0xFFFF))
        return;
    send(packFrame(CommandPacket().makePosition(nX, nY, nWidth, nHeight, nAddr)));
}

void SerialLink::resetUnit(int nTarget)
{
    if (!m_connected || (nTarget != allUnits && !isUnitAddress(nTarget)))
        return;
    send(packFrame(CommandPacket().makeReset(nTarget)));
}
