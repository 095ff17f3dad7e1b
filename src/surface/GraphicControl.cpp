#include "surface/GraphicControl.h"

#include "surface/BasePanel.h"
#include "surface/Handle.h"
#include "surface/MenuStepNames.h"
#include "surface/UndoHistory.h"

#include <QCoreApplication>
#include <QMenu>
#include <QPainter>

#include <cmath>

int RoundHalfEven(double v) {
    return int(std::nearbyint(v));
}

QRect ScaledRect(const QRect& r, float f) {
    return QRect(RoundHalfEven(r.left() * f), RoundHalfEven(r.top() * f),
                 RoundHalfEven(r.width() * f), RoundHalfEven(r.height() * f));
}

TGGraphicControl::TGGraphicControl() = default;

// The menu may be the one whose item is deleting this object (Cut, Delete): it goes once
// its own event handling has finished.
TGGraphicControl::~TGGraphicControl() {
    if (FContextMenu)
        FContextMenu->deleteLater();
}

const TPropertyList& TGGraphicControl::ClassProperties() {
    using C = TGGraphicControl;
    static const TPropertyList list = [] {
        TPropertyList l;
        // The geometry is streamed at 100 %; an object being read has zoom 1.0 and takes it as
        // it stands.
        l.push_back(Published<C>(
            "Tag", TPropType::Integer, [](const C& o) { return o.Tag(); },
            [](C& o, const QVariant& v) { o.SetTag(v.toInt()); }, 0));
        l.push_back(Published<C>(
            "Left", TPropType::Integer, [](const C& o) { return o.DesignBounds().left(); },
            [](C& o, const QVariant& v) { o.SetLeft(v.toInt()); }));
        l.push_back(Published<C>(
            "Top", TPropType::Integer, [](const C& o) { return o.DesignBounds().top(); },
            [](C& o, const QVariant& v) { o.SetTop(v.toInt()); }));
        l.push_back(Published<C>(
            "Width", TPropType::Integer, [](const C& o) { return o.DesignBounds().width(); },
            [](C& o, const QVariant& v) { o.SetWidth(v.toInt()); }));
        l.push_back(Published<C>(
            "Height", TPropType::Integer, [](const C& o) { return o.DesignBounds().height(); },
            [](C& o, const QVariant& v) { o.SetHeight(v.toInt()); }));
        l.push_back(Published<C>(
            "Cursor", TPropType::Cursor, [](const C& o) { return o.Cursor(); },
            [](C& o, const QVariant& v) { o.SetCursor(v.toInt()); }, 0));
        l.push_back(Published<C>(
            "Hint", TPropType::String, [](const C& o) { return o.Hint(); },
            [](C& o, const QVariant& v) { o.SetHint(v.toString()); }));
        l.push_back(Published<C>(
            "Locked", TPropType::Boolean, [](const C& o) { return o.Locked(); },
            [](C& o, const QVariant& v) { o.SetLocked(v.toBool()); }));
        l.push_back(Published<C>(
            "Unselectable", TPropType::Boolean, [](const C& o) { return o.Unselectable(); },
            [](C& o, const QVariant& v) { o.SetUnselectable(v.toBool()); }));
        return l;
    }();
    return list;
}

void TGGraphicControl::Loaded() {
    FMenuWanted = true;
    // A second Loaded gives a menu built anew, as the first did.
    if (FContextMenu) {
        delete FContextMenu;
        FContextMenu = nullptr;
        ContextMenu();
    }
}

QMenu* TGGraphicControl::ContextMenu() {
    if (!FContextMenu && FMenuWanted) {
        FContextMenu = new QMenu;
        // Each item's command becomes one undo step named after the item.
        NameStepsAfterItems(FContextMenu, [this](const QString& caption) {
            if (FPanel)
                FPanel->History()->BeginCommand(caption);
        });
        BuildContextMenu();
        QObject::connect(FContextMenu, &QMenu::aboutToShow, FContextMenu,
                         [this] { PopupOpening(); });
    }
    return FContextMenu;
}

void TGGraphicControl::BuildContextMenu() {
    AddMenuItem(QStringLiteral("Bring To Front"), [this] { BringToFront(); });
    AddMenuItem(QStringLiteral("Send To Back"), [this] { SendToBack(); });
    AddMenuItem(QStringLiteral("Cut"), [this] {
        NotifyChanged();
        if (FPanel)
            FPanel->RunClipboardCommand(TObjectCommand::Cut, this);
    });
    AddMenuItem(QStringLiteral("Copy"), [this] {
        if (FPanel)
            FPanel->RunClipboardCommand(TObjectCommand::Copy, this);
    });
    AddMenuItem(QStringLiteral("Delete"), [this] {
        NotifyChanged();
        if (FPanel)
            FPanel->RunClipboardCommand(TObjectCommand::Delete, this);
    });
    AddMenuItem(QStringLiteral("Clone"), [this] {
        if (FPanel)
            FPanel->CloneObject(this);
    });
    AddMenuSeparator();
    FLockedItem = AddMenuItem(QStringLiteral("Locked"), [this] { ToggleLocked(); });
    FLockedItem->setCheckable(true);
    FLockedItem->setChecked(FLocked);
    AddMenuItem(QStringLiteral("Unselectable"), [this] { MakeUnselectable(); });
    AddMenuSeparator();
    AddMenuItem(QStringLiteral("Center Vertically"), [this] { CenterVertically(); });
    AddMenuItem(QStringLiteral("Center Horizontally"), [this] { CenterHorizontally(); });
}

QAction* TGGraphicControl::AddMenuItem(const QString& caption, std::function<void()> action) {
    QMenu* menu = ContextMenu();
    QAction* item = menu->addAction(caption);
    QObject::connect(item, &QAction::triggered, menu, [action] { action(); });
    return item;
}

void TGGraphicControl::AddMenuSeparator() {
    ContextMenu()->addSeparator();
}

void TGGraphicControl::Paint(QPainter&) {}

void TGGraphicControl::PrintTo(TReportCanvas&, double, double) {}

namespace {

// Counts a scope in, and out again however it is left.
class TCounted {
public:
    explicit TCounted(int& count) : FCount(count) { ++FCount; }
    ~TCounted() { --FCount; }
    TCounted(const TCounted&) = delete;
    TCounted& operator=(const TCounted&) = delete;

private:
    int& FCount;
};

// A length shown at the zoom, back at 100 %.
int AtHundredPercent(int shown, float zoom) {
    return RoundHalfEven(shown / double(zoom));
}

} // namespace

void TGGraphicControl::SetBounds(int left, int top, int width, int height) {
    const QRect r(left, top, width, height);
    if (r == FBounds)
        return;
    if (FReading || FZoom == 1.0f) {
        FDesignBounds = r;
    } else if (FShownOnly == 0) {
        // Only the sides that changed are converted: a move keeps the size at 100 % exactly.
        auto convert = [this](int shown, int was, int design) {
            return shown == was ? design : AtHundredPercent(shown, FZoom);
        };
        FDesignBounds = QRect(convert(left, Left(), FDesignBounds.left()),
                              convert(top, Top(), FDesignBounds.top()),
                              convert(width, Width(), FDesignBounds.width()),
                              convert(height, Height(), FDesignBounds.height()));
    }
    FBounds = r;
    if (FReading)
        return;
    Invalidate();
    ShownBoundsChanged();
}

void TGGraphicControl::ShownBoundsChanged() {
    TCounted shownOnly(FShownOnly);
    BoundsChanged();
}

void TGGraphicControl::BoundsChanged() {
    if (FBoundsGuard)
        return;
    FBoundsGuard = true;
    // Only bounds never seen (all zero) are taken silently: an object shrunk to no size and
    // later restored is a change like any other.
    if (FLastBounds == QRect(0, 0, 0, 0)) {
        FLastBounds = FBounds;
        FLastDesignBounds = FDesignBounds;
    }
    // Only the 100 % bounds are the design; zooming and fitting to the screen change nothing.
    if (FDesignBounds != FLastDesignBounds) {
        NotifyChanged();
        FLastDesignBounds = FDesignBounds;
    }
    if (FBounds != FLastBounds) {
        FLastBounds = FBounds;
        RequestHandleRefit();
    }
    FBoundsGuard = false;
}

void TGGraphicControl::SetZoom(float newZoom) {
    if (newZoom == FZoom)
        return;
    FZoom = newZoom;
    FBounds = ScaledRect(FDesignBounds, newZoom);
    Invalidate();
    ShownBoundsChanged();
}

void TGGraphicControl::SetZoomField(float zoom) {
    if (zoom == FZoom)
        return;
    FZoom = zoom;
    FDesignBounds = QRect(AtHundredPercent(Left(), zoom), AtHundredPercent(Top(), zoom),
                          AtHundredPercent(Width(), zoom), AtHundredPercent(Height(), zoom));
}

void TGGraphicControl::PaintShown(QPainter& canvas) {
    TCounted shownOnly(FShownOnly);
    Paint(canvas);
}

void TGGraphicControl::AtDesignZoom(const std::function<void()>& fit) {
    if (FZoom == 1.0f) {
        fit();
        return;
    }
    const QRect design = FDesignBounds;
    struct TBack {
        TGGraphicControl& O;
        float Zoom;
        QRect Shown, Design;
        ~TBack() {
            O.FZoom = Zoom;
            const QRect& d = O.FDesignBounds;
            auto follow = [this](int shown, int was, int now) {
                return was == now ? shown : RoundHalfEven(now * double(Zoom));
            };
            O.FBounds = QRect(follow(Shown.left(), Design.left(), d.left()),
                              follow(Shown.top(), Design.top(), d.top()),
                              follow(Shown.width(), Design.width(), d.width()),
                              follow(Shown.height(), Design.height(), d.height()));
        }
    } back{*this, FZoom, FBounds, design};
    FZoom = 1.0f;
    FBounds = design;
    fit();
}

void TGGraphicControl::SetLocked(bool v) {
    if (v == FLocked)
        return;
    FLocked = v;
    if (FReading)
        return;
    if (FLockedItem)
        FLockedItem->setChecked(v);
    NotifyChanged();
}

void TGGraphicControl::SetUnselectable(bool v) {
    if (v == FUnselectable)
        return;
    FUnselectable = v;
    if (FReading)
        return;
    NotifyChanged();
    if (v && FPanel)
        FPanel->Handle()->Remove(this);
}

void TGGraphicControl::SetVisible(bool v) {
    if (v == FVisible)
        return;
    FVisible = v;
    Invalidate();
}

void TGGraphicControl::NotifyChanged() {
    if (!FPanel || FPanel->Printing())
        return;
    if (!FPanel->ZoomInProgress())
        FPanel->FireLabelChanged();
}

void TGGraphicControl::RequestHandleRefit() {
    if (FPanel)
        FPanel->PostHandleRefit();
}

void TGGraphicControl::Invalidate() {
    if (FPanel)
        FPanel->InvalidateCard();
}

TMergeRecord TGGraphicControl::MergeRecord() const {
    return FPanel ? FPanel->MergeRecord() : TMergeRecord();
}

QString TGGraphicControl::MergedText(const QString& text) const {
    return SubstituteMergeFields(text, MergeRecord());
}

void TGGraphicControl::DrawSelectionMarks(QPainter& canvas) const {
    if (!FPanel)
        return;
    const TGHandle* frame = FPanel->Handle();
    if (!frame->Contains(this))
        return;
    const bool single = frame->Count() == 1;
    const QColor color = ToQColor(single ? frame->Color() : frame->SecondaryColor());
    const int l = Left() - 2, t = Top() - 2, r = Left() + Width() + 2, b = Top() + Height() + 2;
    auto square = [&](int x1, int y1) { canvas.fillRect(QRect(x1, y1, 5, 5), color); };
    square(l, t);
    square(r - 5, t);
    square(r - 5, b - 5);
    square(l, b - 5);
    if (single) {
        const int hx = int((r - l) * 0.5), hy = int((b - t) * 0.5);
        square(l + hx - 2, t);
        square(l + hx - 2, b - 5);
        square(l, t + hy - 2);
        square(r - 5, t + hy - 2);
    }
}

void TGGraphicControl::BringToFront() {
    NotifyChanged();
    if (FPanel)
        FPanel->BringObjectToFront(this);
}

void TGGraphicControl::SendToBack() {
    NotifyChanged();
    if (FPanel) {
        FPanel->SendObjectToBack(this);
        FPanel->Handle()->Clear();
    }
}

void TGGraphicControl::ToggleLocked() {
    SetLocked(!FLocked);
}

void TGGraphicControl::MakeUnselectable() {
    SetUnselectable(true);
    NotifyChanged();
    if (FPanel)
        FPanel->Handle()->Remove(this);
}

void TGGraphicControl::CenterVertically() {
    if (!FPanel)
        return;
    SetTop(FPanel->height() / 2 - Height() / 2);
    NotifyChanged();
    QCoreApplication::processEvents();
    FPanel->update();
}

void TGGraphicControl::CenterHorizontally() {
    if (!FPanel)
        return;
    SetLeft(FPanel->width() / 2 - Width() / 2);
    NotifyChanged();
    QCoreApplication::processEvents();
    FPanel->update();
}

QString TGGraphicControl::TrimLeading(const QString& s) {
    int i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    return s.mid(i);
}

QString TGGraphicControl::TrimTrailing(const QString& s) {
    int n = s.size();
    while (n > 0 && s[n - 1] == ' ')
        --n;
    return s.left(n);
}

QString TGGraphicControl::TrimSpaces(const QString& s) {
    return TrimLeading(TrimTrailing(s));
}
