#pragma once

#include <QIcon>

// The glyphs of the main window's buttons, drawn by the program.
enum class TToolIcon {
    Pointer,
    Text,
    MultiLineText,
    Symbol,
    Rectangle,
    Ellipse,
    RoundRect,
    Line,
    ClipArt,
    RirizIzadu,
    RichText,
    DiduzOvoz,
    Barcode,
    ShowGrid,
    SnapToGrid,
    BackgroundArt,
    WhatsThis,
    Exit,
    Program,
};

QIcon ToolIcon(TToolIcon which);
