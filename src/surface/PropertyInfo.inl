// Templates of PropertyInfo.h, kept apart so the header stays readable.

template <class C, class V, class F>
TPropertyInfo NestedProperty(const QString& name, TPropType type, std::optional<qint64> def,
                             QStringList names, std::function<const V&(const C&)> get,
                             std::function<void(C&, const V&)> set, F field) {
    TPropertyInfo p;
    p.Name = name;
    p.Type = type;
    p.Default = def;
    p.Names = std::move(names);
    p.Get = [get, field](const TGGraphicControl& o) {
        V v = get(static_cast<const C&>(o));
        return QVariant::fromValue(field(v));
    };
    p.Set = [get, set, field](TGGraphicControl& o, const QVariant& value) {
        C& c = static_cast<C&>(o);
        V v = get(c);
        auto& ref = field(v);
        ref = value.value<std::remove_reference_t<decltype(ref)>>();
        set(c, v);
    };
    return p;
}

template <class C>
void AddFontProperties(TPropertyList& list, const QString& prefix,
                       std::function<const TFont&(const C&)> get,
                       std::function<void(C&, const TFont&)> set) {
    const QString p = prefix + '.';
    // Charset and Pitch are written only when a stored file brought other values.
    list.push_back(NestedProperty<C, TFont>(p + "Charset", TPropType::Charset, DEFAULT_CHARSET, {},
                                            get, set, [](TFont& f) -> int& { return f.Charset; }));
    list.push_back(NestedProperty<C, TFont>(p + "Color", TPropType::Color, std::nullopt, {}, get,
                                            set, [](TFont& f) -> int& { return f.Color; }));
    list.push_back(NestedProperty<C, TFont>(p + "Height", TPropType::Integer, std::nullopt, {}, get,
                                            set, [](TFont& f) -> int& { return f.Height; }));
    TPropertyInfo name =
        NestedProperty<C, TFont>(p + "Name", TPropType::String, std::nullopt, {}, get, set,
                                 [](TFont& f) -> QString& { return f.Name; });
    // An empty name is not written, so one read from a file would come back as the default
    // font next time: it reads as the default font at once.
    name.Set = [setName = name.Set](TGGraphicControl& o, const QVariant& v) {
        setName(o, v.toString().isEmpty() ? QVariant(TFont().Name) : v);
    };
    list.push_back(std::move(name));
    list.push_back(NestedProperty<C, TFont>(p + "Pitch", TPropType::Enumeration, fpDefault,
                                            FontPitchNames(), get, set,
                                            [](TFont& f) -> int& { return f.Pitch; }));
    list.push_back(NestedProperty<C, TFont>(p + "Style", TPropType::Set, std::nullopt,
                                            FontStyleNames(), get, set,
                                            [](TFont& f) -> unsigned& { return f.Style; }));
}

template <class C>
void AddPenProperties(TPropertyList& list, const QString& prefix,
                      std::function<const TPen&(const C&)> get,
                      std::function<void(C&, const TPen&)> set) {
    const QString p = prefix + '.';
    list.push_back(NestedProperty<C, TPen>(p + "Color", TPropType::Color, clBlack, {}, get, set,
                                           [](TPen& v) -> int& { return v.Color; }));
    list.push_back(NestedProperty<C, TPen>(p + "Mode", TPropType::Enumeration, pmCopy,
                                           PenModeNames(), get, set,
                                           [](TPen& v) -> int& { return v.Mode; }));
    list.push_back(NestedProperty<C, TPen>(p + "Style", TPropType::Enumeration, psSolid,
                                           PenStyleNames(), get, set,
                                           [](TPen& v) -> int& { return v.Style; }));
    list.push_back(NestedProperty<C, TPen>(p + "Width", TPropType::Integer, 1, {}, get, set,
                                           [](TPen& v) -> int& { return v.Width; }));
}

template <class C>
void AddBrushProperties(TPropertyList& list, const QString& prefix,
                        std::function<const TBrush&(const C&)> get,
                        std::function<void(C&, const TBrush&)> set) {
    const QString p = prefix + '.';
    list.push_back(NestedProperty<C, TBrush>(p + "Color", TPropType::Color, clWhite, {}, get, set,
                                             [](TBrush& v) -> int& { return v.Color; }));
    list.push_back(NestedProperty<C, TBrush>(p + "Style", TPropType::Enumeration, bsSolid,
                                             BrushStyleNames(), get, set,
                                             [](TBrush& v) -> int& { return v.Style; }));
}
