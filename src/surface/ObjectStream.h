#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

// The value tags of the object stream. 18 and 20 carry text that single-byte strings cannot:
// UTF-16LE with a character count, and UTF-8 with a byte count.
enum class TValueType : std::uint8_t {
    Null = 0, // end of a property list, child list, list or collection
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,
    String = 6,
    Ident = 7,
    False = 8,
    True = 9,
    Binary = 10,
    Set = 11,
    LString = 12,
    Nil = 13,
    Collection = 14,
    WString = 18,
    Utf8String = 20,
};

// The name a tag goes by in dumps (Int8, ShortText, ...); empty for bytes that are no tag.
QString ValueTypeName(TValueType type);

// A read or write failure of the object stream, carrying the message shown to the user.
class EStreamError {
public:
    explicit EStreamError(QString message) : FMessage(std::move(message)) {}
    const QString& Message() const { return FMessage; }

private:
    QString FMessage;
};

// The fixed messages.
namespace StreamMessage {
inline const char* const ReadError = "Stream read error";
inline const char* const WriteError = "Stream write error";
inline const char* const InvalidFormat = "Invalid stream format";
inline const char* const PropertyMissing = "Property does not exist";
inline const char* const InvalidPath = "Invalid property path";
inline const char* const ReadOnly = "Property is read-only";
inline const char* const InvalidValue = "Invalid property value";
QString CannotCreate(const QString& fileName);
QString CannotOpen(const QString& fileName);
// A write to a file that failed (a full disk): the fixed message, the file and the reason.
QString WriteFailed(const QString& fileName, const QString& reason);
QString TooLarge(const QString& fileName);
QString ClassNotFound(const QString& className);
QString InvalidName(const QString& name);
QString DuplicateName(const QString& name);
} // namespace StreamMessage

[[noreturn]] void ThrowStreamError(const char* message);

// Design and clipboard files: far more than the most a card holds, and a bound on memory.
inline constexpr qint64 MaxStreamFileBytes = 256ll * 1024 * 1024;

// The bytes of a design or clipboard file, read into memory; nothing when no file has that
// name. A folder, device or pipe, a file that cannot be read and one over the bound throw
// the stream error naming the file.
std::optional<QByteArray> ReadStreamFile(const QString& fileName);

struct TStreamProperty;

// One value as it stands in a stream, for tools that read streams without the classes.
struct TStreamValue {
    TValueType Type = TValueType::Null;
    qint64 Integer = 0;              // Int8, Int16, Int32
    double Float = 0;                // Extended
    QString Text;                    // strings and identifiers
    QStringList Names;               // set members
    QByteArray Data;                 // binary
    std::vector<TStreamValue> Items; // list
    std::vector<std::vector<TStreamProperty>> CollectionItems;
};

struct TStreamProperty {
    QString Name;
    TStreamValue Value;
};

struct TStreamObject {
    QString ClassName;
    QString Name;
    std::vector<TStreamProperty> Properties;
};
