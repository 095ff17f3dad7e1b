#include "objects/MultiLineLabel.h"

#include "objects/MultiLineTextEditor.h"
#include "platform/Interaction.h"
#include "surface/BasePanel.h"

#include <QAction>
#include <QPlainTextEdit>

void TGMultiLineLabel::BuildContextMenu() {
    TGMultiLineBaseLabel::BuildContextMenu();
    AddMenuSeparator();
    AddMenuItem(QStringLiteral("Text"), [this] { EditText(); });
    FWordWrapItem = AddMenuItem(QStringLiteral("Word Wrap"), [this] {
        SetWordWrap(!WordWrap());
        FWordWrapItem->setChecked(WordWrap());
    });
    FWordWrapItem->setCheckable(true);
    FWordWrapItem->setChecked(WordWrap());
}

void TGMultiLineLabel::EditText() {
    TMultiLineTextEditor editor(Panel() ? Panel()->window() : nullptr);
    editor.Memo()->setFont(Font().ToQFont());
    editor.SetLines(Items());
    if (TInteraction::Current().Exec(editor) != QDialog::Accepted)
        return;
    SetItems(editor.Lines());
    Invalidate();
    if (WordWrap())
        Rewrap();
    NotifyChanged();
}
