#include "app/CardSides.h"

#include "app/BackSide.h"
#include "app/Companion.h"
#include "platform/PictureFile.h"
#include "printing/LabelPrintRun.h"
#include "surface/BasePanel.h"
#include "surface/Handle.h"
#include "surface/ObjectFiler.h"
#include "surface/ObjectStream.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

namespace {

// A back's file is a design file: no larger than a design file may be.
constexpr qint64 kMaxBackBytes = 256 * 1024 * 1024;
// Art named by a companion file is opened only when it is a plain file of a picture's size.
constexpr qint64 kMaxPictureBytes = 256 * 1024 * 1024;

QByteArray DesignOf(const TGBasePanel& panel) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TGLabelObjectFiler::WriteObjects(buffer, panel.Objects());
    return buffer.data();
}

TPicture ArtFrom(const QString& file) {
    const QFileInfo info(file);
    if (file.isEmpty() || !info.isFile() || info.size() > kMaxPictureBytes)
        return {};
    try {
        return TPicture::LoadFromFile(file, false);
    } catch (const EPictureError&) {
        return {};
    }
}

} // namespace

TCardSides::TCardSides(TGBasePanel& panel, QString& backgroundFileName, bool& loading)
    : FPanel(panel), FBackgroundFileName(backgroundFileName), FLoading(loading) {}

TCardSides::~TCardSides() = default;

void TCardSides::Show(TCardSide side) {
    if (side == FShown)
        return;
    const bool wasLoading = FLoading;
    FLoading = true;
    TUndoHistory& history = *FPanel.History();
    TWaiting leaving{DesignOf(FPanel), FBackgroundFileName, FPanel.ColorPicture(), history.Park()};
    FPanel.ClearObjects();
    FBackgroundFileName = FOther.BackgroundFileName;
    if (FOther.Steps.Empty()) {
        // A side not yet shown since it was read: it was read whole before, so it reads back.
        const QByteArray& design = FOther.Design;
        TGLabelObjectFiler(FPanel).ReadObjects(design.constData(), design.size());
        FPanel.RehookObjects();
        FPanel.SetColorPicture(FOther.Art);
        // Text boxes fit themselves to their text when first drawn: drawing the card now,
        // while quiet, keeps that fitting from counting as a change of the design.
        FPanel.CardImage();
    }
    history.Resume(std::move(FOther.Steps));
    FOther = std::move(leaving);
    FShown = side;
    FPanel.update();
    FLoading = wasLoading;
    if (SideShown)
        SideShown(side);
}

QByteArray TCardSides::BackDesign() const {
    return FShown == TCardSide::Back ? DesignOf(FPanel) : FOther.Design;
}

QString TCardSides::BackBackgroundFileName() const {
    return FShown == TCardSide::Back ? FBackgroundFileName : FOther.BackgroundFileName;
}

bool TCardSides::ReadFor(const QString& path, QString* message) {
    FOther = TWaiting();
    FBackUnreadable = false;
    if (path.isEmpty())
        return true;
    FOther.BackgroundFileName = ReadBackCompanionLine(path);
    FOther.Art = ArtFrom(FOther.BackgroundFileName);
    const QString file = BackSideFileName(path);
    const QFileInfo info(file);
    if (!info.exists())
        return true;
    QFile in(file);
    try {
        if (!info.isFile() || info.size() > kMaxBackBytes || !in.open(QIODevice::ReadOnly))
            throw EStreamError(StreamMessage::CannotOpen(file));
        const QByteArray design = in.readAll();
        // Read once aside, so that a damaged back never reaches the card.
        TGBasePanel check;
        TGLabelObjectFiler(check).ReadObjects(design.constData(), design.size());
        FOther.Design = design;
        return true;
    } catch (const EStreamError& e) {
        FBackUnreadable = true;
        if (message)
            *message = QStringLiteral("The back of this card (%1) cannot be read and is left as "
                                      "it is: %2")
                           .arg(file, e.Message());
        return false;
    }
}

bool TCardSides::WriteFor(const QString& path) {
    if (FBackUnreadable)
        return true;
    if (!WriteBackSide(path, BackDesign()))
        return false;
    FOther.Steps.MarkSaved();
    return true;
}

TGBasePanel* TCardSides::AddToRun(TPrintRunSettings& settings) {
    FPrintPanel = std::make_unique<TGBasePanel>();
    const QByteArray& design = FOther.Design;
    TGLabelObjectFiler(*FPrintPanel).ReadObjects(design.constData(), design.size());
    if (FShown == TCardSide::Front) {
        settings.BackPanel = FPrintPanel.get();
        settings.BackBackgroundFile = FOther.BackgroundFileName;
        return nullptr;
    }
    settings.BackPanel = &FPanel;
    settings.BackBackgroundFile = FBackgroundFileName;
    settings.BackgroundFile = FOther.BackgroundFileName;
    return FPrintPanel.get();
}
