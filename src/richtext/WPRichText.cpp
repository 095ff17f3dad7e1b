#include "richtext/WPRichText.h"

#include "richtext/LayoutBounds.h"
#include "richtext/RichTextLayout.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfTextDocument.h"

TWPRichText::TWPRichText(QObject* parent) : QObject(parent) {
    UseDesignResolution(FDocument);
}

void TWPRichText::SetRtf(const QByteArray& rtf) {
    TRtfDocument read;
    ReadRtf(rtf, read);
    BoundForLayout(read);
    BuildTextDocument(read, FDocument);
}

void TWPRichText::Paint(QPainter& painter, int width, int height) {
    PaintDocument(painter, FDocument, FZoom, width, height);
}

TWPRichText* CreateMasterRichText(QObject* owner) {
    auto* control = new TWPRichText(owner);
    control->setObjectName(QString::fromLatin1(MasterRichTextName));
    return control;
}

TWPRichText* FindMasterRichText(const QObject* owner) {
    if (!owner)
        return nullptr;
    const QString wanted = QString::fromLatin1(MasterRichTextName);
    for (TWPRichText* control : owner->findChildren<TWPRichText*>())
        if (control->objectName().toUpper() == wanted)
            return control;
    return nullptr;
}
