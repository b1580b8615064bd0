#ifndef CONTROLCOMMAND_H
#define CONTROLCOMMAND_H

#include <QList>
#include <QString>

// One line of the control port, parsed: the verb and its checked arguments, or why the line was refused.
// Every number is within its range here, so the console only checks what depends on the wall.
struct ControlCommand
{
    enum Verb
    {
        Invalid,
        Ping,
        Status,
        Connect,
        Disconnect,
        Preset,
        PresetSave,
        Presets,
        Input,
        Reset,
        Window,
        Load,
        Quit,
        Auth
    };

    static constexpr int presetCount = 16;
    static constexpr int maxAddress = 63;
    static constexpr int allUnits = 255;
    static constexpr int maxCoordinate = 65535;
    static constexpr int maxPortName = 255;
    static constexpr int maxFileName = 200;
    // Nine digits fit an int whole, so a number is range-checked before it can overflow.
    static constexpr int maxDigits = 9;

    Verb verb = Invalid;
    // Invalid: the reason, exactly as the reply gives it after "ERR ".
    QString error;
    // Preset/PresetSave: {n}; Input: {signal}; Reset: {target}; Window: {address, x, y, width, height}.
    QList<int> numbers;
    // Connect: the port name (empty = the stored one); Load: the file name as it will be opened;
    // Auth: the token.
    QString text;

    // True for the commands that act on the wall or its link, which wait while the operator works.
    bool changesWall() const;
    // The command as the debug stream shows it; never the token.
    QString logText() const;
};

ControlCommand parseControlLine(const QString &strLine);

#endif // CONTROLCOMMAND_H
