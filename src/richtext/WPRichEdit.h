#pragma once

#include <QTextEdit>

// The rich text editor control: wraps at its width, shows no scroll bars and no
// background of its own, takes Tab as a character, and starts text in Arial 13 pixels
// black.
class TWPRichEdit : public QTextEdit {
public:
    explicit TWPRichEdit(QWidget* parent = nullptr);
};
