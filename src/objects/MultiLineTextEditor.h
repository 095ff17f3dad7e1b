#pragma once

#include <QDialog>

class QPlainTextEdit;
class TDialogButtonBar;

// The multi-line text editor: a memo of at most 254 characters above the dialog buttons;
// Enter starts a new line, Escape cancels.
class TMultiLineTextEditor : public QDialog {
public:
    static constexpr int MaxLength = 254;

    explicit TMultiLineTextEditor(QWidget* parent);

    QPlainTextEdit* Memo() const { return FMemo; }
    // The memo's lines; an empty memo has none, and a final line break adds none.
    QStringList Lines() const;
    void SetLines(const QStringList& lines);

private:
    void LimitLength();

    QPlainTextEdit* FMemo;
    TDialogButtonBar* FButtons;
    QString FAccepted; // the text as it stood after the last edit within the limit
};
