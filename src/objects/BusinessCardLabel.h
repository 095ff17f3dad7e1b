#pragma once

#include "objects/PLabel.h"

class QMenu;
class TGBusinessCardPanel32;

// The text object the text tool creates: a TGPLabel that offers the user's personal
// information as ready-made captions, in a submenu at the top of its menu and in its caption
// dialog. It stores only its caption; the values come from the card panel.
class TGBusinessCardLabel : public TGPLabel {
public:
    QString ClassName() const override { return QStringLiteral("TGBusinessCardLabel"); }
    void PopupOpening() override;
    void EditText() override { EditBusinessCardText(); }

    void EditBusinessCardText();
    // The caption becomes the part of the item's caption after its first tab.
    void PickPersonalInfo(const QAction* item);

    // The personal-information submenu of the context menu (built with it); nullptr away
    // from the card panel.
    QMenu* PersonalInfoMenu() {
        ContextMenu();
        return FPersonalInfoMenu;
    }

    // Labels of the submenu, in the panel's order of the values.
    static const QStringList& PersonalInfoLabels();

protected:
    void BuildContextMenu() override;

private:
    TGBusinessCardPanel32* CardPanel() const;
    void BuildPersonalInfoMenu();

    QMenu* FPersonalInfoMenu = nullptr;
};
