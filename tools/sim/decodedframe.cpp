#include "decodedframe.h"

namespace {

int byteAt(const QByteArray &bytes, int nIndex)
{
    return static_cast<unsigned char>(bytes.at(nIndex));
}

int wordAt(const QByteArray &bytes, int nIndex)
{
    return (byteAt(bytes, nIndex) << 8) | byteAt(bytes, nIndex + 1);
}

QByteArray jsonString(const QString &strValue)
{
    QByteArray out("\"");
    for (const QChar c : strValue) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += '\\';
        if (c.unicode() < 0x20)
            out += "\\u00" + QByteArray::number(c.unicode(), 16).rightJustified(2, '0');
        else
            out += QString(c).toUtf8();
    }
    return out + '"';
}

} // namespace

void DecodedFrame::add(const char *key, int nValue, bool bJsonOnly)
{
    m_fields.append({QString::fromLatin1(key), nValue, bJsonOnly});
}

DecodedFrame DecodedFrame::error(const QString &strWhat, const QByteArray &bytes)
{
    DecodedFrame frame;
    frame.m_kind = Error;
    frame.m_name = strWhat;
    frame.m_bytes = bytes;
    return frame;
}

DecodedFrame DecodedFrame::fromFrame(const QByteArray &frame)
{
    DecodedFrame out;
    out.m_bytes = frame;
    out.m_kind = Command;
    const QByteArray payload = frame.mid(3, frame.size() - 4);
    const int size = payload.size();
    const int target = size > 0 ? byteAt(payload, 0) : 0;
    const int code = size > 1 ? byteAt(payload, 1) : -1;
    const int last = size > 2 ? byteAt(payload, size - 1) : -1;

    // The bytes that a command always carries as fixed values are checked too: a frame that differs
    // there is not something the console sends, and shows up raw.
    if (code == 0x10 && size == 10) {
        out.m_name = QStringLiteral("position");
        out.add("target", target);
        out.add("x", wordAt(payload, 2));
        out.add("y", wordAt(payload, 6));
        out.add("width", wordAt(payload, 4));
        out.add("height", wordAt(payload, 8));
    } else if (code == 0x11 && size == 6) {
        out.m_name = QStringLiteral("splice");
        out.add("target", target);
        out.add("rows", byteAt(payload, 2));
        out.add("columns", byteAt(payload, 3));
        out.add("edge-x", byteAt(payload, 4));
        out.add("edge-y", byteAt(payload, 5));
    } else if (code == 0x00 && size == 3 && last == 0xFF) {
        out.m_name = QStringLiteral("reset");
        out.add("target", target);
    } else if (code == 0x01 && size == 3) {
        out.m_name = QStringLiteral("address-info");
        out.add("target", target);
        out.add("show", last);
    } else if (code == 0x12 && size == 3) {
        out.m_name = QStringLiteral("rotate");
        out.add("target", target);
        out.add("rotation", last);
    } else if (code == 0x13 && size == 3 && target == 0) {
        out.m_name = QStringLiteral("signal");
        out.add("source", last);
    } else if (code >= 0x30 && code <= 0x33 && size == 3 && target == 0 && last == 0) {
        out.m_name = QStringLiteral("input-mode");
        out.add("mode", code - 0x30);
    } else if ((code == 0x34 || code == 0x35 || code == 0x3B) && size == 3 && last == 0) {
        out.m_name = QStringLiteral("resolution");
        out.add("target", target);
        out.add("res", code == 0x34 ? 0 : (code == 0x35 ? 1 : 2));
        // The target byte packs a window's main address (high nibble) and sub address (low nibble).
        out.add("main", target >> 4, true);
        out.add("sub", target & 0x0F, true);
    } else {
        out.m_kind = Unknown;
        out.m_name = QStringLiteral("unknown");
        if (size > 0)
            out.add("target", target, true);
        if (size > 1)
            out.add("code", code, true);
    }
    return out;
}

int DecodedFrame::value(const QString &strKey, int nDefault) const
{
    for (const Field &field : m_fields) {
        if (field.key == strKey)
            return field.value;
    }
    return nDefault;
}

QString DecodedFrame::toText() const
{
    if (m_kind == Error)
        return m_name + QStringLiteral(": ") + QString::fromLatin1(m_bytes.toHex());
    if (m_kind == Unknown)
        return QStringLiteral("unknown payload=") +
               QString::fromLatin1(m_bytes.mid(3, m_bytes.size() - 4).toHex());
    QString line = m_name;
    for (const Field &field : m_fields) {
        if (!field.isJsonOnly)
            line += QLatin1Char(' ') + field.key + QLatin1Char('=') + QString::number(field.value);
    }
    return line;
}

// Written by hand rather than with QJsonObject, which would sort the keys: the command comes first.
QByteArray DecodedFrame::toJson() const
{
    QByteArray out("{");
    if (m_kind == Error) {
        out += "\"error\":" + jsonString(m_name);
        out += m_name == QLatin1String("garbage") ? ",\"bytes\":" : ",\"frame\":";
        out += jsonString(QString::fromLatin1(m_bytes.toHex()));
        return out + '}';
    }
    out += "\"command\":" + jsonString(m_name);
    for (const Field &field : m_fields)
        out += ',' + jsonString(field.key) + ':' + QByteArray::number(field.value);
    if (m_kind == Unknown)
        out += ",\"payload\":" + jsonString(QString::fromLatin1(m_bytes.mid(3, m_bytes.size() - 4).toHex()));
    out += ",\"frame\":" + jsonString(QString::fromLatin1(m_bytes.toHex()));
    return out + '}';
}
