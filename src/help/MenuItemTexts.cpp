#include "help/MenuItemTexts.h"

#include <QHash>
#include <QMenu>

namespace {

const QHash<QString, const char*>& texts() {
    static const QHash<QString, const char*> table = {
        // Arranging and the clipboard.
        {"Bring To Front", "Puts the object in front of all others."},
        {"Send To Back", "Puts the object behind all others."},
        {"Cut", "Removes the selected objects and keeps them for Paste."},
        {"Copy", "Keeps a copy of the selected objects for Paste."},
        {"Paste", "Puts the objects last cut or copied on the card, a little to the right of "
                  "and below where they were."},
        {"Delete", "Removes the selected objects."},
        {"Clone", "Makes a copy of the object just below it."},
        {"Undo", "Takes back the last change to the design."},
        {"Redo", "Makes the change you took back again."},
        {"Align Left", "Lines the left edges of the selected objects up on the leftmost one."},
        {"Align Right", "Lines the right edges of the selected objects up on the rightmost one."},
        {"Align Tops", "Lines the top edges of the selected objects up on the highest one."},
        {"Align Bottoms", "Lines the bottom edges of the selected objects up on the lowest one."},
        {"Center Vertically", "Centres the object between the top and bottom of the card."},
        {"Center Horizontally", "Centres the object between the left and right of the card."},
        {"Locked", "A locked object cannot be moved or resized. Click again to unlock it."},
        {"Unselectable", "Clicks go through the object, so you can draw on top of it. Mark "
                         "All Selectable in the card's menu undoes it."},
        {"Lock All", "Locks every object on the card against moving and resizing."},
        {"Unlock All", "Unlocks every object on the card."},
        {"Mark All Selectable", "Makes every object on the card selectable again."},
        {"Mark All Unselectable", "Lets clicks go through every object on the card."},
        {"Select All", "Selects every object on the card."},
        // Text and its look.
        {"Font", "Chooses the font, size, style and colour of the text."},
        {"3D Effects", "Gives the text a raised or engraved look with shadow and highlight "
                       "copies."},
        {"Alignment", "Places the text at the left, in the centre or at the right of its box."},
        {"Left", "The text starts at the left edge of its box."},
        {"Center", "The text is centred in its box."},
        {"Right", "The text ends at the right edge of its box."},
        {"Transparent", "Lets the card show through the object's background."},
        {"Background Color", "Fills the object's background with a colour."},
        {"Border", "Draws a thin frame around the object."},
        {"Text", "Opens the window in which you edit the text."},
        {"Edit", "Opens the editor for the text."},
        {"Rotation", "Turns the text by a quarter, a half or three quarters of a turn."},
        {"No Rotation", "The text runs from left to right."},
        {"90 Degrees", "The text runs upwards."},
        {"180 Degrees", "The text stands upside down."},
        {"270 Degrees", "The text runs downwards."},
        {"Personal Information", "Puts one of your personal details on the card as the text."},
        {"Word Wrap", "Wraps long lines at the right edge of the box."},
        {"Symbol Selector", "Chooses another symbol or symbol font."},
        // Shapes and lines.
        {"Line Color", "Chooses the colour of the outline."},
        {"Color", "Chooses the colour of the line."},
        {"Line Thickness", "How wide the line is, in points."},
        {"Degree of Rounding", "How round the corners are."},
        {"Style", "Whether the line is horizontal, vertical or slopes up or down across its box."},
        {"Stretch To Edges", "Makes a horizontal line reach from the left to the right edge of "
                             "the card, a vertical one from the top to the bottom."},
        // Pictures and special effects.
        {"Load Image From Disk", "Chooses the picture from a file."},
        {"Stretch to Fit", "Stretches or shrinks the picture to fill its box."},
        {"AutoSize", "Gives the box the picture's own size."},
        {"Properties", "Opens the window with all the object's settings and a sample."},
        // Barcodes.
        {"Code Color", "Chooses the colour of the code's dark modules."},
    };
    return table;
}

QString plainCaption(const QString& caption) {
    QString c = caption.section('\t', 0, 0);
    c.remove('&');
    return c.trimmed();
}

void fill(QMenu& menu, const QString& inherited) {
    for (QAction* item : menu.actions()) {
        if (item->isSeparator())
            continue;
        if (item->whatsThis().isEmpty()) {
            const QString own = MenuItemWhatsThis(item->text());
            item->setWhatsThis(own.isEmpty() ? inherited : own);
        }
        if (item->menu())
            fill(*item->menu(), item->whatsThis());
    }
}

} // namespace

QString MenuItemWhatsThis(const QString& caption) {
    const char* text = texts().value(plainCaption(caption));
    return text ? QString::fromLatin1(text) : QString();
}

void FillMenuItemTexts(QMenu& menu) {
    fill(menu, QString());
}
