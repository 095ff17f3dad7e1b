#pragma once

#include <functional>

class QMenu;
class QString;

// Names undo steps after menu items: every item of the menu and of its submenus, those there
// now and those added later, hands `begin` the caption of its top-level item (without access
// keys and dots) just before its own command runs. So "Line Thickness > 3 Point" makes a step
// named "Line Thickness" without the command knowing anything of undo.
void NameStepsAfterItems(QMenu* menu, std::function<void(const QString&)> begin);
