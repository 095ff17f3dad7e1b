#include "surface/ObjectStreamWriter.h"

#include "platform/Windows1252.h"
#include "surface/Float80.h"

#include <QIODevice>

namespace {
constexpr qsizetype kBufferSize = 64 * 1024;
}

TObjectStreamWriter::TObjectStreamWriter(QIODevice& device) : FDevice(device) {
    FBuffer.reserve(kBufferSize);
}

void TObjectStreamWriter::Write(const void* data, qint64 size) {
    if (FBuffer.size() + size > kBufferSize) {
        Flush();
        if (size > kBufferSize) {
            if (FDevice.write(static_cast<const char*>(data), size) != size)
                ThrowStreamError(StreamMessage::WriteError);
            return;
        }
    }
    FBuffer.append(static_cast<const char*>(data), size);
}

void TObjectStreamWriter::Flush() {
    if (FBuffer.isEmpty())
        return;
    const qint64 written = FDevice.write(FBuffer);
    const bool complete = written == FBuffer.size();
    FBuffer.resize(0); // keeps the reserved room, where clear() would give it back
    if (!complete)
        ThrowStreamError(StreamMessage::WriteError);
}

void TObjectStreamWriter::WriteUInt32(quint32 v) {
    const unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                static_cast<unsigned char>(v >> 16),
                                static_cast<unsigned char>(v >> 24)};
    Write(b, 4);
}

void TObjectStreamWriter::WriteValueType(TValueType type) {
    const auto b = static_cast<unsigned char>(type);
    Write(&b, 1);
}

void TObjectStreamWriter::WriteSignature() {
    Write("TPF0", 4);
}

void TObjectStreamWriter::WriteStr(const QByteArray& bytes) {
    const auto n = static_cast<unsigned char>(qMin<qsizetype>(bytes.size(), 255));
    Write(&n, 1);
    Write(bytes.constData(), n);
}

void TObjectStreamWriter::WriteInteger(qint32 v) {
    if (v >= -128 && v <= 127) {
        WriteValueType(TValueType::Int8);
        const auto b = static_cast<unsigned char>(v);
        Write(&b, 1);
    } else if (v >= -32768 && v <= 32767) {
        WriteValueType(TValueType::Int16);
        const auto u = static_cast<quint16>(v);
        const unsigned char b[2] = {static_cast<unsigned char>(u),
                                    static_cast<unsigned char>(u >> 8)};
        Write(b, 2);
    } else {
        WriteValueType(TValueType::Int32);
        WriteUInt32(static_cast<quint32>(v));
    }
}

void TObjectStreamWriter::WriteFloat(double value) {
    WriteValueType(TValueType::Extended);
    const TFloat80Bytes bytes = DoubleToFloat80(value);
    Write(bytes.data(), qint64(bytes.size()));
}

void TObjectStreamWriter::WriteString(const QString& text) {
    const TWindows1252Text single = ToWindows1252(text);
    if (!single.Fits) {
        const QByteArray utf8 = text.toUtf8();
        WriteValueType(TValueType::Utf8String);
        WriteUInt32(quint32(utf8.size()));
        Write(utf8.constData(), utf8.size());
    } else if (single.Bytes.size() <= 255) {
        WriteValueType(TValueType::String);
        WriteStr(single.Bytes);
    } else {
        WriteValueType(TValueType::LString);
        WriteUInt32(quint32(single.Bytes.size()));
        Write(single.Bytes.constData(), single.Bytes.size());
    }
}

void TObjectStreamWriter::WriteIdent(const QString& name) {
    if (name.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        WriteValueType(TValueType::False);
    else if (name.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        WriteValueType(TValueType::True);
    else if (name.compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0)
        WriteValueType(TValueType::Nil);
    else {
        WriteValueType(TValueType::Ident);
        WriteStr(name.toLatin1());
    }
}

void TObjectStreamWriter::WriteBoolean(bool value) {
    WriteValueType(value ? TValueType::True : TValueType::False);
}

void TObjectStreamWriter::WriteSet(const QStringList& members) {
    WriteValueType(TValueType::Set);
    for (const QString& m : members)
        WriteStr(m.toLatin1());
    WriteStr({});
}

void TObjectStreamWriter::WriteBinary(const QByteArray& data) {
    WriteValueType(TValueType::Binary);
    WriteUInt32(quint32(data.size()));
    if (FPayloadSink && data.size() >= FPayloadMinimum) {
        Flush();
        FPayloadSink(data);
        return;
    }
    Write(data.constData(), data.size());
}

void TObjectStreamWriter::SetPayloadSink(qsizetype minimum,
                                         std::function<void(const QByteArray&)> sink) {
    FPayloadMinimum = minimum;
    FPayloadSink = std::move(sink);
}
