#include "report/PagePreview.h"

#include "report/PainterCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {
constexpr double ScreenDpi = 96;
constexpr double MinZoom = 10, MaxZoom = 800;
} // namespace

// The page with its margin and shadow; paints the preview's page image.
class TPageView : public QWidget {
public:
    explicit TPageView(TPagePreview& preview) : QWidget(nullptr), FPreview(preview) {}
    int Margin = 0;
    int Shadow = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QImage& page = FPreview.PageImage();
        p.fillRect(rect(), QColor(128, 128, 128));
        const QRect r(Margin, Margin, page.width(), page.height());
        p.fillRect(r.translated(Shadow, Shadow), Qt::black);
        p.drawImage(r.topLeft(), page);
    }

private:
    TPagePreview& FPreview;
};

TPagePreview::TPagePreview(QWidget* parent) : QScrollArea(parent) {
    FView = new TPageView(*this);
    setWidget(FView);
    setAlignment(Qt::AlignCenter);
    setBackgroundRole(QPalette::Dark);
    FView->installEventFilter(this);
    viewport()->installEventFilter(this);
}

void TPagePreview::StartPreview() {
    FActive = true;
    FPage = 1;
    FImageStale = true;
    RedrawPage();
    emit PageChange();
}

void TPagePreview::FinishPreview() {
    FActive = false;
}

int TPagePreview::PageCount() const {
    return FStream ? int(FStream->Pages.size()) : 0;
}

void TPagePreview::SetCurrentPage(int page) {
    page = std::clamp(page, 1, std::max(1, PageCount()));
    if (page == FPage)
        return;
    FPage = page;
    RedrawPage();
    emit PageChange();
}

void TPagePreview::SetZoomFactor(double percent) {
    percent = std::clamp(percent, MinZoom, MaxZoom);
    if (percent == FZoom)
        return;
    FZoom = percent;
    emit ZoomChange();
}

QSize TPagePreview::PagePixels(double percent) const {
    const QSizeF inches = FStream ? FStream->Metrics.PaperInches : QSizeF(8.5, 11);
    const double s = ScreenDpi * percent / 100;
    return QSize(int(std::lround(inches.width() * s)), int(std::lround(inches.height() * s)));
}

double TPagePreview::PageWidthZoom() const {
    const double width = PagePixels(100).width() * (1 + 2 * MarginPercent / 100) + ShadowDepth;
    return std::clamp(100.0 * (viewport()->width() - 1) / width, MinZoom, MaxZoom);
}

double TPagePreview::WholePageZoom() const {
    const QSize page = PagePixels(100);
    const double f = 1 + 2 * MarginPercent / 100;
    const double zx = (viewport()->width() - ShadowDepth - 1) / (page.width() * f);
    const double zy = (viewport()->height() - ShadowDepth - 1) / (page.height() * f);
    return std::clamp(100.0 * std::min(zx, zy), MinZoom, MaxZoom);
}

void TPagePreview::RedrawPage() {
    FImageStale = true;
    const QSize page = PagePixels(FZoom);
    FView->Margin = int(std::lround(std::max(page.width(), page.height()) * MarginPercent / 100));
    FView->Shadow = ShadowDepth;
    FView->resize(page.width() + 2 * FView->Margin + ShadowDepth,
                  page.height() + 2 * FView->Margin + ShadowDepth);
    FView->update();
}

const QImage& TPagePreview::PageImage() {
    if (!FImageStale)
        return FImage;
    FImageStale = false;
    FImage = QImage(PagePixels(FZoom), QImage::Format_ARGB32_Premultiplied);
    FImage.fill(Qt::white);
    if (!FStream || FPage < 1 || FPage > PageCount())
        return FImage;
    const TPageMetrics& m = FStream->Metrics;
    QPainter p(&FImage);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // Device pixels of the recorded page map onto the image; the device origin lies at
    // the unprintable offsets.
    const double s = ScreenDpi * FZoom / 100;
    p.scale(s / m.XDPI, s / m.YDPI);
    p.translate(m.LeftOffsetPixels(), m.TopOffsetPixels());
    TPainterCanvas canvas(p, m);
    Replay(FStream->Pages[FPage - 1], canvas);
    return FImage;
}

bool TPagePreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        emit MouseDown(static_cast<QMouseEvent*>(event)->button());
        return true;
    }
    return QScrollArea::eventFilter(watched, event);
}

void TPagePreview::keyPressEvent(QKeyEvent* event) {
    QScrollBar* bar = verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_Up:
        bar->setValue(std::max(0, bar->value() - bar->singleStep()));
        break;
    case Qt::Key_Down:
        bar->setValue(std::min(bar->maximum(), bar->value() + bar->singleStep()));
        break;
    case Qt::Key_PageUp:
        SetCurrentPage(FPage - 1);
        break;
    case Qt::Key_PageDown:
        SetCurrentPage(FPage + 1);
        break;
    default:
        QScrollArea::keyPressEvent(event);
    }
}
