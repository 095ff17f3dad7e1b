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
        out += '[';
        for (qsizetype i = 0; i < v.Names.size(); ++i) {
            if (i)
                out += ',';
            appendString(out, v.Names[i]);
        }
        out += ']';
        break;
    case TValueType::List:
        out += '[';
        for (size_t i = 0; i < v.Items.size(); ++i) {
            if (i)
                out += ',';
            out += "{\"type\":";
            appendString(out, ValueTypeName(v.Items[i].Type));
            out += ",\"value\":";
            appendValue(out, v.Items[i]);
            out += '}';
        }
        out += ']';
        break;
    case TValueType::Collection:
        out += '[';
        for (size_t i = 0; i < v.CollectionItems.size(); ++i) {
            if (i)
                out += ',';
            appendProperties(out, v.CollectionItems[i]);
        }
        out += ']';
        break;
    default:
        appendString(out, v.Text);
        break; // strings and identifiers
    }
}

void appendProperties(QByteArray& out, const std::vector<TStreamProperty>& properties) {
    out += '[';
    for (size_t i = 0; i < properties.size(); ++i) {
        if (i)
            out += ',';
        out += "{\"name\":";
        appendString(out, properties[i].Name);
        out += ",\"type\":";
        appendString(out, ValueTypeName(properties[i].Value.Type));
        out += ",\"value\":";
        appendValue(out, properties[i].Value);
        out += '}';
    }
    out += ']';
}

} // namespace

QByteArray StreamObjectsToJson(const std::vector<TStreamObject>& objects) {
    QByteArray out = "{\"objects\":[";
    for (size_t i = 0; i < objects.size(); ++i) {
        if (i)
            out += ',';
        out += "{\"class\":";
        appendString(out, objects[i].ClassName);
        out += ",\"name\":";
        appendString(out, objects[i].Name);
        out += ",\"properties\":";
        appendProperties(out, objects[i].Properties);
        out += '}';
    }
    out += "]}\n";
    return out;
}
