#pragma once

#include <QImage>
#include <QWidget>

// A picture control: drawn at its own size, centred, stretched, or stretched keeping its
// aspect, optionally leaving out its top-left pixel's colour. It is also the browsers'
// picture loader for every kind the program reads.
class TSmartImage : public QWidget {
    Q_OBJECT
public:
    explicit TSmartImage(QWidget* parent = nullptr);

    // Loads a picture file; raises EPictureError with the reason when it can't.
    void LoadPictureFromFile(const QString& fileName);

    const QImage& Picture() const { return FPicture; }
    void SetPicture(const QImage& picture);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool v);
    bool MaintainAspect() const { return FMaintainAspect; }
    void SetMaintainAspect(bool v);
    bool Center() const { return FCenter; }
    void SetCenter(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);

    // Where the picture is drawn in the control.
    QRect TargetRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PictureChanged();

    QImage FPicture;
    bool FStretch = false;
    bool FMaintainAspect = true;
    bool FCenter = false;
    bool FTransparent = false;
    bool FAutoSize = false;
};

// The largest rectangle of the picture's aspect that fits the destination, at its top-left
// corner, or with `center` moved to the middle of the side that has room to spare. A
// picture or destination without area gives the destination unchanged.
QRect FitRectKeepingAspect(const QRect& picture, const QRect& dest, bool center);
