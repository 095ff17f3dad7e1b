#pragma once

#include "objects/BaseLabel.h"

class TGetLabelText;

// The text object whose caption the user edits through the "Text" dialog and whose
// rotation is chosen from its menu.
class TGPLabel : public TGBaseLabel {
public:
    static constexpr int TextItemTag = 1000;

    QString ClassName() const override { return QStringLiteral("TGPLabel"); }
    // The font dialog; the box then grows to the text whether or not a font was chosen.
    void ChooseFont() override;
    // The caption dialog; on Ok the caption changes and the box grows to fit it.
    virtual void EditText();

protected:
    void BuildContextMenu() override;
    // Shows `dialog` with the caption filled in; on Ok takes its text and grows to fit it.
    void RunCaptionDialog(TGetLabelText& dialog);
};
