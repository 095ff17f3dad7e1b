#include "tool/StreamJson.h"

#include <QCryptographicHash>

#include <array>
#include <charconv>
#include <cmath>

namespace {

void appendString(QByteArray& out, const QString& text) {
    out += '"';
    for (const char c : text.toUtf8()) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

void appendDouble(QByteArray& out, double v) {
    if (!std::isfinite(v)) {
        // JSON has no infinities or NaN; name them as text.
        appendString(out, std::isnan(v) ? QStringLiteral("NaN")
                                        : QString(v < 0 ? "-Infinity" : "Infinity"));
        return;
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    out.append(buffer, result.ptr - buffer);
}

// A JSON array of the items, each written by append.
template <class Items, class Append>
void appendArray(QByteArray& out, const Items& items, Append append) {
    out += '[';
    bool first = true;
    for (const auto& item : items) {
        if (!first)
            out += ',';
        first = false;
        append(item);
    }
    out += ']';
}

// A value that holds no others.
void appendValue(QByteArray& out, const TStreamValue& v) {
    switch (v.Type) {
    case TValueType::Int8:
    case TValueType::Int16:
    case TValueType::Int32:
        out += QByteArray::number(v.Integer);
        break;
    case TValueType::Extended:
        appendDouble(out, v.Float);
        break;
    case TValueType::False:
        out += "false";
        break;
    case TValueType::True:
        out += "true";
        break;
    case TValueType::Nil:
        out += "null";
        break;
    case TValueType::Binary:
        out += "{\"size\":" + QByteArray::number(v.Data.size()) + ",\"sha256\":\"" +
               QCryptographicHash::hash(v.Data, QCryptographicHash::Sha256).toHex() + "\"}";
        break;
    case TValueType::Set:
        appendArray(out, v.Names, [&](const QString& n) { appendString(out, n); });
        break;
    default:
        appendString(out, v.Text);
        break; // strings and identifiers
    }
}

// A tag's name as a JSON string, made once: a stream may hold millions of values.
const QByteArray& quotedTypeName(TValueType type) {
    static const auto names = [] {
        std::array<QByteArray, 256> quoted;
        for (size_t i = 0; i < quoted.size(); ++i)
            appendString(quoted[i], ValueTypeName(TValueType(i)));
        return quoted;
    }();
    return names[size_t(type)];
}

// Writes the JSON as the values arrive, handing it on in pieces, so that its size costs no
// memory. Every value is {"type":T,"value":V}, with "name":N first for a property; a list's
// value is an array of such values, a collection's an array of property arrays.
class TJsonWriter : public TStreamVisitor {
public:
    explicit TJsonWriter(std::FILE* out) : FOut(out) { FText = "{\"objects\":["; }
    ~TJsonWriter() override { Flush(); }

    void Finish() {
        FText += "]}\n";
        Flush();
    }

    void BeginObject(const QString& className, const QString& name) override {
        Separate(FObjects);
        FText += "{\"class\":";
        appendString(FText, className);
        FText += ",\"name\":";
        appendString(FText, name);
        FText += ",\"properties\":[";
        FOpen.push_back({true, "]}"});
    }
    void Property(const QString& name) override {
        Separate(FOpen.back().First);
        FText += "{\"name\":";
        appendString(FText, name);
        FText += ',';
        FNamed = true;
    }
    void Value(const TStreamValue& value) override {
        Start(value.Type);
        appendValue(FText, value);
        FText += '}';
        Flush(kPiece);
    }
    void BeginList(TValueType type) override {
        Start(type);
        FText += '[';
        FOpen.push_back({true, "]}"});
    }
    void BeginItem() override {
        Separate(FOpen.back().First);
        FText += '[';
        FOpen.push_back({true, "]"});
    }
    void EndList() override {
        FText += FOpen.back().Close;
        FOpen.pop_back();
        Flush(kPiece);
    }

private:
    static constexpr qsizetype kPiece = 1 << 20;

    struct TOpen {
        bool First;
        const char* Close;
    };

    void Separate(bool& first) {
        if (!first)
            FText += ',';
        first = false;
    }
    // "type":T,"value": of a property's value, or of a list item with its brace.
    void Start(TValueType type) {
        if (!FNamed) {
            Separate(FOpen.back().First);
            FText += '{';
        }
        FNamed = false;
        FText += "\"type\":";
        FText += quotedTypeName(type);
        FText += ",\"value\":";
    }
    void Flush(qsizetype atLeast = 0) {
        if (FText.size() < atLeast)
            return;
        std::fwrite(FText.constData(), 1, size_t(FText.size()), FOut);
        FText.clear();
    }

    std::FILE* FOut;
    QByteArray FText;
    std::vector<TOpen> FOpen;
    bool FObjects = true; // no record written yet
    bool FNamed = false;  // a property's name is written, its value follows
};

// Checks the whole stream without keeping anything.
class TStreamCheck : public TStreamVisitor {
    void BeginObject(const QString&, const QString&) override {}
    void Property(const QString&) override {}
    void Value(const TStreamValue&) override {}
    void BeginList(TValueType) override {}
    void BeginItem() override {}
    void EndList() override {}
};

} // namespace

void WriteStreamJson(const char* data, qint64 size, std::FILE* out) {
    TStreamCheck check;
    VisitStreamObjects(data, size, check);
    TJsonWriter json(out);
    VisitStreamObjects(data, size, json);
    json.Finish();
}
