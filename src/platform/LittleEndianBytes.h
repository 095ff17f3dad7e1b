#pragma once

#include <QtGlobal>

#include <cstring>

// Little-endian numbers read from a byte range that may come from anyone. Every read is
// checked against the range: outside it, Has is false and the reads give 0.
class TLittleEndianBytes {
public:
    TLittleEndianBytes(const char* data, qsizetype size) : FData(data), FSize(size) {}

    const char* Data() const { return FData; }
    qsizetype Size() const { return FSize; }
    bool Has(qsizetype offset, qsizetype count) const {
        return offset >= 0 && count >= 0 && offset <= FSize && count <= FSize - offset;
    }
    // The part from offset on, count bytes long; empty when it does not fit.
    TLittleEndianBytes Slice(qsizetype offset, qsizetype count) const {
        return Has(offset, count) ? TLittleEndianBytes(FData + offset, count)
                                  : TLittleEndianBytes(FData, 0);
    }

    quint8 U8(qsizetype offset) const { return Has(offset, 1) ? quint8(FData[offset]) : 0; }
    quint16 U16(qsizetype offset) const { return quint16(Unsigned(offset, 2)); }
    qint16 I16(qsizetype offset) const { return qint16(Unsigned(offset, 2)); }
    quint32 U32(qsizetype offset) const { return quint32(Unsigned(offset, 4)); }
    qint32 I32(qsizetype offset) const { return qint32(Unsigned(offset, 4)); }
    float F32(qsizetype offset) const {
        const quint32 bits = U32(offset);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }

private:
    quint64 Unsigned(qsizetype offset, int bytes) const {
        if (!Has(offset, bytes))
            return 0;
        quint64 v = 0;
        for (int i = bytes - 1; i >= 0; --i)
            v = (v << 8) | quint8(FData[offset + i]);
        return v;
    }

    const char* FData;
    qsizetype FSize;
};
