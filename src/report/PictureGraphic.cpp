#include "report/PictureGraphic.h"

void PrintPicture(TReportCanvas& report, const TInchRect& r, const TPicture& picture) {
    if (picture.Kind() == TPicture::TKind::Bitmap && !picture.Image().isNull())
        report.StretchBitmap(r, picture.Image());
    else if (picture.Metafile())
        report.StretchGraphic(report.DeviceRect(r),
                              std::make_shared<TMetafileGraphic>(picture.Metafile()));
}
