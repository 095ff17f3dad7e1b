#pragma once

#include <QToolBar>

class QComboBox;
class QFontComboBox;
class QTextCharFormat;
class QTextEdit;
class TColorDropDown;

// The rich text editor's tool bar: font name, size and colour of the selection, the
// Normal, Bold, Italic and Underline styles, the four paragraph alignments, and Copy, Cut
// and Paste. It follows the editor's cursor so that it always shows the format there.
class TWPToolBar : public QToolBar {
public:
    static constexpr int BarHeight = 28;

    explicit TWPToolBar(QWidget* parent = nullptr);
    // The editor the bar works on.
    void SetEditor(QTextEdit* editor);

    QFontComboBox* FontName = nullptr;
    QComboBox* FontSize = nullptr;
    TColorDropDown* FontColor = nullptr;
    QAction* Normal = nullptr;
    QAction* Bold = nullptr;
    QAction* Italic = nullptr;
    QAction* Underline = nullptr;
    QAction* Left = nullptr;
    QAction* Right = nullptr;
    QAction* Justified = nullptr;
    QAction* Center = nullptr;
    QAction* Copy = nullptr;
    QAction* Cut = nullptr;
    QAction* Paste = nullptr;

private:
    QAction* AddButton(const QIcon& icon, const QString& hint, bool checkable);
    void Merge(const QTextCharFormat& format);
    void ShowFormat(const QTextCharFormat& format);
    void ShowAlignment();
    void SetAlignment(Qt::Alignment alignment);

    QTextEdit* FEditor = nullptr;
};
