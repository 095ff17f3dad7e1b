#pragma once

#include "surface/ObjectStream.h"

#include <functional>

class QIODevice;

// Writes object stream values to a device through a buffer. Every failure of the device
// raises "Stream write error". Call Flush before the device is closed.
class TObjectStreamWriter {
public:
    explicit TObjectStreamWriter(QIODevice& device);

    void WriteValueType(TValueType type);
    void WriteListBegin() { WriteValueType(TValueType::List); }
    void WriteListEnd() { WriteValueType(TValueType::Null); }
    void WriteSignature();
    // A short string: one length byte, then at most 255 bytes.
    void WriteStr(const QByteArray& bytes);
    // The smallest of Int8, Int16 and Int32 that holds the value.
    void WriteInteger(qint32 value);
    void WriteFloat(double value);
    // ShortText, LongText, or UTF8Text for text that Windows-1252 cannot hold.
    void WriteString(const QString& text);
    // An identifier; False, True and nil (any case) become their one-byte values.
    void WriteIdent(const QString& name);
    void WriteBoolean(bool value);
    void WriteSet(const QStringList& members);
    void WriteBinary(const QByteArray& data);
    void Flush();

    // Byte payloads of at least `minimum` bytes bypass the device: their tag and length are
    // written as usual, then the device is flushed and the sink is handed the payload itself
    // (still shared with its owner) in place of its bytes.
    void SetPayloadSink(qsizetype minimum, std::function<void(const QByteArray&)> sink);

private:
    void Write(const void* data, qint64 size);
    void WriteUInt32(quint32 value);

    QIODevice& FDevice;
    QByteArray FBuffer;
    qsizetype FPayloadMinimum = 0;
    std::function<void(const QByteArray&)> FPayloadSink;
};
