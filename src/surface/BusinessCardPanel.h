#pragma once

#include "surface/BasePanel.h"

#include <QStringList>

#include <array>
#include <functional>

// The active tool, stored as a byte.
enum TLPanelState {
    psPointing = 0,
    psLabel,
    psSymbolLabel,
    psMultiLineLabel,
    psRectangle,
    psEllipse,
    psRoundRectangle,
    psLine,
    psImage,
    psRirizIzadu,
    psRichLabel,
    psDiduzOvoz,
    psBarcode,
};

class TGBusinessCardPanel32;

// How a drawing tool makes its object: Create builds and prepares it (before placing,
// Loaded included);
// FirstEdit runs its editing dialog once it is on the card. Tools whose dialog is a large
// editor set BackToPointing so the panel returns to the selection tool first.
struct TToolKind {
    std::function<std::unique_ptr<TGGraphicControl>(TGBusinessCardPanel32&)> Create;
    std::function<void(TGBusinessCardPanel32&, TGGraphicControl&)> FirstEdit;
    bool BackToPointing = false;
};

// The card panel of the main window: adds the tool state, the creation of each kind of
// object, and the user's ten personal-information lines.
class TGBusinessCardPanel32 : public TGBasePanel {
    Q_OBJECT
public:
    explicit TGBusinessCardPanel32(QWidget* parent = nullptr);

    TLPanelState PanelState() const { return FPanelState; }
    void SetPanelState(TLPanelState state);

    const std::array<QString, 10>& PersonalInfo() const { return FPersonalInfo; }
    void SetPersonalInfo(int index, const QString& value) { FPersonalInfo.at(index) = value; }

    // Object kinds register the tool that draws them.
    static void RegisterTool(TLPanelState state, TToolKind kind);

protected:
    void CreateObjectInRect(QRect& rect) override;

private:
    TLPanelState FPanelState = psPointing;
    std::array<QString, 10> FPersonalInfo;
};
