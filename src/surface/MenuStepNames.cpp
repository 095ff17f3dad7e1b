#include "surface/MenuStepNames.h"

#include <QActionEvent>
#include <QMenu>

namespace {

// Watches a menu tree. An item's triggered signal is connected when the item is added, before
// the code that added it connects its command, so the name comes first.
class TStepNamer : public QObject {
public:
    TStepNamer(QMenu* root, std::function<void(const QString&)> begin)
        : QObject(root), FBegin(std::move(begin)) {
        Watch(root, nullptr);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ActionAdded)
            Hook(static_cast<QActionEvent*>(event)->action(), FTops.value(watched));
        return false;
    }

private:
    // Top is the top-level item a submenu hangs from; none for the root.
    void Watch(QMenu* menu, QAction* top) {
        FTops.insert(menu, top);
        menu->installEventFilter(this);
        for (QAction* a : menu->actions())
            Hook(a, top);
    }

    void Hook(QAction* action, QAction* top) {
        if (action->isSeparator())
            return;
        QAction* named = top ? top : action;
        if (QMenu* sub = action->menu()) {
            Watch(sub, named);
            return;
        }
        connect(action, &QAction::triggered, this, [this, named] { FBegin(named->iconText()); });
    }

    std::function<void(const QString&)> FBegin;
    QHash<QObject*, QAction*> FTops;
};

} // namespace

void NameStepsAfterItems(QMenu* menu, std::function<void(const QString&)> begin) {
    new TStepNamer(menu, std::move(begin));
}
