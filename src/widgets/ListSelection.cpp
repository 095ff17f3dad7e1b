#include "widgets/ListSelection.h"

#include <QListWidget>

bool SelectListItem(QListWidget& list, const QString& text) {
    const QList<QListWidgetItem*> found = list.findItems(text, Qt::MatchFixedString);
    if (found.isEmpty())
        return false;
    list.setCurrentItem(found.first());
    return true;
}
