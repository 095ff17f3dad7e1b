#pragma once

#include "surface/BasePanel.h"
#include "surface/ClassRegistry.h"
#include "surface/GraphicControl.h"
#include "surface/ObjectStream.h"

// A design object with a published property of every type, for stream tests, the fuzz
// target and the benchmarks. Registered as "TAllTypes".
class TAllTypes : public TGGraphicControl {
public:
    QString ClassName() const override { return QStringLiteral("TAllTypes"); }
    const TPropertyList& Properties() const override { return ClassProperties(); }
    void Loaded() override {
        TGGraphicControl::Loaded();
        ++LoadedCalls;
    }

    int Count = 0;
    int Align = 0; // taLeftJustify, taRightJustify, taCenter
    unsigned Options = 0;
    TColor BackColor = clWhite;
    QString Letter = QStringLiteral("x");
    double Ratio = 0;
    QString Caption;
    QStringList Lines;
    QByteArray Data;
    TFont Font;
    TPen Pen;
    TBrush Brush;
    bool Flag = false;
    int LoadedCalls = 0;
    bool ReadingSeenBySetter = false;

    static const TPropertyList& ClassProperties() {
        using C = TAllTypes;
        static const TPropertyList list = [] {
            TPropertyList l = TGGraphicControl::ClassProperties();
            l.push_back(Published<C>(
                "Count", TPropType::Integer, [](const C& o) { return o.Count; },
                [](C& o, const QVariant& v) {
                    o.Count = v.toInt();
                    o.ReadingSeenBySetter = o.Reading();
                },
                0));
            l.push_back(Published<C>(
                "Align", TPropType::Enumeration, [](const C& o) { return o.Align; },
                [](C& o, const QVariant& v) { o.Align = v.toInt(); }, 0,
                {"taLeftJustify", "taRightJustify", "taCenter"}));
            l.push_back(Published<C>(
                "Options", TPropType::Set, [](const C& o) { return o.Options; },
                [](C& o, const QVariant& v) { o.Options = v.toUInt(); }, 0,
                {"opFirst", "opSecond", "opThird"}));
            l.push_back(Published<C>(
                "BackColor", TPropType::Color, [](const C& o) { return o.BackColor; },
                [](C& o, const QVariant& v) { o.BackColor = v.toInt(); }));
            l.push_back(Published<C>(
                "Letter", TPropType::Char, [](const C& o) { return o.Letter; },
                [](C& o, const QVariant& v) { o.Letter = v.toString(); }));
            l.push_back(Published<C>(
                "Ratio", TPropType::Float, [](const C& o) { return o.Ratio; },
                [](C& o, const QVariant& v) { o.Ratio = v.toDouble(); }));
            l.push_back(Published<C>(
                "Caption", TPropType::String, [](const C& o) { return o.Caption; },
                [](C& o, const QVariant& v) { o.Caption = v.toString(); }));
            l.push_back(Published<C>(
                "Items.Strings", TPropType::StringList, [](const C& o) { return o.Lines; },
                [](C& o, const QVariant& v) { o.Lines = v.toStringList(); }));
            l.push_back(Published<C>(
                "Picture.Data", TPropType::Binary, [](const C& o) { return o.Data; },
                [](C& o, const QVariant& v) { o.Data = v.toByteArray(); }));
            AddFontProperties<C>(
                l, "Font", [](const C& o) -> const TFont& { return o.Font; },
                [](C& o, const TFont& f) { o.Font = f; });
            AddPenProperties<C>(
                l, "Pen", [](const C& o) -> const TPen& { return o.Pen; },
                [](C& o, const TPen& p) { o.Pen = p; });
            AddBrushProperties<C>(
                l, "Brush", [](const C& o) -> const TBrush& { return o.Brush; },
                [](C& o, const TBrush& b) { o.Brush = b; });
            l.push_back(Published<C>(
                "Flag", TPropType::Boolean, [](const C& o) { return o.Flag; },
                [](C& o, const QVariant& v) { o.Flag = v.toBool(); }, 0));
            TPropertyInfo readOnly;
            readOnly.Name = QStringLiteral("Fixed");
            readOnly.Type = TPropType::Integer;
            readOnly.Get = [](const TGGraphicControl&) { return QVariant(7); };
            l.push_back(readOnly);
            return l;
        }();
        return list;
    }

    static void Register() {
        TClassRegistry::Register(QStringLiteral("TAllTypes"),
                                 [] { return std::make_unique<TAllTypes>(); });
    }
};

// An object whose property fails while the file is being written.
class TFailingObject : public TGGraphicControl {
public:
    QString ClassName() const override { return QStringLiteral("TFailing"); }
    const TPropertyList& Properties() const override {
        static const TPropertyList list = [] {
            TPropertyList l = TGGraphicControl::ClassProperties();
            TPropertyInfo p;
            p.Name = QStringLiteral("Broken");
            p.Type = TPropType::Integer;
            p.Get = [](const TGGraphicControl&) -> QVariant {
                ThrowStreamError(StreamMessage::WriteError);
            };
            p.Set = [](TGGraphicControl&, const QVariant&) {};
            l.push_back(p);
            return l;
        }();
        return list;
    }
};

// Puts `count` objects of every property type on the panel, each with its own values.
inline void FillAllTypesDesign(TGBasePanel& panel, int count) {
    for (int i = 0; i < count; ++i) {
        auto* o = static_cast<TAllTypes*>(panel.AddObject(std::make_unique<TAllTypes>()));
        o->SetName(QStringLiteral("Component%1").arg(i));
        o->SetBounds(i % 300, i % 180, 40 + i % 50, 15);
        o->Caption = QStringLiteral("Business card line %1").arg(i);
        o->Font.Color = i % 2 ? clRed : 0x123456;
        o->Font.Style = i % 4;
        o->Align = i % 3;
        o->Lines = {QStringLiteral("first"), QStringLiteral("second")};
    }
}
