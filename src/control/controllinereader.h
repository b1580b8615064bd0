#ifndef CONTROLLINEREADER_H
#define CONTROLLINEREADER_H

#include <QByteArray>
#include <QList>
#include <QString>

// Cuts what a control client sends into lines of text. A line ends at CR, LF or CR LF, as terminals and
// room control systems send them. A line is held only up to its limit, so a client that never ends one
// cannot make the console buffer without bound; the fault is reported as soon as the limit is passed.
class ControlLineReader
{
public:
    // A line, or a fault in place of a line.
    struct Item
    {
        QString line;
        QString fault;
    };

    static constexpr int maxLineLength = 1024;
    static constexpr const char *tooLong = "line too long (at most 1024 bytes)";
    static constexpr const char *notText = "not UTF-8 text";

    // The complete lines in the bytes and those held from before; lines of blanks are skipped.
    QList<Item> feed(const QByteArray &bytes);

private:
    void endLine(QList<Item> *pItems);

    QByteArray m_line;
    // After a line ended at CR: a LF that follows belongs to it.
    bool m_isAfterCr = false;
    // A line over the limit is dropped up to its end.
    bool m_isDiscarding = false;
};

#endif // CONTROLLINEREADER_H
