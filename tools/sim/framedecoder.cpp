#include "framedecoder.h"

namespace {

const char header[] = {char(0xC5), char(0xA7)};

int byteAt(const QByteArray &bytes, int nIndex)
{
    return static_cast<unsigned char>(bytes.at(nIndex));
}

bool isValidLength(int nLength)
{
    return nLength == 3 || nLength == 6 || nLength == 10;
}

int indexOfHeader(const QByteArray &bytes, int nFrom)
{
    return bytes.indexOf(QByteArray::fromRawData(header, 2), nFrom);
}

bool hasGoodSum(const QByteArray &bytes, int nStart, int nTotal)
{
    unsigned int sum = 0;
    for (int i = nStart; i < nStart + nTotal - 1; ++i)
        sum += static_cast<unsigned char>(bytes.at(i));
    return (sum & 0xFFu) == unsigned(byteAt(bytes, nStart + nTotal - 1));
}

// A complete, sound frame starting after offset 0: proof that the frame at offset 0 was cut short.
int indexOfSoundFrame(const QByteArray &bytes)
{
    for (int i = indexOfHeader(bytes, 1); i > 0; i = indexOfHeader(bytes, i + 1)) {
        if (i + 2 >= bytes.size())
            break;
        const int total = byteAt(bytes, i + 2) + 4;
        if (isValidLength(total - 4) && i + total <= bytes.size() && hasGoodSum(bytes, i, total))
            return i;
    }
    return -1;
}

} // namespace

QList<DecodedFrame> FrameDecoder::feed(const QByteArray &chunk)
{
    QList<DecodedFrame> frames;
    m_buffer.append(chunk);
    while (takeOne(frames, false)) {
    }
    return frames;
}

QList<DecodedFrame> FrameDecoder::finish()
{
    QList<DecodedFrame> frames;
    while (takeOne(frames, true)) {
    }
    if (!m_buffer.isEmpty()) {
        if (m_buffer.startsWith(QByteArray::fromRawData(header, 2))) {
            flushGarbage(frames);
            frames.append(DecodedFrame::error(QStringLiteral("short frame"), m_buffer));
        } else {
            skip(m_buffer.size(), frames);
        }
        m_buffer.clear();
    }
    flushGarbage(frames);
    m_isResyncing = false;
    return frames;
}

void FrameDecoder::skip(int nBytes, QList<DecodedFrame> &frames)
{
    if (!m_isResyncing) {
        m_garbage.append(m_buffer.left(nBytes));
        if (m_garbage.size() >= maxGarbage)
            flushGarbage(frames);
    }
    m_buffer.remove(0, nBytes);
}

void FrameDecoder::flushGarbage(QList<DecodedFrame> &frames)
{
    if (m_garbage.isEmpty())
        return;
    frames.append(DecodedFrame::error(QStringLiteral("garbage"), m_garbage));
    m_garbage.clear();
}

// Takes one frame or fault off the front of the buffer; false when it needs more bytes.
bool FrameDecoder::takeOne(QList<DecodedFrame> &frames, bool bFinal)
{
    const int start = indexOfHeader(m_buffer, 0);
    if (start < 0) {
        // A last C5 may be the first half of the next header.
        const bool keepLast = !bFinal && !m_buffer.isEmpty() && byteAt(m_buffer, m_buffer.size() - 1) == 0xC5;
        skip(m_buffer.size() - (keepLast ? 1 : 0), frames);
        return false;
    }
    if (start > 0)
        skip(start, frames);
    flushGarbage(frames);
    m_isResyncing = false;
    if (m_buffer.size() < 3)
        return false;

    const int length = byteAt(m_buffer, 2);
    if (!isValidLength(length)) {
        frames.append(DecodedFrame::error(QStringLiteral("bad length"), m_buffer.left(3)));
        // Only the header goes: the length byte may itself start the next header.
        m_buffer.remove(0, 2);
        m_isResyncing = true;
        return true;
    }

    const int total = length + 4;
    if (m_buffer.size() < total) {
        const int next = indexOfSoundFrame(m_buffer);
        if (next < 0)
            return false;
        frames.append(DecodedFrame::error(QStringLiteral("short frame"), m_buffer.left(next)));
        m_buffer.remove(0, next);
        return true;
    }

    if (hasGoodSum(m_buffer, 0, total)) {
        frames.append(DecodedFrame::fromFrame(m_buffer.left(total)));
        m_buffer.remove(0, total);
        return true;
    }

    // A wrong sum with a header inside means the frame was cut short and the next one began.
    const int next = indexOfHeader(m_buffer, 1);
    if (next > 0 && next < total) {
        frames.append(DecodedFrame::error(QStringLiteral("short frame"), m_buffer.left(next)));
        m_buffer.remove(0, next);
        return true;
    }
    // The checksum byte may be the C5 of a header whose A7 has not arrived yet.
    if (!bFinal && m_buffer.size() == total && byteAt(m_buffer, total - 1) == 0xC5)
        return false;
    frames.append(DecodedFrame::error(QStringLiteral("bad checksum"), m_buffer.left(total)));
    m_buffer.remove(0, total);
    m_isResyncing = true;
    return true;
}
