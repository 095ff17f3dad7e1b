#include "surface/PropertyStreaming.h"

#include "surface/CursorNames.h"
#include "surface/ObjectStreamReader.h"
#include "surface/ObjectStreamWriter.h"

namespace {

// Integers that may also be stored by name (colours, cursors, charsets).
void writeNamedInteger(TObjectStreamWriter& w, int value, const std::optional<QString>& name) {
    if (name && !name->isEmpty())
        w.WriteIdent(*name);
    else
        w.WriteInteger(value);
}

std::optional<QString> nameOf(TPropType type, int value) {
    switch (type) {
    case TPropType::Color:
        return ColorToIdent(value);
    case TPropType::Cursor:
        return CursorToIdent(value);
    case TPropType::Charset:
        return CharsetName(value);
    default:
        return std::nullopt;
    }
}

std::optional<int> valueOf(TPropType type, const QString& name) {
    switch (type) {
    case TPropType::Color:
        return IdentToColor(name);
    case TPropType::Cursor:
        return IdentToCursor(name);
    case TPropType::Charset:
        return CharsetFromName(name);
    default:
        return std::nullopt;
    }
}

int indexOfName(const QStringList& names, const QString& name) {
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

[[noreturn]] void invalid() {
    ThrowStreamError(StreamMessage::InvalidValue);
}

} // namespace

void WritePropertyValue(TObjectStreamWriter& w, const TPropertyInfo& p, const QVariant& value) {
    switch (p.Type) {
    case TPropType::Integer:
        w.WriteInteger(value.toInt());
        break;
    case TPropType::Color:
    case TPropType::Cursor:
    case TPropType::Charset:
        writeNamedInteger(w, value.toInt(), nameOf(p.Type, value.toInt()));
        break;
    case TPropType::Boolean:
        w.WriteBoolean(value.toBool());
        break;
    case TPropType::Enumeration: {
        const int v = value.toInt();
        if (v >= 0 && v < p.Names.size())
            w.WriteIdent(p.Names[v]);
        else
            w.WriteInteger(v);
        break;
    }
    case TPropType::Set: {
        const uint bits = value.toUInt();
        QStringList members;
        for (int i = 0; i < p.Names.size() && i < 32; ++i)
            if (bits & (1u << i))
                members << p.Names[i];
        w.WriteSet(members);
        break;
    }
    case TPropType::Char:
        w.WriteString(value.toString().left(1));
        break;
    case TPropType::Float:
        w.WriteFloat(value.toDouble());
        break;
    case TPropType::String:
        w.WriteString(value.toString());
        break;
    case TPropType::StringList:
        w.WriteListBegin();
        for (const QString& line : value.toStringList())
            w.WriteString(line);
        w.WriteListEnd();
        break;
    case TPropType::Binary:
        w.WriteBinary(value.toByteArray());
        break;
    }
}

QVariant ReadPropertyValue(TObjectStreamReader& r, const TPropertyInfo& p) {
    const TValueType t = r.ReadValue();
    switch (p.Type) {
    case TPropType::Integer:
        return r.ReadIntegerPayload(t);
    case TPropType::Color:
    case TPropType::Cursor:
    case TPropType::Charset: {
        if (t != TValueType::Ident)
            return r.ReadIntegerPayload(t);
        const std::optional<int> v = valueOf(p.Type, r.ReadStr());
        if (!v)
            invalid();
        return *v;
    }
    case TPropType::Boolean:
    case TPropType::Enumeration: {
        QString name;
        if (t == TValueType::Ident)
            name = r.ReadStr();
        else if (t == TValueType::False || t == TValueType::True)
            name = QLatin1String(t == TValueType::True ? "True" : "False");
        else
            invalid();
        if (p.Type == TPropType::Boolean) {
            const int b = indexOfName({QStringLiteral("False"), QStringLiteral("True")}, name);
            if (b < 0)
                invalid();
            return b == 1;
        }
        const int i = indexOfName(p.Names, name);
        if (i < 0)
            invalid();
        return i;
    }
    case TPropType::Set: {
        if (t != TValueType::Set)
            invalid();
        uint bits = 0;
        for (const QString& name : r.ReadSetPayload()) {
            const int i = indexOfName(p.Names, name);
            if (i < 0 || i > 31)
                invalid();
            bits |= 1u << i;
        }
        return bits;
    }
    case TPropType::Char: {
        if (!TObjectStreamReader::IsString(t))
            invalid();
        const QString s = r.ReadStringPayload(t);
        if (s.size() != 1)
            invalid();
        return s;
    }
    case TPropType::Float:
        if (t == TValueType::Extended)
            return r.ReadFloatPayload();
        return double(r.ReadIntegerPayload(t));
    case TPropType::String:
        if (!TObjectStreamReader::IsString(t))
            invalid();
        return r.ReadStringPayload(t);
    case TPropType::StringList: {
        if (t != TValueType::List)
            invalid();
        QStringList lines;
        while (!r.EndOfList()) {
            const TValueType item = r.ReadValue();
            if (!TObjectStreamReader::IsString(item))
                invalid();
            lines << r.ReadStringPayload(item);
        }
        r.ReadListEnd();
        return lines;
    }
    case TPropType::Binary:
        if (t != TValueType::Binary)
            invalid();
        return r.ReadBinaryPayload();
    }
    invalid();
}
