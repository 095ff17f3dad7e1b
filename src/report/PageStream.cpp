#include "report/PageStream.h"

void Replay(const TReportPage& page, TReportCanvas& c) {
    using K = TReportOpKind;
    for (const TReportOp& op : page) {
        switch (op.Kind) {
        case K::SetPen:
            c.SetPen(op.Color, op.Style, op.Width, op.Mode);
            break;
        case K::SetBrush:
            c.SetBrush(op.Color, op.Style);
            break;
        case K::SetBrushBitmap:
            c.SetBrushBitmap(op.Image);
            break;
        case K::SetFont:
            c.SetFont(op.Text, op.A);
            break;
        case K::SetFontStyle:
            c.SetFontStyle(op.Flags & 1, op.Flags & 2, op.Flags & 4);
            break;
        case K::SetFontColor:
            c.SetFontColor(op.Color);
            break;
        case K::SetFontRotation:
            c.SetFontRotation(op.Width);
            break;
        case K::SetTextTransparent:
            c.SetTextTransparent(op.Flags != 0);
            break;
        case K::Rectangle:
            c.Rectangle(op.Rect);
            break;
        case K::RoundRect:
            c.RoundRect(op.Rect, op.A, op.B);
            break;
        case K::Ellipse:
            c.Ellipse(op.Rect);
            break;
        case K::MoveTo:
            c.MoveTo(op.A, op.B);
            break;
        case K::LineTo:
            c.LineTo(op.A, op.B);
            break;
        case K::Polygon:
            c.Polygon(op.Points);
            break;
        case K::FillDeviceRect:
            c.FillDeviceRect(op.Device);
            break;
        case K::TextRect:
            c.TextRect(op.Device, op.A, op.B, op.Text);
            break;
        case K::TextOut:
            c.TextOut(op.A, op.B, op.Text);
            break;
        case K::PushClipRect:
            c.PushClipRect(op.Rect);
            break;
        case K::PushClipEllipse:
            c.PushClipEllipse(op.Rect);
            break;
        case K::PushClipRoundRect:
            c.PushClipRoundRect(op.Rect, op.A, op.B);
            break;
        case K::PushClipPolygon:
            c.PushClipPolygon(op.Points);
            break;
        case K::SelectClip:
            c.SelectClip();
            break;
        case K::ClearClip:
            c.ClearClip();
            break;
        case K::PopClip:
            c.PopClip();
            break;
        case K::BeginPath:
            c.BeginPath();
            break;
        case K::EndPath:
            c.EndPath();
            break;
        case K::ClipToPath:
            c.ClipToPath();
            break;
        case K::StrokePath:
            c.StrokePath();
            break;
        case K::StretchBitmap:
            c.StretchBitmap(op.Rect, op.Image);
            break;
        case K::StretchDeviceBitmap:
            c.StretchDeviceBitmap(op.Device, op.Image);
            break;
        case K::TileDeviceBitmap:
            c.TileDeviceBitmap(op.Device, op.Image, QSizeF(op.A, op.B));
            break;
        case K::StretchGraphic:
            c.StretchGraphic(op.Device, op.Graphic);
            break;
        }
    }
}
