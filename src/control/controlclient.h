#ifndef CONTROLCLIENT_H
#define CONTROLCLIENT_H

#include <QString>

class QTextStream;

// The --send client: sends one line to a running console's control port and prints the one reply line.
// It blocks, and needs no event loop. strTo is "[ADDRESS:]PORT" (empty: 127.0.0.1 and the default
// port); a token file, when given, is sent with AUTH first. Returns 0 for a reply "OK ...", 1 for
// "ERR ...", and 2 when there was no reply to give (no console, no answer in time, nothing usable to
// send), with the reason on err.
int sendControlLine(const QString &strLine, const QString &strTo, const QString &strTokenFile,
                    QTextStream &out, QTextStream &err, int nConnectTimeout = 2000,
                    int nReplyTimeout = 60000);

#endif // CONTROLCLIENT_H
