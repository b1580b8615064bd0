#include "controllinereader.h"

#include <QTextCodec>

QList<ControlLineReader::Item> ControlLineReader::feed(const QByteArray &bytes)
{
    QList<Item> items;
    for (const char c : bytes) {
        const bool isAfterCr = m_isAfterCr;
        m_isAfterCr = c == '\r';
        if (c == '\n' && isAfterCr)
            continue;
        if (c == '\r' || c == '\n') {
            endLine(&items);
        } else if (m_isDiscarding) {
            continue;
        } else if (m_line.size() == maxLineLength) {
            items << Item{QString(), QLatin1String(tooLong)};
            m_line.clear();
            m_isDiscarding = true;
        } else {
            m_line += c;
        }
    }
    return items;
}

void ControlLineReader::endLine(QList<Item> *pItems)
{
    const QByteArray line = m_line;
    m_line.clear();
    if (m_isDiscarding) {
        m_isDiscarding = false;
        return;
    }
    // QString::fromUtf8 would replace bad bytes silently; the codec's state counts them.
    static QTextCodec *const pCodec = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state;
    const QString text = pCodec->toUnicode(line.constData(), line.size(), &state);
    bool isText = state.invalidChars == 0 && state.remainingChars == 0;
    bool isBlank = true;
    for (const QChar c : text) {
        isText = isText && (c == QLatin1Char('\t') || c.category() != QChar::Other_Control);
        isBlank = isBlank && (c == QLatin1Char(' ') || c == QLatin1Char('\t'));
    }
    if (!isText)
        *pItems << Item{QString(), QLatin1String(notText)};
    else if (!isBlank)
        *pItems << Item{text, QString()};
}
