#include "effects/RirizIzadu.h"

#include "effects/BitmapProperty.h"
#include "effects/GradientFill.h"
#include "effects/RirizIzaduProperties.h"
#include "platform/Interaction.h"
#include "surface/BasePanel.h"

TRirizIzadu::TRirizIzadu() {
    SetBounds(0, 0, 25, 25);
}

const TPropertyList& TRirizIzadu::ClassProperties() {
    using C = TRirizIzadu;
    static const TPropertyList list = [] {
        TPropertyList l = TGGraphicControl::ClassProperties();
        auto color = [&l](const char* name, TColor (C::*get)() const, void (C::*set)(TColor)) {
            l.push_back(Published<C>(
                name, TPropType::Color, [get](const C& o) { return int((o.*get)()); },
                [set](C& o, const QVariant& v) { (o.*set)(TColor(v.toInt())); }));
        };
        auto integer = [&l](const char* name, int (C::*get)() const, void (C::*set)(int),
                            TPropType type = TPropType::Integer, QStringList names = {},
                            std::optional<qint64> def = std::nullopt) {
            l.push_back(Published<C>(
                name, type, [get](const C& o) { return (o.*get)(); },
                [set](C& o, const QVariant& v) { (o.*set)(v.toInt()); }, def, std::move(names)));
        };
        color("BackColor", &C::BackColor, &C::SetBackColor);
        l.push_back(Published<C>(
            "FillDirection", TPropType::Enumeration,
            [](const C& o) { return int(o.FillDirection()); },
            [](C& o, const QVariant& v) { o.SetFillDirection(TFillDirection(v.toInt())); },
            std::nullopt, FillDirectionNames()));
        color("ForeColor", &C::ForeColor, &C::SetForeColor);
        color("GradientToColor", &C::GradientToColor, &C::SetGradientToColor);
        l.push_back(BitmapProperty<C>("Image", &C::Image, &C::SetImage));
        integer("InVectorPercent", &C::InVectorPercent, &C::SetInVectorPercent);
        color("OutlineColor", &C::OutlineColor, &C::SetOutlineColor);
        integer("OutlineStyle", &C::OutlineStyle, &C::SetOutlineStyle, TPropType::Enumeration,
                PenStyleNames());
        integer("OutlineWidth", &C::OutlineWidth, &C::SetOutlineWidth);
        integer("Pattern", &C::Pattern, &C::SetPattern, TPropType::Enumeration, BrushStyleNames());
        integer("RoundPerc", &C::RoundPerc, &C::SetRoundPerc);
        color("ShadowColor", &C::ShadowColor, &C::SetShadowColor);
        integer("ShadowDepth", &C::ShadowDepth, &C::SetShadowDepth);
        l.push_back(Published<C>(
            "ShadowOrient", TPropType::Enumeration,
            [](const C& o) { return int(o.ShadowOrient()); },
            [](C& o, const QVariant& v) { o.SetShadowOrient(v.toInt()); }, std::nullopt,
            {"soNone", "soLowerRight", "soUpperRight", "soUpperLeft", "soLowerLeft"}));
        l.push_back(Published<C>(
            "Shape", TPropType::Enumeration, [](const C& o) { return int(o.Shape()); },
            [](C& o, const QVariant& v) { o.SetShape(TGPShapeType(v.toInt())); }, gstRectangle,
            {"gstRectangle", "gstRoundRect", "gstEllipse", "gstDiamond", "gstStar",
             "gstTriangleLeft", "gstTriangleRight", "gstTriangleUp", "gstTriangleDown",
             "gstPolyGon"}));
        integer("StartingAngle", &C::StartingAngle, &C::SetStartingAngle);
        l.push_back(Published<C>(
            "SurfaceType", TPropType::Enumeration, [](const C& o) { return int(o.SurfaceType()); },
            [](C& o, const QVariant& v) { o.SetSurfaceType(TSurfaceType(v.toInt())); },
            std::nullopt, SurfaceTypeNames()));
        integer("Vectors", &C::Vectors, &C::SetVectors);
        l.push_back(Published<C>(
            "LastBitmapFileNameandPath", TPropType::String,
            [](const C& o) { return o.LastBitmapFileNameandPath(); },
            [](C& o, const QVariant& v) { o.SetLastBitmapFileNameandPath(v.toString()); }));
        return l;
    }();
    return list;
}

void TRirizIzadu::AssignProperties(const TRirizIzadu& source) {
    const TPropertyList& own = ClassProperties();
    const std::size_t first = TGGraphicControl::ClassProperties().size();
    for (std::size_t i = first; i < own.size(); ++i)
        if (own[i].Name != QLatin1String("LastBitmapFileNameandPath"))
            own[i].Set(*this, own[i].Get(source));
}

void TRirizIzadu::BuildContextMenu() {
    TGGraphicControl::BuildContextMenu();
    AddMenuSeparator();
    AddMenuItem(QStringLiteral("Properties"), [this] { EditProperties(); });
}

void TRirizIzadu::EditProperties() {
    TRirizIzaduProperties dialog(Panel() ? Panel()->window() : nullptr);
    dialog.Preview().AssignProperties(*this);
    dialog.SetLastTextureFile(FLastBitmapFile);
    if (TInteraction::Current().Exec(dialog) != QDialog::Accepted)
        return;
    AssignProperties(dialog.Preview());
    FLastBitmapFile = dialog.LastTextureFile();
    NotifyChanged();
}

void TRirizIzadu::SetBackColor(TColor v) {
    if (v == FBackColor)
        return;
    FBackColor = v;
    FGradientStale = true;
    FSolidBitmap = QImage(); // made again, in the new colour, when it is next needed
    Invalidate();
}

void TRirizIzadu::SetFillDirection(TFillDirection v) {
    if (v == FFillDirection)
        return;
    FFillDirection = v;
    FGradientStale = true;
    Invalidate();
}

void TRirizIzadu::SetForeColor(TColor v) {
    if (v == FForeColor)
        return;
    FForeColor = v;
    Invalidate();
}

void TRirizIzadu::SetGradientToColor(TColor v) {
    if (v == FGradientToColor)
        return;
    FGradientToColor = v;
    FGradientStale = true;
    Invalidate();
}

void TRirizIzadu::SetImage(const TBitmap& v) {
    // A texture only shows once painted again; the setter itself repaints nothing.
    FImage = v;
}

void TRirizIzadu::SetInVectorPercent(int v) {
    if (v == FStar.InVectorPercent || v < 0 || v > 100)
        return;
    FStar.InVectorPercent = v;
    Invalidate();
}

void TRirizIzadu::SetOutlineColor(TColor v) {
    if (v == FOutlineColor)
        return;
    FOutlineColor = v;
    Invalidate();
}

void TRirizIzadu::SetOutlineStyle(int v) {
    if (v == FOutlineStyle)
        return;
    FOutlineStyle = v;
    Invalidate();
}

void TRirizIzadu::SetOutlineWidth(int v) {
    if (v == FOutlineWidth)
        return;
    FOutlineWidth = v;
    Invalidate();
}

void TRirizIzadu::SetPattern(int v) {
    if (v == FPattern)
        return;
    FPattern = v;
    Invalidate();
}

void TRirizIzadu::SetRoundPerc(int v) {
    if (v == FRoundPerc)
        return;
    FRoundPerc = v;
    Invalidate();
}

void TRirizIzadu::SetShadowColor(TColor v) {
    if (v == FShadowColor)
        return;
    FShadowColor = v;
    Invalidate();
}

void TRirizIzadu::SetShadowDepth(int v) {
    if (v == FShadowDepth || v > Width() / 2 || v > Height() / 2)
        return;
    FShadowDepth = v;
    Invalidate();
}

void TRirizIzadu::SetShadowOrient(int v) {
    if (v == FShadowOrient || v < soNone || v > soLowerLeft)
        return;
    FShadowOrient = TShadowOrient(v);
    Invalidate();
}

void TRirizIzadu::SetShape(TGPShapeType v) {
    if (v == FShape)
        return;
    FShape = v;
    if (v == gstStar) {
        if (FStar.InVectorPercent == 0)
            SetInVectorPercent(50);
        if (FStar.Vectors < 10)
            SetVectors(10);
        SetStartingAngle(90);
    }
    Invalidate();
}

void TRirizIzadu::SetStartingAngle(int v) {
    if (v == FStar.StartingAngle || v < 0 || v > 359)
        return;
    FStar.StartingAngle = v;
    Invalidate();
}

void TRirizIzadu::SetSurfaceType(TSurfaceType v) {
    if (v == FSurfaceType)
        return;
    FSurfaceType = v;
    if (v != stBrushImage)
        FImage = TBitmap();
    if (v == stGradientFill)
        FGradientStale = true;
    else if (v == stBrushPattern)
        FSolidBitmap = QImage();
    else if (v == stBrushTransparent) {
        // The object never turns wholly invisible through this choice.
        FShadowOrient = soNone;
        FPattern = bsClear;
        if (FOutlineStyle == psClear)
            FOutlineStyle = psSolid;
    }
    Invalidate();
}

void TRirizIzadu::SetVectors(int v) {
    if (v == FStar.Vectors || v < 3 || v > 60)
        return;
    FStar.Vectors = v;
    Invalidate();
}

const QImage& TRirizIzadu::GradientBitmap() const {
    if (FGradientStale || FGradientBitmap.size() != QSize(Width(), Height())) {
        FGradientBitmap = BuildGradientBitmap(QSize(Width(), Height()), FBackColor,
                                              FGradientToColor, FFillDirection);
        FGradientStale = false;
    }
    return FGradientBitmap;
}

const QImage& TRirizIzadu::SolidBitmap() const {
    if (FSolidBitmap.isNull() && Width() > 0 && Height() > 0) {
        FSolidBitmap = QImage(Width(), Height(), QImage::Format_RGB32);
        FSolidBitmap.fill(ToQColor(FBackColor));
    }
    return FSolidBitmap;
}

const QImage* TRirizIzadu::SurfaceBitmap() const {
    switch (FSurfaceType) {
    case stBrushPattern:
        return &SolidBitmap();
    case stBrushImage:
        return &FImage.Image();
    case stGradientFill:
        return &GradientBitmap();
    case stBrushTransparent:
        break;
    }
    return nullptr;
}

TShapeRects TRirizIzadu::ShapeRects() const {
    return ComputeShapeRects(FShape, FShadowOrient, FOutlineWidth, FShadowDepth, Width(), Height());
}

int TRirizIzadu::CornerSize() const {
    return int(std::max(Width(), Height()) * (FRoundPerc * 0.01));
}
