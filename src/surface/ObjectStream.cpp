#include "surface/ObjectStream.h"

#include "platform/RegularFile.h"

QString ValueTypeName(TValueType type) {
    switch (type) {
    case TValueType::Null:
        return QStringLiteral("EndMarker");
    case TValueType::List:
        return QStringLiteral("ListStart");
    case TValueType::Int8:
        return QStringLiteral("Int8");
    case TValueType::Int16:
        return QStringLiteral("Int16");
    case TValueType::Int32:
        return QStringLiteral("Int32");
    case TValueType::Extended:
        return QStringLiteral("Float80");
    case TValueType::String:
        return QStringLiteral("ShortText");
    case TValueType::Ident:
        return QStringLiteral("Identifier");
    case TValueType::False:
        return QStringLiteral("FalseValue");
    case TValueType::True:
        return QStringLiteral("TrueValue");
    case TValueType::Binary:
        return QStringLiteral("BinaryData");
    case TValueType::Set:
        return QStringLiteral("SetValue");
    case TValueType::LString:
        return QStringLiteral("LongText");
    case TValueType::Nil:
        return QStringLiteral("NilValue");
    case TValueType::Collection:
        return QStringLiteral("CollectionStart");
    case TValueType::WString:
        return QStringLiteral("WideText");
    case TValueType::Utf8String:
        return QStringLiteral("UTF8Text");
    }
    return {};
}

namespace StreamMessage {
QString CannotCreate(const QString& fileName) {
    return QStringLiteral("Cannot create file %1").arg(fileName);
}
QString WriteFailed(const QString& fileName, const QString& reason) {
    return QStringLiteral("%1: %2 (%3)").arg(QLatin1String(WriteError), fileName, reason);
}
QString CannotOpen(const QString& fileName) {
    return QStringLiteral("Cannot open file %1").arg(fileName);
}
QString TooLarge(const QString& fileName) {
    return QStringLiteral("The file %1 is too large").arg(fileName);
}
QString ClassNotFound(const QString& className) {
    return QStringLiteral("Class %1 not found").arg(className);
}
QString InvalidName(const QString& name) {
    return QStringLiteral("''%1'' is not a valid component name").arg(name);
}
QString DuplicateName(const QString& name) {
    return QStringLiteral("A component named %1 already exists").arg(name);
}
} // namespace StreamMessage

void ThrowStreamError(const char* message) {
    throw EStreamError(QString::fromLatin1(message));
}

std::optional<QByteArray> ReadStreamFile(const QString& fileName) {
    TFileBytes file = ReadRegularFile(fileName, MaxStreamFileBytes);
    if (file.Result == TFileRead::Missing)
        return std::nullopt;
    if (file.Result != TFileRead::Read)
        throw EStreamError(StreamMessage::CannotOpen(fileName));
    if (file.Truncated)
        throw EStreamError(StreamMessage::TooLarge(fileName));
    return std::move(file.Bytes);
}
