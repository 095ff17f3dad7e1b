#include "help/WhatsThisMenus.h"

#include "help/MenuItemTexts.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <QWhatsThis>

namespace {

bool isEditor(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTextEdit*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

// The line edit inside a spin box or an editable combo box speaks for its box.
bool isPartOfBox(const QWidget* w) {
    const QWidget* parent = w->parentWidget();
    return parent && (qobject_cast<const QAbstractSpinBox*>(parent) ||
                      qobject_cast<const QComboBox*>(parent));
}

// The control whose text a right-click on w shows: w or the first parent with a text. None
// when a widget on the way shows a context menu of its own.
QWidget* controlFor(QWidget* w) {
    for (; w; w = w->parentWidget()) {
        if (w->contextMenuPolicy() != Qt::DefaultContextMenu)
            return nullptr;
        if (!w->whatsThis().isEmpty())
            return w;
        if ((isEditor(w) && !isPartOfBox(w)) || w->isWindow())
            return nullptr;
    }
    return nullptr;
}

QMenu* editingMenu(QWidget* w) {
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->createStandardContextMenu();
    if (auto* text = qobject_cast<QTextEdit*>(w))
        return text->createStandardContextMenu();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
        return plain->createStandardContextMenu();
    return nullptr;
}

bool showForMenuItem(QMenu* menu, const QPoint& pos) {
    QAction* item = menu->actionAt(pos);
    if (!item || item->whatsThis().isEmpty())
        return false;
    QWhatsThis::showText(menu->mapToGlobal(pos), item->whatsThis(), menu);
    return true;
}

} // namespace

void TWhatsThisMenus::Install() {
    static TWhatsThisMenus* filter = nullptr;
    if (filter)
        return;
    filter = new TWhatsThisMenus;
    filter->setParent(qApp);
    qApp->installEventFilter(filter);
}

QMenu* TWhatsThisMenus::MenuFor(QWidget* control) {
    if (control->whatsThis().isEmpty() || control->contextMenuPolicy() != Qt::DefaultContextMenu)
        return nullptr;
    QMenu* menu = editingMenu(control);
    if (menu)
        menu->addSeparator();
    else
        menu = new QMenu;
    QAction* item = menu->addAction(QStringLiteral("What's this?"));
    const QString text = control->whatsThis();
    QPointer<QWidget> target = control;
    connect(item, &QAction::triggered, control, [target, text] {
        if (target)
            QWhatsThis::showText(target->mapToGlobal(target->rect().center()), text, target);
    });
    return menu;
}

bool TWhatsThisMenus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show)
        if (auto* menu = qobject_cast<QMenu*>(watched))
            FillMenuItemTexts(*menu);
    if (event->type() != QEvent::ContextMenu || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    auto* e = static_cast<QContextMenuEvent*>(event);
    if (auto* menu = qobject_cast<QMenu*>(widget))
        return showForMenuItem(menu, e->pos());
    // Only at the first delivery, to the widget under the mouse (or with the focus): the
    // parents that see the event passed on have had their say through controlFor.
    QWidget* first = e->reason() == QContextMenuEvent::Mouse
                         ? QApplication::widgetAt(e->globalPos())
                         : QApplication::focusWidget();
    if (first && first != widget)
        return false;
    QWidget* control = controlFor(widget);
    QMenu* menu = control ? MenuFor(control) : nullptr;
    if (!menu)
        return false;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
    return true;
}
