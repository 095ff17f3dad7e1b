#pragma once

#include <QString>

class QListWidget;

// Makes the item of that text (compared without regard to case) the list's current one;
// false when the list has none.
bool SelectListItem(QListWidget& list, const QString& text);
