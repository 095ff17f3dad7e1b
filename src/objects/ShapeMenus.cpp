#include "objects/ShapeMenus.h"

#include <QAction>
#include <QMenu>

QList<QAction*> AddLineThicknessMenu(QMenu& menu, std::function<void(int)> choose) {
    QMenu* sub = menu.addMenu(QStringLiteral("Line Thickness"));
    QList<QAction*> items;
    for (int n = 1; n <= 10; ++n) {
        QAction* item = sub->addAction(QString::number(n) + QStringLiteral(" Point"));
        item->setData(n);
        item->setCheckable(true);
        QObject::connect(item, &QAction::triggered, sub, [choose, n] { choose(n); });
        items.append(item);
    }
    return items;
}

void CheckLineThickness(const QList<QAction*>& items, int width) {
    for (QAction* item : items)
        item->setChecked(item->data().toInt() == width);
}
