#ifndef MESSAGECAPTURE_H
#define MESSAGECAPTURE_H

#include <QStringList>
#include <QtGlobal>

// Collects the program's debug lines while it lives, and hands them on to the previous handler.
class MessageCapture
{
public:
    MessageCapture();
    ~MessageCapture();

    QStringList lines() const { return m_lines; }
    bool contains(const QString &line) const { return m_lines.contains(line); }
    // Lines that start with the given text.
    QStringList startingWith(const QString &prefix) const;
    void clear() { m_lines.clear(); }

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);

    QStringList m_lines;
    QtMessageHandler m_previous = nullptr;
    MessageCapture *m_outer = nullptr;
};

#endif // MESSAGECAPTURE_H
