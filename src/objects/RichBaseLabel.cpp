#include "objects/RichBaseLabel.h"

#include "merge/DocumentMergeFields.h"
#include "objects/RichTextLabelEditor.h"
#include "platform/Interaction.h"
#include "surface/BasePanel.h"
#include "widgets/StandardDialogs.h"

#include <QAction>
#include <QApplication>
#include <QTextDocument>

#include <cmath>

TGPRichBaseLabel::TGPRichBaseLabel() {
    SetBounds(0, 0, 190, 33);
}

const TPropertyList& TGPRichBaseLabel::ClassProperties() {
    using C = TGPRichBaseLabel;
    static const TPropertyList list = [] {
        TPropertyList l = TGGraphicControl::ClassProperties();
        // A new object holds the RTF of an empty document.
        l.push_back(WrittenWhenEmpty(Published<C>(
            "RTFText.Data", TPropType::Binary, [](const C& o) { return o.RTFText().Rtf(); },
            [](C& o, const QVariant& v) {
                TWPRtfStorage text;
                text.SetRtf(v.toByteArray());
                o.SetRTFText(text);
            })));
        l.push_back(Published<C>(
            "BorderStyle", TPropType::Enumeration, [](const C& o) { return o.BorderStyle(); },
            [](C& o, const QVariant& v) { o.SetBorderStyle(v.toInt()); }, std::nullopt,
            {"bsNone", "bsSingle"}));
        l.push_back(Published<C>(
            "Transparent", TPropType::Boolean, [](const C& o) { return o.Transparent(); },
            [](C& o, const QVariant& v) { o.SetTransparent(v.toBool()); }));
        l.push_back(Published<C>(
            "BGColor", TPropType::Color, [](const C& o) { return int(o.BGColor()); },
            [](C& o, const QVariant& v) { o.SetBGColor(TColor(v.toInt())); }));
        return l;
    }();
    return list;
}

void TGPRichBaseLabel::SetRTFText(const TWPRtfStorage& text) {
    FRTFText = text;
    Invalidate();
    if (!Reading())
        NotifyChanged();
}

void TGPRichBaseLabel::SetBorderStyle(int v) {
    if (v >= bsNone && v <= bsSingle)
        ChangeShownValue(FBorderStyle, v);
}

// Unlike the other look settings, a changed transparency is a change of the design too:
// without the notification it would be lost on leaving without a question.
void TGPRichBaseLabel::SetTransparent(bool v) {
    ChangeShownValue(FTransparent, v);
}

void TGPRichBaseLabel::SetBGColor(TColor v) {
    ChangeShownValue(FBGColor, v);
}

void TGPRichBaseLabel::Loaded() {
    TGGraphicControl::Loaded();
    FMasterRichText = FindMasterRichText(Panel() ? Panel()->window() : nullptr);
    if (!FMasterRichText)
        throw ENoMasterWPRich();
    DoubleClickAction = [this](TGBasePanel*) { EditRichText(); };
}

void TGPRichBaseLabel::BuildContextMenu() {
    TGGraphicControl::BuildContextMenu();
    AddMenuSeparator();
    FTransparentItem =
        AddMenuItem(QStringLiteral("Transparent"), [this] { SetTransparent(!FTransparent); });
    FTransparentItem->setCheckable(true);
    AddMenuItem(QStringLiteral("Background Color"), [this] { ChooseBackgroundColor(); });
    FBorderItem = AddMenuItem(QStringLiteral("Border"), [this] {
        SetBorderStyle(FBorderStyle == bsSingle ? bsNone : bsSingle);
    });
    FBorderItem->setCheckable(true);
    FBorderItem->setChecked(FBorderStyle == bsSingle);
    AddMenuItem(QStringLiteral("Edit"), [this] { EditRichText(); });
}

void TGPRichBaseLabel::PopupOpening() {
    if (FTransparentItem)
        FTransparentItem->setChecked(FTransparent);
    if (FBorderItem)
        FBorderItem->setChecked(FBorderStyle == bsSingle);
}

void TGPRichBaseLabel::ChooseBackgroundColor() {
    const auto c = ChooseColor(FBGColor, Panel());
    if (!c)
        return;
    SetBGColor(*c);
    NotifyChanged();
    SetTransparent(false);
    Invalidate();
}

TRichBox TGPRichBaseLabel::Box() const {
    return {Width(), Height(), FTransparent, FBGColor, FBorderStyle == bsSingle};
}

void TGPRichBaseLabel::PaintRich(QPainter& canvas) {
    if (!FMasterRichText)
        return;
    FMasterRichText->SetRtf(FRTFText.Rtf());
    FillMergeFields(FMasterRichText->Document(), MergeRecord());
    FMasterRichText->SetZoom(int(Zoom() * 100));
    PaintRichBox(canvas, *FMasterRichText, Box());
}

void TGPRichBaseLabel::Paint(QPainter& canvas) {
    PaintRich(canvas);
    DrawSelectionMarks(canvas);
}

void TGPRichBaseLabel::PrintTo(TReportCanvas& report, double x, double y) {
    const double p = ScreenPixelsPerInch;
    const QRect r = report.DeviceRect(
        {x + Left() / p, y + Top() / p, x + (Left() + Width()) / p, y + (Top() + Height()) / p});
    report.StretchGraphic(r,
                          std::make_shared<TRichTextGraphic>(FRTFText.Rtf(), Box(), MergeRecord()));
}

void TGPRichBaseLabel::EditRichText() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TRichTextLabelEditor editor(Panel() ? Panel()->window() : nullptr);
    const bool complete = editor.Load(FRTFText);
    const int w = int(std::lround(Width() / Zoom()));
    const int h = int(std::lround(Height() / Zoom()));
    if (!FTransparent)
        editor.SetPanelColor(FBGColor);
    editor.SetEditingSize(w + 25, h + 25);
    QApplication::restoreOverrideCursor();
    if (!complete) {
        // Editing would drop what lies beyond the reader's limits: the document is kept.
        TInteraction::Current().Information(
            Panel() ? Panel()->window() : nullptr,
            QStringLiteral("This rich text is too large to edit. It is kept unchanged."));
        return;
    }
    if (TInteraction::Current().Exec(editor) != QDialog::Accepted)
        return;
    // Ok without an edit keeps the document's bytes as they came.
    if (editor.Modified()) {
        TWPRtfStorage edited;
        edited.SetDocument(editor.Document());
        SetRTFText(edited);
    }
    Invalidate();
    NotifyChanged();
}
