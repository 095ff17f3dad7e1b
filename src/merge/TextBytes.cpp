#include "merge/TextBytes.h"

#include "platform/Windows1252.h"

#include <QStringDecoder>

QString DecodeTextBytes(const QByteArray& bytes) {
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(view);
    if (!utf8.hasError())
        return text;
    return FromWindows1252(view.data(), view.size());
}
