#include "objects/BusinessCardLabel.h"

#include "objects/GetBCLabelText.h"
#include "surface/BusinessCardPanel.h"

#include <QMenu>

const QStringList& TGBusinessCardLabel::PersonalInfoLabels() {
    static const QStringList labels{"Name",      "Company", "Title",   "Address 1", "Address 2",
                                    "Address 3", "Phone 1", "Phone 2", "EMail",     "Fax"};
    return labels;
}

TGBusinessCardPanel32* TGBusinessCardLabel::CardPanel() const {
    return dynamic_cast<TGBusinessCardPanel32*>(Panel());
}

void TGBusinessCardLabel::BuildContextMenu() {
    TGPLabel::BuildContextMenu();
    FPersonalInfoMenu = nullptr;
    if (CardPanel()) {
        QMenu* menu = ContextMenu();
        FPersonalInfoMenu = new QMenu(QStringLiteral("Personal Information"), menu);
        QAction* first = menu->actions().value(0);
        menu->insertMenu(first, FPersonalInfoMenu);
        menu->insertSeparator(first);
        // Filled once it hangs in the menu, so that each item's undo step is named after the
        // submenu before the item's own command runs.
        BuildPersonalInfoMenu();
    }
}

void TGBusinessCardLabel::PopupOpening() {
    TGPLabel::PopupOpening();
    BuildPersonalInfoMenu();
}

void TGBusinessCardLabel::BuildPersonalInfoMenu() {
    const TGBusinessCardPanel32* panel = CardPanel();
    if (!FPersonalInfoMenu || !panel)
        return;
    FPersonalInfoMenu->clear();
    const QStringList& labels = PersonalInfoLabels();
    for (int i = 0; i < labels.size(); ++i) {
        QAction* item =
            FPersonalInfoMenu->addAction(labels[i] + '\t' + panel->PersonalInfo().at(size_t(i)));
        QObject::connect(item, &QAction::triggered, FPersonalInfoMenu,
                         [this, item] { PickPersonalInfo(item); });
    }
}

void TGBusinessCardLabel::PickPersonalInfo(const QAction* item) {
    const QString text = item->text();
    SetCaption(text.mid(text.indexOf('\t') + 1).left(255));
    GrowToFitText();
    NotifyChanged();
    Invalidate();
}

void TGBusinessCardLabel::EditBusinessCardText() {
    TGetBCLabelText dialog(Panel() ? Panel()->window() : nullptr);
    QStringList values;
    if (const TGBusinessCardPanel32* panel = CardPanel())
        values = QStringList(panel->PersonalInfo().begin(), panel->PersonalInfo().end());
    dialog.SetPersonalInfo(values);
    RunCaptionDialog(dialog);
}
