#include "richtext/RtfCodePages.h"

#include "platform/Windows1252.h"

namespace {
// A document can name any number of code pages; converters are kept for the first few.
constexpr size_t kMaxDecoders = 8;
} // namespace

int TRtfCodePages::OfCharset(int charset) {
    switch (charset) {
    case 0:
        return 1252;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 130:
        return 1361;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default:
        return 0;
    }
}

QStringDecoder* TRtfCodePages::DecoderFor(int codePage) {
    const auto found = FDecoders.find(codePage);
    if (found != FDecoders.end())
        return found->second.get();
    if (FDecoders.size() >= kMaxDecoders)
        return nullptr;
    std::unique_ptr<QStringDecoder> decoder;
    const QByteArray number = QByteArray::number(codePage);
    for (const QByteArray& name :
         {codePage == 10000 ? QByteArray("macintosh") : QByteArray("windows-") + number,
          QByteArray("cp") + number}) {
        decoder = std::make_unique<QStringDecoder>(name.constData());
        if (decoder->isValid())
            break;
        decoder.reset();
    }
    QStringDecoder* result = decoder.get();
    FDecoders.emplace(codePage, std::move(decoder));
    return result;
}

void TRtfCodePages::Append(int codePage, QByteArrayView bytes, QString& text) {
    if (codePage != 1252) {
        if (QStringDecoder* decoder = DecoderFor(codePage)) {
            decoder->resetState();
            text += decoder->decode(bytes);
            return;
        }
    }
    AppendWindows1252(text, bytes.data(), bytes.size());
}
