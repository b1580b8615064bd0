#include "portnames.h"

#include <QDebug>
#include <QRegExp>
#include <QSerialPortInfo>

namespace PortNames {

QStringList filter(const QStringList &systemNames)
{
    // The bars are literal class members; kept as the controller software has always matched names.
    const QRegExp comPattern(QStringLiteral("[c|C][o|O][m|M]([0-9]+)"));
    QStringList comNames;
    QStringList otherNames;
    for (const QString &name : systemNames) {
        if (comPattern.indexIn(name) >= 0) {
            qDebug().noquote() << name;
            comNames << name;
        } else if (!name.isEmpty()) {
            otherNames << name;
        }
    }
    QStringList names = comNames + otherNames;
    if (names.isEmpty())
        names << QStringLiteral("COM1");
    return names;
}

QStringList systemNames()
{
    QStringList systemNames;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        systemNames << info.portName();
    return systemNames;
}

QStringList available()
{
    return filter(systemNames());
}

} // namespace PortNames
