#include "platform/Windows1252.h"
#include "surface/Float80.h"
#include "surface/ObjectStreamReader.h"
#include "surface/ObjectStreamWriter.h"

#include <QBuffer>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

template <class F> QByteArray written(F write) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TObjectStreamWriter w(buffer);
    write(w);
    w.Flush();
    return buffer.data();
}

QString readError(const QByteArray& bytes) {
    try {
        ReadStreamObjects(bytes.constData(), bytes.size());
    } catch (const EStreamError& e) {
        return e.Message();
    }
    return {};
}

TFloat80Bytes ext(quint64 mantissa, quint16 signExp) {
    TFloat80Bytes b{};
    for (int i = 0; i < 8; ++i)
        b[i] = quint8(mantissa >> (8 * i));
    b[8] = quint8(signExp);
    b[9] = quint8(signExp >> 8);
    return b;
}

} // namespace

class TestObjectStream : public QObject {
    Q_OBJECT
private slots:
    void smallestIntegerTag_data();
    void smallestIntegerTag();
    void identifiersForBooleansAndNil();
    void stringTags_data();
    void stringTags();
    void readsEveryStringTag();
    void windows1252RoundTripsEveryByte();
    void setsAndBinary();
    void float80Bytes_data();
    void float80Bytes();
    void float80ToDoubleRounds_data();
    void float80ToDoubleRounds();
    void float80RoundTripsDoubles();
    void malformedStreams_data();
    void malformedStreams();
    void genericReadKeepsEveryValue();
};

void TestObjectStream::smallestIntegerTag_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("127") << 127 << QByteArray("\x02\x7F", 2);
    QTest::newRow("-128") << -128 << QByteArray("\x02\x80", 2);
    QTest::newRow("128") << 128 << QByteArray("\x03\x80\x00", 3);
    QTest::newRow("-129") << -129 << QByteArray("\x03\x7F\xFF", 3);
    QTest::newRow("32767") << 32767 << QByteArray("\x03\xFF\x7F", 3);
    QTest::newRow("-32768") << -32768 << QByteArray("\x03\x00\x80", 3);
    QTest::newRow("32768") << 32768 << QByteArray("\x04\x00\x80\x00\x00", 5);
    QTest::newRow("40000") << 40000 << QByteArray("\x04\x40\x9C\x00\x00", 5);
    QTest::newRow("-2147483648") << std::numeric_limits<int>::min()
                                 << QByteArray("\x04\x00\x00\x00\x80", 5);
}

void TestObjectStream::smallestIntegerTag() {
    QFETCH(int, value);
    QFETCH(QByteArray, bytes);
    QCOMPARE(written([&](TObjectStreamWriter& w) { w.WriteInteger(value); }), bytes);
    TObjectStreamReader r(bytes.constData(), bytes.size());
    QCOMPARE(r.ReadInteger(), value);
}

void TestObjectStream::identifiersForBooleansAndNil() {
    const QByteArray bytes = written([](TObjectStreamWriter& w) {
        w.WriteIdent("false");
        w.WriteIdent("TRUE");
        w.WriteIdent("Nil");
        w.WriteIdent("taCenter");
        w.WriteBoolean(false);
    });
    QCOMPARE(bytes, QByteArray("\x08\x09\x0D\x07\x08taCenter\x08", 14));
    TObjectStreamReader r(bytes.constData(), bytes.size());
    QCOMPARE(r.ReadIdent(), QString("False"));
    QCOMPARE(r.ReadIdent(), QString("True"));
    QCOMPARE(r.ReadIdent(), QString("nil"));
    QCOMPARE(r.ReadIdent(), QString("taCenter"));
}

void TestObjectStream::stringTags_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("head"); // tag and length
    QTest::addColumn<int>("payload");
    QTest::newRow("short") << QString("Text") << QByteArray("\x06\x04", 2) << 4;
    QTest::newRow("255 bytes") << QString(255, 'a') << QByteArray("\x06\xFF", 2) << 255;
    QTest::newRow("300 characters")
        << QString(300, 'b') << QByteArray("\x0C\x2C\x01\x00\x00", 5) << 300;
    QTest::newRow("euro sign fits") << QString::fromUtf8("5 €") << QByteArray("\x06\x03", 2) << 3;
    QTest::newRow("greek needs UTF-8")
        << QString::fromUtf8("Ωmega") << QByteArray("\x14\x06\x00\x00\x00", 5) << 6;
}

void TestObjectStream::stringTags() {
    QFETCH(QString, text);
    QFETCH(QByteArray, head);
    QFETCH(int, payload);
    const QByteArray bytes = written([&](TObjectStreamWriter& w) { w.WriteString(text); });
    QCOMPARE(bytes.left(head.size()), head);
    QCOMPARE(bytes.size(), head.size() + payload);
    TObjectStreamReader r(bytes.constData(), bytes.size());
    QCOMPARE(r.ReadStringPayload(r.ReadValue()), text);
}

void TestObjectStream::readsEveryStringTag() {
    // Tag 18: UTF-16LE with a character count, as files from other systems may carry.
    const QByteArray wide("\x12\x02\x00\x00\x00\xA9\x03\x41\x00", 9);
    TObjectStreamReader r(wide.constData(), wide.size());
    QCOMPARE(r.ReadStringPayload(r.ReadValue()), QString::fromUtf8("ΩA"));
    const QByteArray single("\x06\x01\x80", 3);
    TObjectStreamReader r2(single.constData(), single.size());
    QCOMPARE(r2.ReadStringPayload(r2.ReadValue()), QString::fromUtf8("€"));
}

void TestObjectStream::windows1252RoundTripsEveryByte() {
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString text = FromWindows1252(all);
    const TWindows1252Text back = ToWindows1252(text);
    QVERIFY(back.Fits);
    QCOMPARE(back.Bytes, all);
    QCOMPARE(text.at(0x80), QChar(0x20AC));
    QCOMPARE(text.at(0x9F), QChar(0x0178));
    const TWindows1252Text greek = ToWindows1252(QString::fromUtf8("aΩ"));
    QVERIFY(!greek.Fits);
    QCOMPARE(greek.Bytes, QByteArray("a?"));
}

void TestObjectStream::setsAndBinary() {
    const QByteArray bytes = written([](TObjectStreamWriter& w) {
        w.WriteSet({});
        w.WriteSet({"fsBold", "fsItalic"});
        w.WriteBinary(QByteArray("\x07TBitmap\x00\x00\x00\x00", 12));
    });
    QCOMPARE(bytes.left(2), QByteArray("\x0B\x00", 2));
    QCOMPARE(bytes.mid(2, 18), QByteArray("\x0B\x06"
                                          "fsBold\x08"
                                          "fsItalic\x00",
                                          18));
    QCOMPARE(bytes.mid(20), QByteArray("\x0A\x0C\x00\x00\x00\x07TBitmap\x00\x00\x00\x00", 17));
    TObjectStreamReader r(bytes.constData(), bytes.size());
    r.ReadValue();
    QVERIFY(r.ReadSetPayload().isEmpty());
    r.ReadValue();
    QCOMPARE(r.ReadSetPayload(), QStringList({"fsBold", "fsItalic"}));
    r.ReadValue();
    QCOMPARE(r.ReadBinaryPayload().size(), 12);
}

void TestObjectStream::float80Bytes_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<quint64>("mantissa");
    QTest::addColumn<int>("signExp");
    QTest::newRow("1") << 1.0 << quint64(0x8000000000000000) << 0x3FFF;
    QTest::newRow("-2") << -2.0 << quint64(0x8000000000000000) << 0xC000;
    QTest::newRow("0.5") << 0.5 << quint64(0x8000000000000000) << 0x3FFE;
    QTest::newRow("3") << 3.0 << quint64(0xC000000000000000) << 0x4000;
    QTest::newRow("zero") << 0.0 << quint64(0) << 0;
    QTest::newRow("minus zero") << -0.0 << quint64(0) << 0x8000;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity()
                              << quint64(0x8000000000000000) << 0x7FFF;
    // The smallest subnormal double is 2^-1074, a normal extended number.
    QTest::newRow("2^-1074") << std::ldexp(1.0, -1074) << quint64(0x8000000000000000)
                             << 16383 - 1074;
    QTest::newRow("max double") << std::numeric_limits<double>::max() << quint64(0xFFFFFFFFFFFFF800)
                                << 16383 + 1023;
}

void TestObjectStream::float80Bytes() {
    QFETCH(double, value);
    QFETCH(quint64, mantissa);
    QFETCH(int, signExp);
    QCOMPARE(DoubleToFloat80(value), ext(mantissa, quint16(signExp)));
    const double back = Float80ToDouble(ext(mantissa, quint16(signExp)));
    QCOMPARE(std::signbit(back), std::signbit(value));
    QCOMPARE(back, value);
}

void TestObjectStream::float80ToDoubleRounds_data() {
    QTest::addColumn<quint64>("mantissa");
    QTest::addColumn<int>("signExp");
    QTest::addColumn<double>("expected");
    // 1 + 2^-53 is a tie between 1 and 1 + 2^-52: to even gives 1.
    QTest::newRow("tie to even down") << quint64(0x8000000000000400) << 0x3FFF << 1.0;
    // 1 + 3 * 2^-53 ties up to 1 + 2^-51.
    QTest::newRow("tie to even up")
        << quint64(0x8000000000000C00) << 0x3FFF << 1.0 + std::ldexp(1.0, -51);
    QTest::newRow("just above a tie")
        << quint64(0x8000000000000401) << 0x3FFF << 1.0 + std::ldexp(1.0, -52);
    QTest::newRow("all ones carry to 2") << quint64(0xFFFFFFFFFFFFFFFF) << 0x3FFF << 2.0;
    QTest::newRow("too large") << quint64(0x8000000000000000) << 0x7FFE
                               << std::numeric_limits<double>::infinity();
    QTest::newRow("too small") << quint64(0x8000000000000000) << 1 << 0.0;
    QTest::newRow("subnormal result")
        << quint64(0x8000000000000000) << 16383 - 1070 << std::ldexp(1.0, -1070);
    QTest::newRow("half the smallest subnormal ties to zero")
        << quint64(0x8000000000000000) << 16383 - 1075 << 0.0;
    QTest::newRow("unnormal") << quint64(0x4000000000000000) << 0x3FFF << 0.5;
}

void TestObjectStream::float80ToDoubleRounds() {
    QFETCH(quint64, mantissa);
    QFETCH(int, signExp);
    QFETCH(double, expected);
    QCOMPARE(Float80ToDouble(ext(mantissa, quint16(signExp))), expected);
}

void TestObjectStream::float80RoundTripsDoubles() {
    const double values[] = {0.1, -1234.5678, 1e300, -1e-300, 3.141592653589793, 2.2e-310};
    for (double v : values)
        QCOMPARE(Float80ToDouble(DoubleToFloat80(v)), v);
    QVERIFY(std::isnan(Float80ToDouble(DoubleToFloat80(std::nan("")))));
    const QByteArray bytes = written([](TObjectStreamWriter& w) { w.WriteFloat(1.0); });
    QCOMPARE(bytes, QByteArray("\x05\x00\x00\x00\x00\x00\x00\x00\x80\xFF\x3F", 11));
}

void TestObjectStream::malformedStreams_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QByteArray head("\x01TPF0\x05TTest\x01X", 13);
    QTest::newRow("empty") << QByteArray() << "Stream read error";
    QTest::newRow("no list start") << QByteArray("\x02", 1) << "Invalid property value";
    QTest::newRow("list never ends") << QByteArray("\x01", 1) << "Stream read error";
    QTest::newRow("bad signature") << QByteArray("\x01TPF1", 5) << "Invalid stream format";
    QTest::newRow("name cut short") << QByteArray("\x01TPF0\x09TT", 8) << "Stream read error";
    QTest::newRow("long text longer than the file")
        << head + QByteArray("\x01P\x0C\xFF\xFF\xFF\xFF", 7) << "Stream read error";
    QTest::newRow("binary longer than the file")
        << head + QByteArray("\x01P\x0A\x00\x00\x00\x40", 7) << "Stream read error";
    QTest::newRow("wide text longer than the file")
        << head + QByteArray("\x01P\x12\xFF\xFF\xFF\x7F", 7) << "Stream read error";
    QTest::newRow("unknown tag") << head + QByteArray("\x01P\x10", 3) << "Invalid property value";
    QTest::newRow("child record") << head + QByteArray("\x00\x07", 2) << "Invalid property value";
    QByteArray deep = head + QByteArray("\x01P", 2) + QByteArray(100, '\x01');
    QTest::newRow("lists nested too deep") << deep << "Invalid property value";
    QTest::newRow("cut inside Float80")
        << head + QByteArray("\x01P\x05\x00\x00", 5) << "Stream read error";
}

void TestObjectStream::malformedStreams() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QCOMPARE(readError(bytes), message);
}

void TestObjectStream::genericReadKeepsEveryValue() {
    QByteArray b("\x01TPF0\x05TTest\x01X", 13);
    b += QByteArray("\x01L\x01\x06\x01"
                    "a\x02\x05\x00",
                    9); // list of "a" and 5
    b += QByteArray("\x01"
                    "C\x0E\x01\x01V\x09\x00\x00",
                    9); // one collection item: V=True
    b += QByteArray("\x01N\x0D\x00\x00\x00", 6);
    // The optional prefix with a position: 0xF2 and an integer.
    b.insert(1 + 4, QByteArray("\xF2\x02\x03", 3));
    const std::vector<TStreamObject> objects = ReadStreamObjects(b.constData(), b.size());
    QCOMPARE(objects.size(), size_t(1));
    const auto& props = objects[0].Properties;
    QCOMPARE(objects[0].ClassName, QString("TTest"));
    QCOMPARE(props.size(), size_t(3));
    QCOMPARE(props[0].Value.Type, TValueType::List);
    QCOMPARE(props[0].Value.Items[1].Integer, 5);
    QCOMPARE(props[1].Value.CollectionItems[0][0].Value.Type, TValueType::True);
    QCOMPARE(props[2].Value.Type, TValueType::Nil);
}

QTEST_GUILESS_MAIN(TestObjectStream)
#include "test_object_stream.moc"
