#include "tool/StreamJson.h"

#include <QCryptographicHash>

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

void appendProperties(QByteArray& out, const std::vector<TStreamProperty>& properties);
void appendValue(QByteArray& out, const TStreamValue& v);

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

// {"type":T,"value":V}, preceded by "name":N when a name is given.
void appendTyped(QByteArray& out, const QString* name, const TStreamValue& v) {
    out += '{';
    if (name) {
        out += "\"name\":";
        appendString(out, *name);
        out += ',';
    }
    out += "\"type\":";
    appendString(out, ValueTypeName(v.Type));
    out += ",\"value\":";
    appendValue(out, v);
    out += '}';
}

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
    case TValueType::List:
        appendArray(out, v.Items, [&](const TStreamValue& i) { appendTyped(out, nullptr, i); });
        break;
    case TValueType::Collection:
        appendArray(out, v.CollectionItems,
                    [&](const std::vector<TStreamProperty>& p) { appendProperties(out, p); });
        break;
    default:
        appendString(out, v.Text);
        break; // strings and identifiers
    }
}

void appendProperties(QByteArray& out, const std::vector<TStreamProperty>& properties) {
    appendArray(out, properties,
                [&](const TStreamProperty& p) { appendTyped(out, &p.Name, p.Value); });
}

} // namespace

QByteArray StreamObjectsToJson(const std::vector<TStreamObject>& objects) {
    QByteArray out = "{\"objects\":";
    appendArray(out, objects, [&](const TStreamObject& o) {
        out += "{\"class\":";
        appendString(out, o.ClassName);
        out += ",\"name\":";
        appendString(out, o.Name);
        out += ",\"properties\":";
        appendProperties(out, o.Properties);
        out += '}';
    });
    out += "}\n";
    return out;
}
