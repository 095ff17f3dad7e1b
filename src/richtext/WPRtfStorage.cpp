#include "richtext/WPRtfStorage.h"

#include "richtext/RichTextLayout.h"
#include "richtext/RtfWriter.h"

#include <QTextDocument>

TWPRtfStorage::TWPRtfStorage() {
    static const QByteArray empty = [] {
        QTextDocument document;
        UseDesignResolution(document);
        return WriteRtf(document);
    }();
    FRtf = empty;
}

void TWPRtfStorage::SetDocument(const QTextDocument& document) {
    FRtf = WriteRtf(document);
}

TRtfReadResult TWPRtfStorage::ReadInto(QTextDocument& document) const {
    return ReadRtf(FRtf, document);
}
