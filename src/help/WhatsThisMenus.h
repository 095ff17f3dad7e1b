#pragma once

#include <QObject>

class QMenu;
class QWidget;

// Gives every control that has a "What's this?" text (QWidget::setWhatsThis) a context menu
// with the item "What's this?", which shows that text; line edits and text boxes keep their
// editing items above it. A right-click on a menu item shows the item's text. Controls that
// show a context menu of their own set a context-menu policy other than the default and are
// left alone. Menu items without a text of their own take one from MenuItemWhatsThis when
// their menu opens. Installed once on the application; dialogs need nothing but their texts.
class TWhatsThisMenus : public QObject {
    Q_OBJECT
public:
    static void Install();

    // The menu a control would show; nullptr when it has no text. The caller owns it.
    static QMenu* MenuFor(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
