#pragma once

#include <QString>

class QMenu;

// "What's this?" texts of the items of the card's menu and the objects' menus, by caption
// (without '&', and only the part before a tab: "Name\tJo" is "Name"). One table serves every
// object kind, so a kind that adds a known caption gets its text without code of its own.
// Empty for a caption the table does not know.
QString MenuItemWhatsThis(const QString& caption);

// Gives every item of menu and its submenus that has no text of its own the table's text;
// an item the table does not know takes the text of the submenu it is in.
void FillMenuItemTexts(QMenu& menu);
