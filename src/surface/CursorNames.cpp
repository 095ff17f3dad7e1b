#include "surface/CursorNames.h"

#include <array>

namespace {
struct NamedCursor {
    int value;
    const char* name;
};
constexpr std::array<NamedCursor, 22> kCursors{{
    {0, "crDefault"},     {-1, "crNone"},     {-2, "crArrow"},      {-3, "crCross"},
    {-4, "crIBeam"},      {-6, "crSizeNESW"}, {-7, "crSizeNS"},     {-8, "crSizeNWSE"},
    {-9, "crSizeWE"},     {-10, "crUpArrow"}, {-11, "crHourGlass"}, {-12, "crDrag"},
    {-13, "crNoDrop"},    {-14, "crHSplit"},  {-15, "crVSplit"},    {-16, "crMultiDrag"},
    {-17, "crSQLWait"},   {-18, "crNo"},      {-19, "crAppStart"},  {-20, "crHelp"},
    {-21, "crHandPoint"}, {-22, "crSizeAll"},
}};
} // namespace

std::optional<QString> CursorToIdent(int cursor) {
    for (const auto& c : kCursors)
        if (c.value == cursor)
            return QString::fromLatin1(c.name);
    return std::nullopt;
}

std::optional<int> IdentToCursor(const QString& name) {
    for (const auto& c : kCursors)
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.value;
    if (name.compare(QLatin1String("crSize"), Qt::CaseInsensitive) == 0)
        return -22;
    return std::nullopt;
}
