#include "richtext/RtfControlWords.h"

#include <array>
#include <cstring>
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
        return e;
    }();
    return entries;
}

// An open-addressed hash table over the entries: one short loop per look-up, cheap even in
// the unoptimised, instrumented builds that fuzz the reader.
constexpr size_t kSlots = 512; // a power of two, well above the number of entries

size_t hashOf(const char* data, size_t size) {
    size_t h = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        h = (h ^ static_cast<unsigned char>(data[i])) * 16777619u;
    return h & (kSlots - 1);
}

const std::array<const TEntry*, kSlots>& hashTable() {
    static const std::array<const TEntry*, kSlots> s = [] {
        std::array<const TEntry*, kSlots> a{};
        for (const TEntry& e : table()) {
            size_t i = hashOf(e.Name.data(), e.Name.size());
            while (a[i])
                i = (i + 1) & (kSlots - 1);
            a[i] = &e;
        }
        return a;
    }();
    return s;
}

} // namespace

TRtfWordInfo LookUpRtfWord(QByteArrayView word) {
    const auto& s = hashTable();
    const size_t size = size_t(word.size());
    for (size_t i = hashOf(word.data(), size); s[i]; i = (i + 1) & (kSlots - 1))
        if (s[i]->Name.size() == size && std::memcmp(s[i]->Name.data(), word.data(), size) == 0)
            return s[i]->Info;
    return {};
}
