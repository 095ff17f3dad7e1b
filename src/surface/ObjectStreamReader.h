#pragma once

#include "surface/ObjectStream.h"
#include "surface/StreamVisitor.h"

// Reads object stream values from bytes held by the caller. Every length and count is
// checked against the bytes that remain before anything is allocated, and nesting is
// bounded, so any input ends in a value or an EStreamError.
class TObjectStreamReader {
public:
    TObjectStreamReader(const char* data, qint64 size);

    static constexpr int MaxDepth = 32;
    static constexpr qint64 MaxItems = 1 << 20;

    qint64 Position() const { return FPos; }
    TValueType NextValue() const; // peeks the next tag
    TValueType ReadValue();       // takes the next tag
    bool EndOfList() const { return NextValue() == TValueType::Null; }
    void ReadListBegin(); // "Invalid property value" unless ListStart follows
    void ReadListEnd();   // "Invalid property value" unless EndMarker follows
    void ReadSignature(); // "Invalid stream format" unless "TPF0" follows
    // Skips the optional record prefix (a byte >= 0xF0 with flags; flag 2 brings a position).
    void ReadPrefix();
    QByteArray ReadStrBytes(); // a short string's bytes
    QString ReadStr();         // a short string as Windows-1252 text

    // Payload readers, for a tag already taken. Wrong tags give "Invalid property value".
    qint32 ReadIntegerPayload(TValueType type);
    double ReadFloatPayload();
    QString ReadStringPayload(TValueType type); // String, LString, WString, Utf8String
    QByteArray ReadBinaryPayload();
    QStringList ReadSetPayload();
    static bool IsInteger(TValueType t);
    static bool IsString(TValueType t);

    qint32 ReadInteger(); // tag and payload
    QString ReadIdent();  // Identifier, False, True or Nil as a name

private:
    void Need(qint64 n) const;
    quint32 ReadUInt32();
    const unsigned char* Take(qint64 n);

    const unsigned char* FData;
    qint64 FSize;
    qint64 FPos = 0;
};
