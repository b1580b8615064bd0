#include "controlendpoint.h"

#include <QFile>
#include <QRegularExpression>

#include <sys/stat.h>

namespace {

const qint64 maxTokenFileSize = 4096;
const int minTokenLength = 12;

bool fail(QString *pError, const QString &strError)
{
    if (pError)
        *pError = strError;
    return false;
}

// An IPv4 peer of a dual-stack socket as the IPv4 address it is.
QHostAddress unmapped(const QHostAddress &address)
{
    bool isIpv4 = false;
    const quint32 nIpv4 = address.toIPv4Address(&isIpv4);
    return isIpv4 ? QHostAddress(nIpv4) : address;
}

} // namespace

bool parseEndpoint(const QString &strText, QHostAddress *pAddress, quint16 *pPort, QString *pError)
{
    const QString strTrimmed = strText.trimmed();
    QString strAddress = QStringLiteral("127.0.0.1");
    QString strPort = strTrimmed;
    const bool isBracketed = strTrimmed.startsWith(QLatin1Char('['));
    if (strTrimmed.isEmpty())
        return fail(pError, QStringLiteral("no port given: [ADDRESS:]PORT, as in 7860 or 0.0.0.0:7860"));
    if (isBracketed) {
        const int nClose = strTrimmed.indexOf(QLatin1String("]:"));
        if (nClose < 0)
            return fail(
                pError,
                QStringLiteral("no port after the IPv6 address, as in [::1]:7860: %1").arg(strTrimmed));
        strAddress = strTrimmed.mid(1, nClose - 1);
        strPort = strTrimmed.mid(nClose + 2);
    } else if (strTrimmed.count(QLatin1Char(':')) > 1) {
        return fail(pError,
                    QStringLiteral("an IPv6 address goes in brackets, as in [::1]:7860: %1").arg(strTrimmed));
    } else if (strTrimmed.contains(QLatin1Char(':'))) {
        strAddress = strTrimmed.section(QLatin1Char(':'), 0, 0);
        strPort = strTrimmed.section(QLatin1Char(':'), 1);
    }
    static const QRegularExpression portForm(QStringLiteral("^[0-9]{1,5}$"));
    if (!portForm.match(strPort).hasMatch() || strPort.toInt() < 1 || strPort.toInt() > 65535)
        return fail(pError, QStringLiteral("not a port number: %1 (1 to 65535)").arg(strPort));
    // QHostAddress also takes short forms such as "127.1"; a listening address is written out in full.
    static const QRegularExpression ipv4Form(QStringLiteral("^[0-9]{1,3}(\\.[0-9]{1,3}){3}$"));
    QHostAddress address;
    const bool isAddress =
        isBracketed ? address.setAddress(strAddress) && address.protocol() == QAbstractSocket::IPv6Protocol
                    : ipv4Form.match(strAddress).hasMatch() && address.setAddress(strAddress);
    if (!isAddress)
        return fail(pError, QStringLiteral("not an IP address: %1").arg(strAddress));
    *pAddress = address;
    *pPort = quint16(strPort.toInt());
    return true;
}

bool readTokenFile(const QString &strPath, QByteArray *pToken, QString *pError)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return fail(pError,
                    QStringLiteral("cannot read the token file %1: %2").arg(strPath, file.errorString()));
    // Judged on the open file, so that it cannot be swapped between the check and the read.
    struct stat info;
    if (::fstat(file.handle(), &info) != 0 || !S_ISREG(info.st_mode))
        return fail(pError, QStringLiteral("the token file %1 is not a regular file").arg(strPath));
    if (info.st_mode & (S_IRWXG | S_IRWXO)) {
        const QString strWho = info.st_mode & (S_IRGRP | S_IROTH)
                                   ? QStringLiteral("can be read by others")
                                   : QStringLiteral("can be changed by others");
        return fail(pError, QStringLiteral("%1 %2: chmod 600 %1").arg(strPath, strWho));
    }
    if (info.st_size > maxTokenFileSize)
        return fail(pError, QStringLiteral("the token file %1 is larger than 4 KiB").arg(strPath));
    const QByteArray content = file.read(maxTokenFileSize);
    const QByteArray token = content.split('\n').first().split('\r').first().trimmed();
    for (const char c : token) {
        // Anything else could not come through the line as sent, or would end the word.
        if (c < '!' || c > '~')
            return fail(pError,
                        QStringLiteral("the token in %1 must be one word of printable ASCII characters")
                            .arg(strPath));
    }
    if (token.size() < minTokenLength)
        return fail(pError, QStringLiteral("the token in %1 is too short (at least %2 characters)")
                                .arg(strPath)
                                .arg(minTokenLength));
    *pToken = token;
    return true;
}

bool isLoopback(const QHostAddress &address)
{
    return unmapped(address).isLoopback();
}

QString endpointText(const QHostAddress &address, quint16 nPort)
{
    const QHostAddress plain = unmapped(address);
    const QString strAddress = plain.protocol() == QAbstractSocket::IPv6Protocol
                                   ? QLatin1Char('[') + plain.toString() + QLatin1Char(']')
                                   : plain.toString();
    return strAddress + QLatin1Char(':') + QString::number(nPort);
}
