#include "messagecapture.h"

namespace {
MessageCapture *g_current = nullptr;
QtMessageHandler g_previous = nullptr;
} // namespace

MessageCapture::MessageCapture() : m_outer(g_current)
{
    if (!g_current)
        g_previous = qInstallMessageHandler(&MessageCapture::handler);
    g_current = this;
}

MessageCapture::~MessageCapture()
{
    g_current = m_outer;
    if (!g_current)
        qInstallMessageHandler(g_previous);
}

QStringList MessageCapture::startingWith(const QString &prefix) const
{
    QStringList out;
    for (const QString &line : m_lines) {
        if (line.startsWith(prefix))
            out << line;
    }
    return out;
}

void MessageCapture::handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (g_current)
        g_current->m_lines << message;
    // Keep QtTest's own handling (ignoreMessage, failing on unexpected warnings) intact.
    if (g_previous)
        g_previous(type, context, message);
}
