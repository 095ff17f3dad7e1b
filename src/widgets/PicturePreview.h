#pragma once

#include "platform/Picture.h"

#include <QWidget>

// A picture shown in a dialog: stretched over the widget, or at its own size from the
// top-left corner; with AutoSize the widget takes the picture's size.
class TPicturePreview : public QWidget {
public:
    explicit TPicturePreview(QWidget* parent = nullptr) : QWidget(parent) {}

    const TPicture& Picture() const { return FPicture; }
    void SetPicture(const TPicture& picture);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FitToPicture();

    TPicture FPicture;
    bool FStretch = false;
    bool FAutoSize = false;
};
