#include "richtext/CharFormatFont.h"

QString FormatFamily(const QTextCharFormat& format, const QFont& documentFont) {
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    return documentFont.family();
}

double FormatPoints(const QTextCharFormat& format, const QFont& documentFont) {
    if (format.fontPointSize() > 0)
        return format.fontPointSize();
    if (documentFont.pointSizeF() > 0)
        return documentFont.pointSizeF();
    return documentFont.pixelSize() * 72.0 / 96.0;
}
