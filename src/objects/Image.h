#pragma once

#include "platform/Picture.h"
#include "surface/GraphicControl.h"

enum TBorderStyle { bsNone = 0, bsSingle = 1 };

// A clip-art picture on the card, always stretched over its box. AutoSize and Stretch are
// always opposite; with AutoSize the box follows the picture's own size at the zoom.
class TGImage : public TGGraphicControl {
public:
    TGImage();

    QString ClassName() const override { return QStringLiteral("TGImage"); }
    const TPropertyList& Properties() const override { return ClassProperties(); }
    static const TPropertyList& ClassProperties();

    void Loaded() override;
    void Paint(QPainter& canvas) override;
    void BoundsChanged() override;
    void PopupOpening() override;
    void PrintTo(TReportCanvas& report, double x, double y) override;

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    const TPicture& Picture() const { return FPicture; }
    void SetPicture(const TPicture& picture);
    // Fits the box to an auto-sized picture and repaints.
    void PictureChanged();

    // "Load Image From Disk": the image browser, the object's first edit.
    void LoadImage();

private:
    bool FAutoSize = false;
    bool FStretch = true;
    TBorderStyle FBorderStyle = bsNone;
    TPicture FPicture;
    QAction* FBorderItem = nullptr;
    QAction* FStretchItem = nullptr;
    QAction* FAutoSizeItem = nullptr;
};
