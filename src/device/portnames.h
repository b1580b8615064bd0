#ifndef PORTNAMES_H
#define PORTNAMES_H

#include <QStringList>

// The serial port names offered to the operator. Names of the COM family come first, in the system's
// order; on systems whose ports carry other names (ttyUSB0, ttyACM0, ttyS0) those follow, so that an
// operator on Linux finds the adapter. "COM1" stands in when the list would otherwise be empty.
namespace PortNames {
// Each COM match is also written to the debug log, as the port dialogs always did.
QStringList filter(const QStringList &systemNames);
// The names of the ports present now, as the system lists them.
QStringList systemNames();
// filter() over the ports present now.
QStringList available();
} // namespace PortNames

#endif // PORTNAMES_H
