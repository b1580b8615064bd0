#ifndef DECODEDFRAME_H
#define DECODEDFRAME_H

#include <QByteArray>
#include <QString>
#include <QVector>

// What one frame on the controller's wire said: a command with its parameters, a frame with a valid
// envelope but a payload no controller command has, or one fault in the byte stream. Printed as one
// text line or as one compact JSON object.
class DecodedFrame
{
public:
    enum Kind
    {
        Command,
        Unknown,
        Error
    };

    struct Field
    {
        QString key;
        int value;
        // Fields that only the JSON form carries, so that the text line stays short.
        bool isJsonOnly;
    };

    // Decodes a whole frame whose envelope (header, length, checksum) is already known to be sound.
    static DecodedFrame fromFrame(const QByteArray &frame);
    // A fault: "bad checksum", "bad length", "short frame" or "garbage", with the bytes concerned.
    static DecodedFrame error(const QString &strWhat, const QByteArray &bytes);

    Kind kind() const { return m_kind; }
    bool isError() const { return m_kind == Error; }
    // The command name ("position", "reset", ...), "unknown", or the fault.
    QString name() const { return m_name; }
    QVector<Field> fields() const { return m_fields; }
    int value(const QString &strKey, int nDefault = -1) const;
    QByteArray bytes() const { return m_bytes; }

    QString toText() const;
    QByteArray toJson() const;

private:
    void add(const char *key, int nValue, bool bJsonOnly = false);

    Kind m_kind = Error;
    QString m_name;
    QVector<Field> m_fields;
    QByteArray m_bytes;
};

#endif // DECODEDFRAME_H
