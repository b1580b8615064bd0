#include "controlcommand.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace {

struct Name
{
    const char *word;
    int value;
};

const Name plainVerbs[] = {{"PING", ControlCommand::Ping},
                           {"STATUS", ControlCommand::Status},
                           {"PRESETS", ControlCommand::Presets},
                           {"DISCONNECT", ControlCommand::Disconnect},
                           {"QUIT", ControlCommand::Quit}};
const Name inputs[] = {{"DP", 1}, {"HDMI1", 2}, {"HDMI2", 3}, {"WIRELESS", 4}};
const char *const inputList = "DP, HDMI1, HDMI2 or WIRELESS";
const int shownLength = 40;

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Line and paragraph separators count too: a reply or a log line must stay one line.
bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator;
}

QString trimBlanks(const QString &strText)
{
    int nStart = 0;
    int nEnd = strText.size();
    while (nStart < nEnd && isBlank(strText.at(nStart)))
        ++nStart;
    while (nEnd > nStart && isBlank(strText.at(nEnd - 1)))
        --nEnd;
    return strText.mid(nStart, nEnd - nStart);
}

// Keywords are matched in ASCII only: a Unicode upper case would turn "pıng" into PING.
QString asciiUpper(const QString &strWord)
{
    QString upper = strWord;
    for (QChar &c : upper) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return upper;
}

// A word of the client's as an error quotes it: short, and without the one control character a line may
// hold (a tab, within a file name or a token).
QString shown(const QString &strWord)
{
    QString word = strWord;
    word.replace(QLatin1Char('\t'), QLatin1Char(' '));
    if (word.size() <= shownLength)
        return word;
    int nCut = shownLength - 3;
    if (word.at(nCut - 1).isHighSurrogate())
        --nCut;
    return word.left(nCut) + QLatin1String("...");
}

ControlCommand refused(const QString &strError)
{
    ControlCommand command;
    command.error = strError;
    return command;
}

// The reason when the word is no number from nLow to nHigh, else "" and the number in *pValue.
QString readNumber(const QString &strWord, const char *pWhat, int nLow, int nHigh, int *pValue)
{
    for (QChar c : strWord) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return QStringLiteral("not a number: %1").arg(shown(strWord));
    }
    const int nValue = strWord.size() <= ControlCommand::maxDigits ? strWord.toInt() : -1;
    if (strWord.isEmpty() || nValue < nLow || nValue > nHigh)
        return QStringLiteral("out of range: %1 %2 (%3 to %4)")
            .arg(QLatin1String(pWhat), shown(strWord))
            .arg(nLow)
            .arg(nHigh);
    *pValue = nValue;
    return QString();
}

// Reads the words as numbers in turn, each with its name and range; the first fault ends it.
ControlCommand withNumbers(ControlCommand::Verb verb, const QStringList &words,
                           std::initializer_list<std::pair<const char *, std::pair<int, int>>> fields)
{
    ControlCommand command;
    int nIndex = 0;
    for (const auto &field : fields) {
        int nValue = 0;
        const QString strError =
            readNumber(words.at(nIndex++), field.first, field.second.first, field.second.second, &nValue);
        if (!strError.isEmpty())
            return refused(strError);
        command.numbers << nValue;
    }
    command.verb = verb;
    return command;
}

// What follows the verb, as the client wrote it: names and tokens may hold spaces.
QString restAfterVerb(const QString &strLine)
{
    const QString strTrimmed = trimBlanks(strLine);
    int nEnd = 0;
    while (nEnd < strTrimmed.size() && !isBlank(strTrimmed.at(nEnd)))
        ++nEnd;
    return trimBlanks(strTrimmed.mid(nEnd));
}

ControlCommand parseLoad(const QString &strName)
{
    const QString strNoPath =
        QStringLiteral("LOAD takes a file name in the console's folder, without a path");
    if (strName.isEmpty())
        return refused(strNoPath);
    if (strName.size() > ControlCommand::maxFileName)
        return refused(
            QStringLiteral("file name too long (at most %1 characters)").arg(ControlCommand::maxFileName));
    if (strName.contains(QLatin1Char('/')) || strName.contains(QLatin1Char('\\')) ||
        strName.contains(QLatin1String("..")))
        return refused(strNoPath + QLatin1String(": ") + shown(strName));
    if (strName.contains(QLatin1Char('\t')))
        return refused(QStringLiteral("control characters in the file name: %1").arg(shown(strName)));
    if (strName.startsWith(QLatin1Char('.')))
        return refused(QStringLiteral("file name starts with a dot: %1").arg(shown(strName)));
    // "name." would become "name..json".
    if (strName.endsWith(QLatin1Char('.')))
        return refused(QStringLiteral("file name ends with a dot: %1").arg(shown(strName)));
    ControlCommand command;
    command.verb = ControlCommand::Load;
    command.text = strName;
    if (QFileInfo(strName).suffix().isEmpty())
        command.text += QLatin1String(".json");
    return command;
}

ControlCommand parseWords(const QString &strLine, const QStringList &words)
{
    const QString verb = asciiUpper(words.first());
    const QStringList args = words.mid(1);
    for (const Name &name : plainVerbs) {
        if (verb != QLatin1String(name.word))
            continue;
        if (!args.isEmpty())
            return refused(QStringLiteral("%1 takes no arguments: %2").arg(verb, shown(args.first())));
        ControlCommand command;
        command.verb = ControlCommand::Verb(name.value);
        return command;
    }
    const std::pair<int, int> presets{1, ControlCommand::presetCount};
    const std::pair<int, int> addresses{0, ControlCommand::maxAddress};
    if (verb == QLatin1String("CONNECT")) {
        if (args.size() > 1)
            return refused(QStringLiteral("CONNECT takes one port name at most: %1").arg(shown(args.at(1))));
        if (args.value(0).size() > ControlCommand::maxPortName)
            return refused(QStringLiteral("port name too long (at most %1 characters)")
                               .arg(ControlCommand::maxPortName));
        ControlCommand command;
        command.verb = ControlCommand::Connect;
        command.text = args.value(0);
        return command;
    }
    if (verb == QLatin1String("PRESET")) {
        const bool isSave = args.size() == 2 && asciiUpper(args.first()) == QLatin1String("SAVE");
        if (!isSave && (args.size() != 1 || asciiUpper(args.first()) == QLatin1String("SAVE")))
            return refused(QStringLiteral("PRESET takes a preset number 1 to 16, or SAVE and a number"));
        return withNumbers(isSave ? ControlCommand::PresetSave : ControlCommand::Preset,
                           args.mid(isSave ? 1 : 0), {{"preset", presets}});
    }
    if (verb == QLatin1String("INPUT")) {
        if (args.size() != 1)
            return refused(QStringLiteral("INPUT takes %1").arg(QLatin1String(inputList)));
        for (const Name &input : inputs) {
            if (asciiUpper(args.first()) == QLatin1String(input.word)) {
                ControlCommand command;
                command.verb = ControlCommand::Input;
                command.numbers << input.value;
                return command;
            }
        }
        return refused(
            QStringLiteral("unknown input: %1 (%2)").arg(shown(args.first()), QLatin1String(inputList)));
    }
    if (verb == QLatin1String("RESET")) {
        if (args.size() != 1)
            return refused(QStringLiteral("RESET takes ALL or a unit address 0 to 63"));
        if (asciiUpper(args.first()) != QLatin1String("ALL"))
            return withNumbers(ControlCommand::Reset, args, {{"address", addresses}});
        ControlCommand command;
        command.verb = ControlCommand::Reset;
        command.numbers << ControlCommand::allUnits;
        return command;
    }
    if (verb == QLatin1String("WINDOW")) {
        if (args.size() != 5)
            return refused(QStringLiteral("WINDOW takes an address and x, y, width, height"));
        const std::pair<int, int> place{0, ControlCommand::maxCoordinate};
        const std::pair<int, int> size{1, ControlCommand::maxCoordinate};
        return withNumbers(
            ControlCommand::Window, args,
            {{"address", addresses}, {"x", place}, {"y", place}, {"width", size}, {"height", size}});
    }
    if (verb == QLatin1String("LOAD"))
        return parseLoad(restAfterVerb(strLine));
    if (verb == QLatin1String("AUTH")) {
        ControlCommand command;
        command.text = restAfterVerb(strLine);
        if (command.text.isEmpty())
            return refused(QStringLiteral("AUTH takes a token"));
        command.verb = ControlCommand::Auth;
        return command;
    }
    return refused(QStringLiteral("unknown verb: %1").arg(shown(words.first())));
}

} // namespace

bool ControlCommand::changesWall() const
{
    switch (verb) {
    case Connect:
    case Disconnect:
    case Preset:
    case PresetSave:
    case Input:
    case Reset:
    case Window:
    case Load:
        return true;
    default:
        return false;
    }
}

QString ControlCommand::logText() const
{
    QStringList words;
    for (int nNumber : numbers)
        words << QString::number(nNumber);
    switch (verb) {
    case Invalid:
        return QStringLiteral("invalid: ") + error;
    case Connect:
        return text.isEmpty() ? QStringLiteral("CONNECT") : QStringLiteral("CONNECT ") + text;
    case Preset:
        return QStringLiteral("PRESET ") + words.join(QLatin1Char(' '));
    case PresetSave:
        return QStringLiteral("PRESET SAVE ") + words.join(QLatin1Char(' '));
    case Input:
        for (const Name &input : inputs) {
            if (numbers.value(0) == input.value)
                return QStringLiteral("INPUT ") + QLatin1String(input.word);
        }
        return QStringLiteral("INPUT ") + words.join(QLatin1Char(' '));
    case Reset:
        return numbers.value(0) == allUnits ? QStringLiteral("RESET ALL")
                                            : QStringLiteral("RESET ") + words.join(QLatin1Char(' '));
    case Window:
        return QStringLiteral("WINDOW ") + words.join(QLatin1Char(' '));
    case Load:
        return QStringLiteral("LOAD ") + text;
    case Auth:
        return QStringLiteral("AUTH ***");
    default:
        for (const Name &name : plainVerbs) {
            if (verb == name.value)
                return QLatin1String(name.word);
        }
        return QString();
    }
}

ControlCommand parseControlLine(const QString &strLine)
{
    static const QRegularExpression blanks(QStringLiteral("[ \t]+"));
    const QStringList words = strLine.split(blanks, Qt::SkipEmptyParts);
    if (words.isEmpty())
        return refused(QStringLiteral("empty line"));
    for (QChar c : strLine) {
        if (c != QLatin1Char('\t') && isControl(c))
            return refused(QStringLiteral("control characters in the line"));
    }
    return parseWords(strLine, words);
}
