#pragma once

#include <QString>

#include <optional>

// The names design files use for the standard cursors (crDefault = 0, crArrow = -2, ...).
std::optional<QString> CursorToIdent(int cursor);
std::optional<int> IdentToCursor(const QString& name);
