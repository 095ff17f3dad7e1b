#include "surface/ObjectStreamReader.h"

#include "platform/Windows1252.h"
#include "surface/Float80.h"

#include <cstring>

TObjectStreamReader::TObjectStreamReader(const char* data, qint64 size)
    : FData(reinterpret_cast<const unsigned char*>(data)), FSize(size) {}

void TObjectStreamReader::Need(qint64 n) const {
    if (n < 0 || n > FSize - FPos)
        ThrowStreamError(StreamMessage::ReadError);
}

const unsigned char* TObjectStreamReader::Take(qint64 n) {
    Need(n);
    const unsigned char* p = FData + FPos;
    FPos += n;
    return p;
}

quint32 TObjectStreamReader::ReadUInt32() {
    const unsigned char* p = Take(4);
    return quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
}

TValueType TObjectStreamReader::NextValue() const {
    Need(1);
    return static_cast<TValueType>(FData[FPos]);
}

TValueType TObjectStreamReader::ReadValue() {
    return static_cast<TValueType>(*Take(1));
}

void TObjectStreamReader::ReadListBegin() {
    if (ReadValue() != TValueType::List)
        ThrowStreamError(StreamMessage::InvalidValue);
}

void TObjectStreamReader::ReadListEnd() {
    if (ReadValue() != TValueType::Null)
        ThrowStreamError(StreamMessage::InvalidValue);
}

void TObjectStreamReader::ReadSignature() {
    if (std::memcmp(Take(4), "TPF0", 4) != 0)
        ThrowStreamError(StreamMessage::InvalidFormat);
}

void TObjectStreamReader::ReadPrefix() {
    Need(1);
    const unsigned char b = FData[FPos];
    if ((b & 0xF0) != 0xF0)
        return;
    ++FPos;
    if (b & 0x02)
        ReadInteger();
}

QByteArray TObjectStreamReader::ReadStrBytes() {
    const qint64 n = *Take(1);
    const unsigned char* p = Take(n);
    return QByteArray(reinterpret_cast<const char*>(p), n);
}

QString TObjectStreamReader::ReadStr() {
    const qint64 n = *Take(1);
    const unsigned char* p = Take(n);
    return FromWindows1252(reinterpret_cast<const char*>(p), n);
}

bool TObjectStreamReader::IsInteger(TValueType t) {
    return t == TValueType::Int8 || t == TValueType::Int16 || t == TValueType::Int32;
}

bool TObjectStreamReader::IsString(TValueType t) {
    return t == TValueType::String || t == TValueType::LString || t == TValueType::WString ||
           t == TValueType::Utf8String;
}

qint32 TObjectStreamReader::ReadIntegerPayload(TValueType type) {
    switch (type) {
    case TValueType::Int8:
        return static_cast<qint8>(*Take(1));
    case TValueType::Int16: {
        const unsigned char* p = Take(2);
        return static_cast<qint16>(quint16(p[0] | (p[1] << 8)));
    }
    case TValueType::Int32:
        return static_cast<qint32>(ReadUInt32());
    default:
        ThrowStreamError(StreamMessage::InvalidValue);
    }
}

qint32 TObjectStreamReader::ReadInteger() {
    return ReadIntegerPayload(ReadValue());
}

double TObjectStreamReader::ReadFloatPayload() {
    TFloat80Bytes bytes;
    std::memcpy(bytes.data(), Take(10), 10);
    return Float80ToDouble(bytes);
}

QString TObjectStreamReader::ReadStringPayload(TValueType type) {
    switch (type) {
    case TValueType::String:
        return ReadStr();
    case TValueType::LString: {
        const qint64 n = ReadUInt32();
        return FromWindows1252(reinterpret_cast<const char*>(Take(n)), n);
    }
    case TValueType::Utf8String: {
        const qint64 n = ReadUInt32();
        return QString::fromUtf8(reinterpret_cast<const char*>(Take(n)), n);
    }
    case TValueType::WString: {
        const qint64 n = ReadUInt32();
        const unsigned char* p = Take(2 * n);
        QString s(n, Qt::Uninitialized);
        for (qint64 i = 0; i < n; ++i)
            s[i] = QChar(char16_t(p[2 * i] | (p[2 * i + 1] << 8)));
        return s;
    }
    default:
        ThrowStreamError(StreamMessage::InvalidValue);
    }
}

QByteArray TObjectStreamReader::ReadBinaryPayload() {
    const qint64 n = ReadUInt32();
    return QByteArray(reinterpret_cast<const char*>(Take(n)), n);
}

QStringList TObjectStreamReader::ReadSetPayload() {
    QStringList names;
    for (;;) {
        const QString name = ReadStr();
        if (name.isEmpty())
            return names;
        // Members are numbered 0..31; a longer list is no set this program wrote.
        if (names.size() >= 256)
            ThrowStreamError(StreamMessage::InvalidValue);
        names << name;
    }
}

QString TObjectStreamReader::ReadIdent() {
    switch (ReadValue()) {
    case TValueType::Ident:
        return ReadStr();
    case TValueType::False:
        return QStringLiteral("False");
    case TValueType::True:
        return QStringLiteral("True");
    case TValueType::Nil:
        return QStringLiteral("nil");
    default:
        ThrowStreamError(StreamMessage::InvalidValue);
    }
}
