#pragma once

#include <QObject>
#include <QTextDocument>

class QPainter;

// The invisible rich text control that paints the documents of rich text objects. One
// control serves every object: each paint loads the painting object's document into it
// first, so painting is strictly one object at a time.
class TWPRichText : public QObject {
    Q_OBJECT
public:
    explicit TWPRichText(QObject* parent = nullptr);

    QTextDocument& Document() { return FDocument; }
    // Loads a copy of the document held as RTF.
    void SetRtf(const QByteArray& rtf);
    int Zoom() const { return FZoom; }
    void SetZoom(int percent) { FZoom = percent; }
    // Draws the whole document from the painter's origin within width x height pixels.
    void Paint(QPainter& painter, int width, int height);

private:
    QTextDocument FDocument;
    int FZoom = 100;
};

// The name of the main window's control; objects look for it without regard to case.
inline constexpr char MasterRichTextName[] = "MASTERWPRICHTEXT";

// Adds the shared control to a window (or any owner of design objects).
TWPRichText* CreateMasterRichText(QObject* owner);
// The shared control among the owner's descendants, or null.
TWPRichText* FindMasterRichText(const QObject* owner);
