#pragma once

#include "platform/GraphicsValues.h"

#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>
#include <vector>

class TGGraphicControl;

// The kinds of published property; they decide how a value is streamed.
enum class TPropType {
    Integer,     // int
    Boolean,     // bool
    Enumeration, // int ordinal, named by Names
    Set,         // uint bit set, members named by Names
    Color,       // TColor as int
    Cursor,      // int
    Charset,     // int, written by name where it has one (ANSI_CHARSET ...)
    Char,        // QString of one character
    Float,       // double
    String,      // QString
    StringList,  // QStringList
    Binary,      // QByteArray, the full payload
};

// One published property of a design object class. A class lists its properties once, in
// stream order; writing, reading, dumping and copying between objects all use that list.
// Nested values (font, pen, brush, picture, string list) appear as dotted paths.
struct TPropertyInfo {
    QString Name;
    TPropType Type = TPropType::Integer;
    // Integer-like properties are written only when they differ from the default; without
    // a default they are always written.
    std::optional<qint64> Default;
    // Strings and binary data are written only when not empty, unless a fresh object holds
    // some: then an empty one must be written too, or it would read back as the fresh one's.
    bool WriteEmpty = false;
    QStringList Names;
    std::function<QVariant(const TGGraphicControl&)> Get;
    std::function<void(TGGraphicControl&, const QVariant&)> Set;

    // Whether the writer writes this property's current value.
    bool IsStored(const TGGraphicControl& object) const;
};

using TPropertyList = std::vector<TPropertyInfo>;

// Binds typed accessors of class C to a property description.
template <class C, class G, class S>
TPropertyInfo Published(QString name, TPropType type, G getter, S setter,
                        std::optional<qint64> def = std::nullopt, QStringList names = {}) {
    TPropertyInfo p;
    p.Name = std::move(name);
    p.Type = type;
    p.Default = def;
    p.Names = std::move(names);
    p.Get = [getter](const TGGraphicControl& o) {
        return QVariant::fromValue(getter(static_cast<const C&>(o)));
    };
    p.Set = [setter](TGGraphicControl& o, const QVariant& v) { setter(static_cast<C&>(o), v); };
    return p;
}

// The property, written even when empty (for strings and data a fresh object fills).
inline TPropertyInfo WrittenWhenEmpty(TPropertyInfo p) {
    p.WriteEmpty = true;
    return p;
}

// Appends the published properties of a font (Charset, Color, Height, Name, Pitch, Style)
// under the prefix, reading and writing through the object's font accessors.
template <class C>
void AddFontProperties(TPropertyList& list, const QString& prefix,
                       std::function<const TFont&(const C&)> get,
                       std::function<void(C&, const TFont&)> set);

// Pen (Color, Mode, Style, Width) and brush (Color, Style) likewise.
template <class C>
void AddPenProperties(TPropertyList& list, const QString& prefix,
                      std::function<const TPen&(const C&)> get,
                      std::function<void(C&, const TPen&)> set);
template <class C>
void AddBrushProperties(TPropertyList& list, const QString& prefix,
                        std::function<const TBrush&(const C&)> get,
                        std::function<void(C&, const TBrush&)> set);

// Enumeration names of the nested values.
const QStringList& FontStyleNames();
const QStringList& FontPitchNames();
const QStringList& PenStyleNames();
const QStringList& PenModeNames();
const QStringList& BrushStyleNames();

// Charsets are integers with names for the common values.
QString CharsetName(int charset); // empty when the number has no name
std::optional<int> CharsetFromName(const QString& name);

#include "surface/PropertyInfo.inl"
