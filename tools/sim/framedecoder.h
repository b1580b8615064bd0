#ifndef FRAMEDECODER_H
#define FRAMEDECODER_H

#include "decodedframe.h"

#include <QByteArray>
#include <QList>

// Finds the console's command frames in a serial byte stream that arrives in arbitrary chunks. Each
// frame gives one DecodedFrame: a command, or one fault. After a fault it skips to the next C5 A7
// header; bytes between sound frames are reported once, as garbage.
class FrameDecoder
{
public:
    // Garbage longer than this is reported at once instead of waiting for the next header.
    static const int maxGarbage = 256;

    QList<DecodedFrame> feed(const QByteArray &chunk);
    // The stream ended or went quiet: a frame still incomplete is reported as a short frame.
    QList<DecodedFrame> finish();
    bool hasPending() const { return !m_buffer.isEmpty() || !m_garbage.isEmpty(); }

private:
    bool takeOne(QList<DecodedFrame> &frames, bool bFinal);
    void skip(int nBytes, QList<DecodedFrame> &frames);
    void flushGarbage(QList<DecodedFrame> &frames);

    QByteArray m_buffer;
    QByteArray m_garbage;
    // True after a fault until the next header: the rest of a broken frame is not garbage of its own.
    bool m_isResyncing = false;
};

#endif // FRAMEDECODER_H
