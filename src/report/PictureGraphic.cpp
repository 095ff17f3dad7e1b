#include "report/PictureGraphic.h"

#include <algorithm>
#include <cmath>

QSize PrintedPictureSize(const TReportCanvas& report, const TInchRect& r) {
    auto pixels = [](double inches, double dpi) {
        const double finest = std::min(dpi, MaxPrintedPictureDpi);
        return int(std::clamp(std::ceil(std::abs(inches) * finest), 1.0, 1e9));
    };
    return QSize(pixels(r.Right - r.Left, report.XDPI()), pixels(r.Bottom - r.Top, report.YDPI()));
}

void PrintPicture(TReportCanvas& report, const TInchRect& r, const TPicture& picture) {
    switch (picture.Kind()) {
    case TPicture::TKind::Bitmap:
    case TPicture::TKind::PngImage:
        if (picture.IsDrawable())
            report.StretchBitmap(r, picture.Pixels(PrintedPictureSize(report, r)));
        break;
    case TPicture::TKind::Metafile:
        if (picture.Metafile())
            report.StretchGraphic(report.DeviceRect(r),
                                  std::make_shared<TMetafileGraphic>(picture.Metafile()));
        break;
    case TPicture::TKind::SvgImage:
        if (picture.IsDrawable())
            report.StretchGraphic(report.DeviceRect(r),
                                  std::make_shared<TVectorPictureGraphic>(picture));
        break;
    case TPicture::TKind::Icon:
    case TPicture::TKind::Empty:
        break;
    }
}
