#pragma once

// Small design objects and a scripted clock for tests that drive the card panel.

#include "surface/BasePanel.h"
#include "surface/ClassRegistry.h"
#include "surface/GraphicControl.h"
#include "surface/TickClock.h"

#include <QPainter>

// A filled block that counts how often it was painted and which font it was given.
class TBlock : public TGGraphicControl {
public:
    static inline const QString Class = QStringLiteral("TTestBlock");
    QString ClassName() const override { return Class; }
    void Paint(QPainter& canvas) override {
        ++Paints;
        canvas.fillRect(0, 0, Width(), Height(), QColor(200, 120, 40));
    }
    void ApplyFont(const TFont& font) override { Font = font; }
    static void Register() {
        TClassRegistry::Register(Class, [] { return std::make_unique<TBlock>(); });
    }

    int Paints = 0;
    TFont Font;
};

// Puts a block on the panel at the given bounds, completed as a drawn object is.
inline TBlock* AddBlock(TGBasePanel& panel, int left, int top, int width, int height) {
    auto* b = static_cast<TBlock*>(panel.AddObject(std::make_unique<TBlock>()));
    b->Loaded();
    b->SetBounds(left, top, width, height);
    return b;
}

// Replaces the millisecond clock while it lives; time moves only when the test says so.
class TScriptedClock {
public:
    TScriptedClock() {
        TTickClock::Install([this] { return FNow; });
    }
    ~TScriptedClock() { TTickClock::Install({}); }
    void Advance(qint64 ms) { FNow += ms; }

private:
    qint64 FNow = 100000;
};

// The headless platform can't grab the mouse or keyboard for real and says so on every
// grab; the widget-level grab the tests rely on still works, so those lines are dropped.
inline void QuietGrabWarnings() {
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (message.startsWith(QLatin1String("This plugin does not support")))
                return;
            previous(type, context, message);
        });
}
