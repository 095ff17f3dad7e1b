#pragma once

#include "platform/Color.h"
#include "widgets/StandardDialogs.h"

#include <QList>

#include <functional>
#include <optional>

class QAction;
class QMenu;
class QWidget;

// The colour dialog (ChooseColor) comes with the standard dialogs.

// Appends the "Line Thickness" submenu: items "1 Point" ... "10 Point" with tags 1 to 10,
// each calling choose with its tag. Returns the ten items for the check marks.
QList<QAction*> AddLineThicknessMenu(QMenu& menu, std::function<void(int)> choose);
// Checks exactly the item whose tag equals the width.
void CheckLineThickness(const QList<QAction*>& items, int width);
