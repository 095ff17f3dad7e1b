#include "objects/PLabel.h"

#include "objects/GetLabelText.h"
#include "platform/Interaction.h"
#include "surface/BasePanel.h"

#include <QLineEdit>
#include <QMenu>

void TGPLabel::BuildContextMenu() {
    TGBaseLabel::BuildContextMenu();
    AddMenuSeparator();
    QAction* text = AddMenuItem(QStringLiteral("Text"), [this] { EditText(); });
    text->setData(TextItemTag);
    AddMenuSeparator();
    QMenu* rotation = ContextMenu()->addMenu(QStringLiteral("Rotation"));
    const std::pair<const char*, int> turns[] = {
        {"No Rotation", 0}, {"90 Degrees", 90}, {"180 Degrees", 180}, {"270 Degrees", 270}};
    for (const auto& [caption, angle] : turns) {
        const int a = angle;
        QObject::connect(rotation->addAction(QString::fromLatin1(caption)), &QAction::triggered,
                         rotation, [this, a] { SetAngle(a); });
    }
}

void TGPLabel::ChooseFont() {
    TGBaseLabel::ChooseFont();
    GrowToFitText();
}

void TGPLabel::EditText() {
    TGetLabelText dialog(Panel() ? Panel()->window() : nullptr);
    RunCaptionDialog(dialog);
}

void TGPLabel::RunCaptionDialog(TGetLabelText& dialog) {
    dialog.LabelText->setText(Caption());
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return;
    SetCaption(dialog.LabelText->text());
    GrowToFitText();
    Invalidate();
}
