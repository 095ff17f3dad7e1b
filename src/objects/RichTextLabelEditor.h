#pragma once

#include "platform/Color.h"

#include <QDialog>

class QFrame;
class QScrollArea;
class QTextDocument;
class TDialogButtonBar;
class TWPRichEdit;
class TWPRtfStorage;
class TWPToolBar;

// The rich text editor: the tool bar along the top, the editing area in a scrolling box
// (as large as the object at 100 % plus a margin), and the dialog buttons along the bottom.
// Escape cancels.
class TRichTextLabelEditor : public QDialog {
public:
    // Centred over the main window.
    explicit TRichTextLabelEditor(QWidget* mainWindow);

    // Loads a copy of the document; false when it went beyond what the reader takes.
    bool Load(const TWPRtfStorage& text);
    const QTextDocument& Document() const;
    // Whether the user changed the document.
    bool Modified() const;
    void SetPanelColor(TColor color);
    // The editing area's size in pixels, its frame included.
    void SetEditingSize(int width, int height);

    TWPToolBar* WPToolBar1 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QFrame* WPPanel = nullptr;
    TWPRichEdit* WPRichText1 = nullptr;
    TDialogButtonBar* Buttons = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* FScrollContent = nullptr;
};
