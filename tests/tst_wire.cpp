// The controller's view of the wire: frames decoded however the stream is cut, faults reported once, and
// every frame the console builds decoded back to its parameters.
#include "commandpacket.h"
#include "framedecoder.h"

#include <QtTest>

namespace {

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

QStringList textOf(const QList<DecodedFrame> &frames)
{
    QStringList lines;
    for (const DecodedFrame &frame : frames)
        lines << frame.toText();
    return lines;
}

QStringList decodeChunks(const QList<QByteArray> &chunks)
{
    FrameDecoder decoder;
    QList<DecodedFrame> frames;
    for (const QByteArray &chunk : chunks)
        frames += decoder.feed(chunk);
    frames += decoder.finish();
    return textOf(frames);
}

QList<QByteArray> bytewise(const QByteArray &bytes)
{
    QList<QByteArray> chunks;
    for (char c : bytes)
        chunks << QByteArray(1, c);
    return chunks;
}

DecodedFrame decodeOne(const QByteArray &frame)
{
    FrameDecoder decoder;
    QList<DecodedFrame> frames = decoder.feed(frame);
    frames += decoder.finish();
    return frames.size() == 1 ? frames.first() : DecodedFrame::error(QStringLiteral("not one frame"), frame);
}

} // namespace

class TestWire : public QObject
{
    Q_OBJECT

private slots:
    void jsonKeepsFieldOrder()
    {
        QCOMPARE(decodeOne(hex("c5a70a01100000 0f00 0000 0870 0e")).toJson(),
                 QByteArray("{\"command\":\"position\",\"target\":1,\"x\":0,\"y\":0,\"width\":3840,"
                            "\"height\":2160,\"frame\":\"c5a70a011000000f00000008700e\"}"));
        QCOMPARE(decodeOne(hex("c5a703123b00 bc")).toJson(),
                 QByteArray("{\"command\":\"resolution\",\"target\":18,\"res\":2,\"main\":1,\"sub\":2,"
                            "\"frame\":\"c5a703123b00bc\"}"));
        QCOMPARE(decodeOne(hex("c5a703ff00ff6e")).toJson(),
                 QByteArray("{\"error\":\"bad checksum\",\"frame\":\"c5a703ff00ff6e\"}"));
        QCOMPARE(decodeOne(hex("c5a703019900 09")).toJson(),
                 QByteArray("{\"command\":\"unknown\",\"target\":1,\"code\":153,\"payload\":\"019900\","
                            "\"frame\":\"c5a70301990009\"}"));
    }

    // Each row decoded in its chunks, in one piece and byte by byte: the lines must not depend on the cuts.
    void streams_data()
    {
        QTest::addColumn<QList<QByteArray>>("chunks");
        QTest::addColumn<QStringList>("lines");
        const QByteArray reset = hex("c5a703ff00ff6d");
        const QByteArray rotate = hex("c5a703031201 85");
        const QList<QPair<const char *, const char *>> worked{
            {"c5a706ff110203000087", "splice target=255 rows=2 columns=3 edge-x=0 edge-y=0"},
            {"c5a703003200a1", "input-mode mode=2"},
            {"c5a703003400a3", "resolution target=0 res=0"},
            {"c5a70300130284", "signal source=2"},
            {"c5a703ff010170", "address-info target=255 show=1"},
            {"c5a70a011000000f00000008700e", "position target=1 x=0 y=0 width=3840 height=2160"}};
        for (const auto &frame : worked)
            QTest::newRow(frame.second) << QList<QByteArray>{hex(frame.first)} << QStringList{frame.second};
        QTest::newRow("bad checksum")
            << QList<QByteArray>{hex("c5a703ff00ff6e")} << QStringList{"bad checksum: c5a703ff00ff6e"};
        QTest::newRow("bad checksum then frame")
            << QList<QByteArray>{hex("c5a703ff00ff6e") + rotate}
            << QStringList{"bad checksum: c5a703ff00ff6e", "rotate target=3 rotation=1"};
        QTest::newRow("wrong length") << QList<QByteArray>{hex("c5a704ff00ff00 6d"), reset}
                                      << QStringList{"bad length: c5a704", "reset target=255"};
        QTest::newRow("zero length") << QList<QByteArray>{hex("c5a700"), rotate}
                                     << QStringList{"bad length: c5a700", "rotate target=3 rotation=1"};
        QTest::newRow("length byte starts a header") << QList<QByteArray>{hex("c5a7c5a703ff00ff6d")}
                                                     << QStringList{"bad length: c5a7c5", "reset target=255"};
        QTest::newRow("garbage between frames")
            << QList<QByteArray>{reset + hex("0102c5ff") + rotate}
            << QStringList{"reset target=255", "garbage: 0102c5ff", "rotate target=3 rotation=1"};
        QTest::newRow("garbage before the first frame")
            << QList<QByteArray>{hex("a7a7"), reset} << QStringList{"garbage: a7a7", "reset target=255"};
        QTest::newRow("garbage at the end")
            << QList<QByteArray>{reset, hex("00c5")} << QStringList{"reset target=255", "garbage: 00c5"};
        QTest::newRow("frame cut short by the next")
            << QList<QByteArray>{hex("c5a70a011000"), reset}
            << QStringList{"short frame: c5a70a011000", "reset target=255"};
        QTest::newRow("cut short inside a full-length window")
            << QList<QByteArray>{hex("c5a706ff11") + reset}
            << QStringList{"short frame: c5a706ff11", "reset target=255"};
        QTest::newRow("stream ends inside a frame")
            << QList<QByteArray>{reset, hex("c5a70a01")}
            << QStringList{"reset target=255", "short frame: c5a70a01"};
        QTest::newRow("checksum byte looks like a header")
            << QList<QByteArray>{hex("c5a703ff00ffc5"), hex("00")}
            << QStringList{"bad checksum: c5a703ff00ffc5"};
        QTest::newRow("header inside a sound payload")
            << QList<QByteArray>{packFrame(CommandPacket().makePosition(0xC5A7, 1, 2, 3, 4))}
            << QStringList{"position target=4 x=50599 y=1 width=2 height=3"};
        QTest::newRow("unknown command")
            << QList<QByteArray>{hex("c5a703019900 09")} << QStringList{"unknown payload=019900"};
        QTest::newRow("position code in a short payload")
            << QList<QByteArray>{hex("c5a7030310 01 83")} << QStringList{"unknown payload=031001"};
        QTest::newRow("reset without its end byte")
            << QList<QByteArray>{hex("c5a703ff0000 6e")} << QStringList{"unknown payload=ff0000"};
    }

    void streams()
    {
        QFETCH(QList<QByteArray>, chunks);
        QFETCH(QStringList, lines);
        QCOMPARE(decodeChunks(chunks), lines);
        QByteArray all;
        for (const QByteArray &chunk : chunks)
            all += chunk;
        QCOMPARE(decodeChunks({all}), lines);
        QCOMPARE(decodeChunks(bytewise(all)), lines);
    }

    void longGarbageIsReportedWithoutWaiting()
    {
        FrameDecoder decoder;
        const QList<DecodedFrame> frames = decoder.feed(QByteArray(FrameDecoder::maxGarbage, '\x01'));
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames.first().name(), QStringLiteral("garbage"));
        QCOMPARE(frames.first().bytes().size(), FrameDecoder::maxGarbage);
        QVERIFY(!decoder.hasPending());
    }

    // What the console's builders make, decoded back to the parameters they were given.
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QVariantMap>("fields");
        auto row = [](const QString &name, const CommandPacket &packet, const QString &command,
                      const QVariantMap &fields) {
            QTest::newRow(qPrintable(name)) << packFrame(packet) << command << fields;
        };
        const QList<QVector<int>> positions{
            {10, 20, 30, 40, 5}, {0, 0, 0, 0, 0}, {65535, 256, 255, 65280, 255}};
        for (const QVector<int> &p : positions) {
            row(QStringLiteral("position %1,%2,%3,%4 @%5").arg(p[0]).arg(p[1]).arg(p[2]).arg(p[3]).arg(p[4]),
                CommandPacket().makePosition(p[0], p[1], p[2], p[3], p[4]), "position",
                {{"target", p[4]}, {"x", p[0]}, {"y", p[1]}, {"width", p[2]}, {"height", p[3]}});
        }
        for (const QVector<int> &s : QList<QVector<int>>{{2, 3, 0, 0}, {1, 1, 255, 7}, {8, 4, 12, 9}})
            row(QStringLiteral("splice %1x%2 %3,%4").arg(s[0]).arg(s[1]).arg(s[2]).arg(s[3]),
                CommandPacket().makeSplice(0xFF, s[0], s[1], s[2], s[3]), "splice",
                {{"target", 255}, {"rows", s[0]}, {"columns", s[1]}, {"edge-x", s[2]}, {"edge-y", s[3]}});
        for (int target : {0, 255})
            row(QStringLiteral("reset %1").arg(target), CommandPacket().makeReset(target), "reset",
                {{"target", target}});
        for (bool show : {true, false})
            row(QStringLiteral("address info %1").arg(show), CommandPacket().makeAddressInfo(show, 0xFF),
                "address-info", {{"target", 255}, {"show", show ? 1 : 0}});
        for (int rotation = 0; rotation <= 3; ++rotation)
            row(QStringLiteral("rotate %1").arg(rotation),
                CommandPacket().makeRotate(rotation, 21 * rotation), "rotate",
                {{"target", 21 * rotation}, {"rotation", rotation}});
        for (int source : {0, 3, 255})
            row(QStringLiteral("signal %1").arg(source), CommandPacket().makeSignal(source), "signal",
                {{"source", source}});
        for (int mode = 0; mode <= 3; ++mode)
            row(QStringLiteral("input mode %1").arg(mode), CommandPacket().makeInputMode(mode), "input-mode",
                {{"mode", mode}});
        for (int res = 0; res <= 2; ++res) {
            const int main = res == 2 ? 15 : res, sub = 2 * res;
            row(QStringLiteral("resolution %1 @%2.%3").arg(res).arg(main).arg(sub),
                CommandPacket().makeResolution(res, main, sub), "resolution",
                {{"target", (main << 4) | sub}, {"res", res}, {"main", main}, {"sub", sub}});
        }
    }

    void roundTrip()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QString, command);
        QFETCH(QVariantMap, fields);
        const DecodedFrame decoded = decodeOne(frame);
        QCOMPARE(decoded.kind(), DecodedFrame::Command);
        QCOMPARE(decoded.name(), command);
        QCOMPARE(decoded.bytes(), frame);
        for (auto it = fields.cbegin(); it != fields.cend(); ++it)
            QCOMPARE(decoded.value(it.key(), -1000), it.value().toInt());
        QCOMPARE(decoded.fields().size(), fields.size());
    }

    // Parameters beyond what the console passes give payloads no controller command has.
    void outOfRangeParametersShowRaw()
    {
        QCOMPARE(decodeOne(packFrame(CommandPacket().makeInputMode(4))).toText(),
                 QStringLiteral("unknown payload=000000"));
        QCOMPARE(decodeOne(packFrame(CommandPacket().makeResolution(3, 1, 2))).toText(),
                 QStringLiteral("unknown payload=120000"));
        QCOMPARE(decodeOne(packFrame(CommandPacket().makePosition(-1, 70000, 0, 0, 2))).toText(),
                 QStringLiteral("position target=2 x=65535 y=4464 width=0 height=0"));
    }
};

QTEST_GUILESS_MAIN(TestWire)
#include "tst_wire.moc"
