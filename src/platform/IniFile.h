#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

// A settings file in the private-profile format: "[Section]" header lines followed by
// "Key=Value" lines. Sections and keys match without regard to letter case; a value is the
// rest of its line after the first '='. Writing a key rewrites only that key's line (or adds
// one) and keeps every other line byte for byte; the file is replaced atomically.
//
// A missing, unreadable or oversized file reads as empty, so every read yields its default.
// A file that exists but could not be read is never written over: writes then fail.
class TIniFile {
public:
    explicit TIniFile(const QString& fileName);
    // Settings text held in memory only: it reads as a file of these bytes would, and
    // writes change the text without touching any file.
    static TIniFile FromBytes(const QByteArray& bytes);
    // The text as it stands, as it would be written.
    QByteArray Bytes() const;

    const QString& FileName() const { return FFileName; }

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    // Decimal, or hexadecimal after "0x"/"0X"; any other text gives the default.
    int ReadInteger(const QString& section, const QString& key, int def) const;
    // Any non-zero integer is true; text that is no integer gives the default.
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    bool SectionExists(const QString& section) const;
    // The key lines of a section in file order, as (key, value).
    QList<QPair<QString, QString>> ReadSectionValues(const QString& section) const;

    // Each write goes to the file at once; false when the file could not be written.
    bool WriteString(const QString& section, const QString& key, const QString& value);
    bool WriteInteger(const QString& section, const QString& key, int value);
    bool WriteBool(const QString& section, const QString& key, bool value); // "1" / "0"
    bool EraseSection(const QString& section);

    // Between these, writes collect in memory and EndUpdate replaces the file once.
    void BeginUpdate() { FDeferred = true; }
    bool EndUpdate();

    // The integer rule of ReadInteger, for other readers of such values.
    static std::optional<int> ParseInteger(const QString& text);
    // The file called name in folder, matched without regard to case; folder + name when
    // no such file exists yet.
    static QString FindFile(const QString& folder, const QString& name);

    // Files above this size are treated as damaged.
    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

private:
    struct TLocation {
        int SectionLine = -1; // header line, -1 when the section is missing
        int KeyLine = -1;     // key line, -1 when the key is missing
        int EndLine = 0;      // one past the section's last non-blank line
    };

    void Load();
    // Classifies the lines of FData.
    void Parse();
    // Replaces length bytes of the text at from with bytes, then classifies the lines anew.
    void Splice(qsizetype from, qsizetype length, const QByteArray& bytes);
    // Puts line before line index, or at the end when index is the line count.
    void InsertLine(int index, const QByteArray& line);
    bool Save();
    bool Commit(); // saves now, or marks the file dirty while updates are deferred
    TLocation Locate(const QString& section, const QString& key) const;
    QByteArray LineEnding() const;

    // A line of FData, classified once so that look-ups only compare names. Plain ASCII
    // lines are read in place; any other line is decoded once into FDecoded.
    struct TLine {
        enum TKind : char { Other, Blank, Header, Key };
        int From = 0;   // first byte in FData
        int Length = 0; // up to its '\n'; a '\r' stays part of the line
        int Text = -1;  // its decoded text in FDecoded, or -1 when the bytes are the text
        // Where in the text (in FData when Text is -1) the section of a header or the key
        // of a key line lies, and a key line's value: the rest after its first '='.
        int NameFrom = 0, NameLength = 0;
        int ValueFrom = 0, ValueLength = 0;
        TKind Kind = Other;
    };
    void Classify(TLine& line);
    // Classifies text, the line without its '\r' and byte-order mark; offsets are into text.
    template <typename View> static void Shape(View text, TLine& line);
    bool NameIs(const TLine& line, QStringView name) const;
    QString Name(const TLine& line) const;
    QString Value(const TLine& line) const;

    QString FFileName;
    QByteArray FData; // the text, as it would be written
    QList<TLine> FLines;
    QStringList FDecoded;
    // Every section's header line and one past its last non-blank line, in file order, so
    // that a look-up passes over the headers and one section's lines.
    struct TSectionLines {
        int HeaderLine, EndLine;
    };
    QList<TSectionLines> FSections;
    bool FWritable = true; // false when an existing file could not be read
    bool FDeferred = false;
    bool FDirty = false;
    bool FInMemory = false;
};

// The program's settings file, "PTV.INI" in the program folder, whatever the case of its name.
QString SettingsFileName();
