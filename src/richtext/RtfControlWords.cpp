#include "richtext/RtfControlWords.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

struct TEntry {
    std::string_view Name;
    TRtfWordInfo Info;
};

using W = TRtfWord;

const std::vector<TEntry>& table() {
    static const std::vector<TEntry> entries = [] {
        std::vector<TEntry> e = {
            {"u", {W::Unicode}},
            {"uc", {W::UnicodeSkip}},
            {"ansicpg", {W::CodePage}},
            {"deff", {W::DefaultFont}},
            {"fcharset", {W::Charset}},
            {"fonttbl", {W::FontTable}},
            {"colortbl", {W::ColorTable}},
            {"red", {W::Red}},
            {"green", {W::Green}},
            {"blue", {W::Blue}},
            {"par", {W::Paragraph}},
            {"row", {W::Paragraph}},
            {"page", {W::Paragraph}},
            {"sect", {W::Paragraph}},
            {"plain", {W::Plain}},
            {"b", {W::Bold}},
            {"i", {W::Italic}},
            {"ul", {W::Underline}},
            {"uld", {W::Underline}},
            {"uldb", {W::Underline}},
            {"ulw", {W::Underline}},
            {"ulth", {W::Underline}},
            {"uldash", {W::Underline}},
            {"ulnone", {W::UnderlineNone}},
            {"strike", {W::Strike}},
            {"fs", {W::FontSize}},
            {"f", {W::Font}},
            {"cf", {W::ForeColor}},
            {"highlight", {W::BackColor}},
            {"cb", {W::BackColor}},
            {"super", {W::Super}},
            {"sub", {W::Sub}},
            {"nosupersub", {W::NoSuperSub}},
            {"pard", {W::ParagraphDefaults}},
            {"ql", {W::AlignLeft}},
            {"qr", {W::AlignRight}},
            {"qc", {W::AlignCenter}},
            {"qj", {W::AlignJustify}},
            {"li", {W::LeftIndent}},
            {"ri", {W::RightIndent}},
            {"fi", {W::FirstIndent}},
            {"sb", {W::SpaceBefore}},
            {"sa", {W::SpaceAfter}},
            {"tab", {W::Character, u'\t'}},
            {"cell", {W::Character, u'\t'}},
            {"line", {W::Character, 0x2028}},
            {"bullet", {W::Character, 0x2022}},
            {"emdash", {W::Character, 0x2014}},
            {"endash", {W::Character, 0x2013}},
            {"emspace", {W::Character, 0x2003}},
            {"enspace", {W::Character, 0x2002}},
            {"qmspace", {W::Character, 0x2005}},
            {"lquote", {W::Character, 0x2018}},
            {"rquote", {W::Character, 0x2019}},
            {"ldblquote", {W::Character, 0x201C}},
            {"rdblquote", {W::Character, 0x201D}},
        };
        // Destinations whose content is not part of the visible text.
        for (const std::string_view name : {"aftncn",
                                            "aftnsep",
                                            "aftnsepc",
                                            "annotation",
                                            "atnauthor",
                                            "atnid",
                                            "author",
                                            "bkmkend",
                                            "bkmkstart",
                                            "buptim",
                                            "category",
                                            "colorschememapping",
                                            "comment",
                                            "company",
                                            "creatim",
                                            "datastore",
                                            "doccomm",
                                            "filetbl",
                                            "fldinst",
                                            "footer",
                                            "footerf",
                                            "footerl",
                                            "footerr",
                                            "footnote",
                                            "ftncn",
                                            "ftnsep",
                                            "ftnsepc",
                                            "generator",
                                            "header",
                                            "headerf",
                                            "headerl",
                                            "headerr",
                                            "hlinkbase",
                                            "info",
                                            "keywords",
                                            "latentstyles",
                                            "listoverridetable",
                                            "listtable",
                                            "manager",
                                            "nonshppict",
                                            "object",
                                            "objdata",
                                            "operator",
                                            "pgdsctbl",
                                            "pict",
                                            "printim",
                                            "revtbl",
                                            "revtim",
                                            "rsidtbl",
                                            "rxe",
                                            "stylesheet",
                                            "subject",
                                            "tc",
                                            "template",
                                            "themedata",
                                            "title",
                                            "txe",
                                            "userprops",
                                            "xe",
                                            "xmlnstbl"})
            e.push_back({name, {W::SkippedDestination}});
        std::sort(e.begin(), e.end(),
                  [](const TEntry& a, const TEntry& b) { return a.Name < b.Name; });
        return e;
    }();
    return entries;
}

} // namespace

TRtfWordInfo LookUpRtfWord(QByteArrayView word) {
    const std::string_view name(word.data(), size_t(word.size()));
    const std::vector<TEntry>& t = table();
    const auto it = std::lower_bound(
        t.begin(), t.end(), name, [](const TEntry& e, std::string_view n) { return e.Name < n; });
    return it != t.end() && it->Name == name ? it->Info : TRtfWordInfo();
}
