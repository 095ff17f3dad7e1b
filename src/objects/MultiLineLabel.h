#pragma once

#include "objects/MultiLineBaseLabel.h"

// The multi-line text the card panel's tool draws: adds the text editor and word-wrap switch.
class TGMultiLineLabel : public TGMultiLineBaseLabel {
public:
    QString ClassName() const override { return QStringLiteral("TGMultiLineLabel"); }

    // Edits the lines in the multi-line text editor; Cancel changes nothing.
    void EditText();

protected:
    void BuildContextMenu() override;

private:
    QAction* FWordWrapItem = nullptr;
};
