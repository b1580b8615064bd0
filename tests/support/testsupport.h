#ifndef TESTSUPPORT_H
#define TESTSUPPORT_H

// What the test programs share: a working folder of their own, whole files, the program's debug lines,
// widgets found by their text and driven with real input, and frames read as the controller decodes them.
#include "framedecoder.h"

#include <QTemporaryDir>
#include <QtTest>
#include <QtWidgets>

namespace vt {

// The program keeps its files in the working folder: every test program starts in a fresh one.
inline QString enterFreshDir()
{
    static QTemporaryDir *dir = nullptr;
    delete dir;
    dir = new QTemporaryDir;
    QDir::setCurrent(dir->path());
    return dir->path();
}

inline bool writeFile(const QString &strPath, const QByteArray &bytes)
{
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString &strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The frames in the bytes as the controller decodes them, "; " between frames: each the command and its
// numbers in the decoder's order ("rotate 3,2", "reset 255"), a position as "target:x,y,width,height"
// ("7:0,0,3840,2160"), or the fault and its bytes.
inline QString decoded(const QByteArray &bytes)
{
    FrameDecoder decoder;
    QStringList frames;
    for (const DecodedFrame &frame : decoder.feed(bytes) + decoder.finish()) {
        QStringList values;
        for (const DecodedFrame::Field &field : frame.fields()) {
            if (!field.isJsonOnly)
                values << QString::number(field.value);
        }
        if (frame.name() == "position")
            frames << values.first() + ':' + values.mid(1).join(',');
        else
            frames << (frame.isError() ? frame.toText() : frame.name() + ' ' + values.join(','));
    }
    return frames.join("; ");
}

// Collects the debug lines while it lives and hands them on to QtTest's own handler.
class MessageCapture
{
public:
    MessageCapture() : m_previous(qInstallMessageHandler(handler)) { current() = this; }
    ~MessageCapture()
    {
        qInstallMessageHandler(m_previous);
        current() = nullptr;
    }
    QStringList lines;

private:
    static MessageCapture *&current()
    {
        static MessageCapture *capture = nullptr;
        return capture;
    }
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        current()->lines << message;
        current()->m_previous(type, context, message);
    }
    QtMessageHandler m_previous;
};

// The first child of type T showing the text.
template <typename T>
T *withText(const QObject *pRoot, const QString &strText)
{
    for (T *pChild : pRoot->findChildren<T *>()) {
        if (pChild->text() == strText)
            return pChild;
    }
    return nullptr;
}

inline void click(QWidget *pWidget, Qt::MouseButton button = Qt::LeftButton)
{
    QVERIFY(pWidget);
    QTest::mouseClick(pWidget, button, Qt::NoModifier, pWidget->rect().center());
}

// Replaces a field's text by typing, optionally confirming with Enter.
inline void typeInto(QWidget *pField, const QString &strText, bool bConfirm = false)
{
    QVERIFY(pField);
    // Clicked into first, as an operator does: the field has the keyboard.
    pField->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(pField, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(pField, Qt::Key_Delete);
    QTest::keyClicks(pField, strText);
    if (bConfirm)
        QTest::keyClick(pField, Qt::Key_Return);
}

} // namespace vt

#endif // TESTSUPPORT_H
