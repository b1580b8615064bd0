#include "seriallink.h"

#include "commandpacket.h"

#include <QDebug>
#include <QSerialPort>
#include <QThread>

SerialLink *SerialLink::theSerialLink()
{
    static SerialLink link;
    return &link;
}

SerialLink::SerialLink() : m_pPort(new QSerialPort) {}

// The port is left to the operating system at exit; deleting the QSerialPort would close it anyway.
SerialLink::~SerialLink()
{
    delete m_pPort;
}

bool SerialLink::open(const QString &portName)
{
    if (!m_pPort)
        return m_connected;
    // Reopening an already open port would fail; a connected link stays as it is and reports true.
    if (m_pPort->isOpen())
        return m_connected;
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
        if (m_pPort->isOpen())
            m_pPort->clear(QSerialPort::AllDirections);
        m_pPort->close();
        m_pPort->clearError();
    }
    m_connected = false;
}

void SerialLink::send(const QByteArray &frame)
{
    qDebug() << (m_connected ? "true" : "false");
    if (!m_connected)
        return;
    m_pPort->write(frame);
    m_pPort->waitForBytesWritten(100);
    qDebug() << "out   " << frame.toHex().constData();
    m_pPort->waitForReadyRead(100);
    m_pPort->readAll();
    // A timeout above leaves TimeoutError set; it is not a fault of the link.
    m_pPort->clearError();
    QThread::msleep(sendPause);
}

void SerialLink::setInputMode(int nMode)
{
    if (!m_connected)
        return;
    send(packFrame(CommandPacket().makeInputMode(nMode)));
}

void SerialLink::switchSignal(int nSignal)
{
    if (!m_connected)
        return;
    send(packFrame(CommandPacket().makeSignal(nSignal)));
}

void SerialLink::setResolution(int nRes, int nMain, int nSub)
{
    if (!m_connected)
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
    if (!m_connected)
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
    if (!m_connected || nAddr == -1)
        return;
    const int code = nRotate <= 0 ? 0 : (nRotate >= 4 ? 2 : nRotate);
    send(packFrame(CommandPacket().makeRotate(code, nAddr)));
}

void SerialLink::setPosition(int nAddr, int nSub, int nX, int nY, int nWidth, int nHeight)
{
    Q_UNUSED(nSub)
    if (!m_connected || nAddr == -1)
        return;
    send(packFrame(CommandPacket().makePosition(nX, nY, nWidth, nHeight, nAddr)));
}

void SerialLink::resetUnit(int nTarget)
{
    if (!m_connected)
        return;
    send(packFrame(CommandPacket().makeReset(nTarget)));
}
