#pragma once

#include "report/PageStream.h"

#include <QImage>
#include <QScrollArea>

// Shows the pages of a page stream, one at a time, at a zoom in percent of the page's
// natural size on a 96 pixels-per-inch screen, centred on a grey ground with a shadow.
class TPagePreview : public QScrollArea {
    Q_OBJECT
public:
    explicit TPagePreview(QWidget* parent = nullptr);

    // The stream must outlive the preview or be replaced first.
    void SetStream(const TPageStream* stream) { FStream = stream; }
    const TPageStream* Stream() const { return FStream; }
    void StartPreview();
    void FinishPreview();
    bool Active() const { return FActive; }

    double ZoomFactor() const { return FZoom; }
    void SetZoomFactor(double percent);
    double ZoomInc = 10;
    double MarginPercent = 2.5;
    int ShadowDepth = 5;
    void ZoomIn() { SetZoomFactor(FZoom + ZoomInc); }
    void ZoomOut() { SetZoomFactor(FZoom - ZoomInc); }
    // The zoom at which the page's width, or the whole page, fits the visible area.
    double PageWidthZoom() const;
    double WholePageZoom() const;
    void RedrawPage();

    int CurrentPage() const { return FPage; }
    int FirstPage() const { return 1; }
    int PageCount() const;
    void SetCurrentPage(int page);

    // The page as shown: its image at the current zoom (for the view and for tests).
    const QImage& PageImage();

signals:
    void ZoomChange();
    void PageChange();
    // A mouse press on the page or beside it.
    void MouseDown(Qt::MouseButton button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSize PagePixels(double percent) const;

    const TPageStream* FStream = nullptr;
    bool FActive = false;
    double FZoom = 100;
    int FPage = 1;
    QImage FImage;
    bool FImageStale = true;
    class TPageView* FView;
};
