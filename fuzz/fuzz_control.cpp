// Bytes as a control client may send them: cut into pieces at points the input itself chooses, framed into
// lines, and every line parsed. Every refusal must say why in one line, and every command must stay within
// the bounds the console relies on. No application object: the port's parsing needs none.
#include "controlcommand.h"
#include "controllinereader.h"

#include <QFileInfo>

#include <cstdint>

namespace {

void check(bool bHolds)
{
    if (!bHolds)
        __builtin_trap();
}

bool isOneLine(const QString &strText)
{
    for (const QChar c : strText) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return false;
    }
    return true;
}

bool within(const QList<int> &numbers, int nIndex, int nLow, int nHigh)
{
    return numbers.value(nIndex, nLow - 1) >= nLow && numbers.value(nIndex) <= nHigh;
}

void checkCommand(const ControlCommand &command)
{
    check(isOneLine(command.logText()));
    const QList<int> &n = command.numbers;
    switch (command.verb) {
    case ControlCommand::Invalid:
        check(!command.error.isEmpty() && isOneLine(command.error) && command.error.size() <= 200 &&
              n.isEmpty());
        break;
    case ControlCommand::Preset:
    case ControlCommand::PresetSave:
        check(n.size() == 1 && within(n, 0, 1, ControlCommand::presetCount));
        break;
    case ControlCommand::Input:
        check(n.size() == 1 && within(n, 0, 1, 4));
        break;
    case ControlCommand::Reset:
        check(n.size() == 1 &&
              (within(n, 0, 0, ControlCommand::maxAddress) || n.first() == ControlCommand::allUnits));
        break;
    case ControlCommand::Window:
        check(n.size() == 5 && within(n, 0, 0, ControlCommand::maxAddress) &&
              within(n, 1, 0, ControlCommand::maxCoordinate) &&
              within(n, 2, 0, ControlCommand::maxCoordinate) &&
              within(n, 3, 1, ControlCommand::maxCoordinate) &&
              within(n, 4, 1, ControlCommand::maxCoordinate));
        break;
    case ControlCommand::Load:
        check(!command.text.contains(QLatin1Char('/')) && !command.text.contains(QLatin1Char('\\')) &&
              !command.text.contains(QLatin1String("..")) && !command.text.startsWith(QLatin1Char('.')) &&
              !QFileInfo(command.text).suffix().isEmpty() && isOneLine(command.text) && n.isEmpty());
        break;
    case ControlCommand::Auth:
        check(command.logText() == QLatin1String("AUTH ***") && !command.text.isEmpty() && n.isEmpty());
        break;
    case ControlCommand::Connect:
        check(command.text.size() <= ControlCommand::maxPortName &&
              !command.text.contains(QLatin1Char(' ')) && n.isEmpty());
        break;
    default:
        check(n.isEmpty());
    }
    check(command.verb == ControlCommand::Invalid || command.error.isEmpty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const auto *bytes = reinterpret_cast<const char *>(data);
    // The first byte chooses how the stream arrives: one piece, or pieces of 1 to 255 bytes.
    const size_t nPiece = data[0] == 0 ? size : data[0];
    ControlLineReader reader;
    for (size_t i = 1; i < size; i += nPiece) {
        for (const ControlLineReader::Item &item :
             reader.feed(QByteArray(bytes + i, int(qMin(nPiece, size - i))))) {
            check(item.line.isEmpty() != item.fault.isEmpty());
            check(item.line.toUtf8().size() <= ControlLineReader::maxLineLength && isOneLine(item.fault));
            check(!item.line.contains(QLatin1Char('\r')) && !item.line.contains(QLatin1Char('\n')));
            if (item.fault.isEmpty())
                checkCommand(parseControlLine(item.line));
        }
    }
    // The parser on its own also gets what the reader would refuse.
    checkCommand(parseControlLine(QString::fromUtf8(bytes + 1, int(size - 1))));
    return 0;
}
