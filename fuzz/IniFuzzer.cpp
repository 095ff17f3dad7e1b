// Settings file bytes in: reading must never fail, writing one key must keep the rest, and
// the preferences read from them must lie within what the dialogs accept.
#include "support/IniRoundTrip.h"

#include "app/Preferences.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool withinDialogs(const TPreferences& p) {
    const TCardLayout& l = p.Layout;
    const TPrinterNudges& n = p.Nudges;
    auto length = [](float v) { return v >= 0 && v <= MaxLayoutInches; };
    auto nudge = [](int v) { return v >= -MaxNudge && v <= MaxNudge; };
    return l.Across >= 1 && l.Across <= MaxAcross && l.Down >= 1 && l.Down <= MaxDown &&
           length(l.Height) && length(l.Width) && length(l.TopMargin) && length(l.LeftMargin) &&
           length(l.HPitch) && length(l.VPitch) && l.PredefLayout >= 0 &&
           l.PredefLayout < int(PredefinedCardStocks().size()) &&
           (l.Papersize == 1 || l.Papersize == 9) && nudge(n.TopMarginNudge) &&
           nudge(n.LeftMarginNudge) && nudge(n.VerticalSpacing) && nudge(n.HorizontalSpacing) &&
           p.DefaultFont.Size >= MinFontSize && p.DefaultFont.Size <= MaxFontSize &&
           p.DefaultFont.Name.size() <= MaxFontNameLength;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TIniFile ini = TIniFile::FromBytes(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!withinDialogs(ReadPreferences(ini)) || !IniRoundTripHolds(ini))
        std::abort();
    return 0;
}
