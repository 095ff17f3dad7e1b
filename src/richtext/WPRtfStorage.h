#pragma once

#include "richtext/RtfReader.h"

#include <QByteArray>

class QTextDocument;

// The document of a rich text object, held as RTF. Bytes that came from a design file stay
// exactly as they were until the document is replaced, so nothing the reader does not
// understand is lost by opening and saving a design.
class TWPRtfStorage {
public:
    // An empty document.
    TWPRtfStorage();

    const QByteArray& Rtf() const { return FRtf; }
    void SetRtf(const QByteArray& rtf) { FRtf = rtf; }
    // Replaces the document with the edited one.
    void SetDocument(const QTextDocument& document);
    TRtfReadResult ReadInto(QTextDocument& document) const;

    bool operator==(const TWPRtfStorage&) const = default;

private:
    QByteArray FRtf;
};
