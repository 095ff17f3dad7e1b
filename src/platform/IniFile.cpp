#include "platform/IniFile.h"

#include "platform/ProgramFolder.h"
#include "platform/RegularFile.h"

#include <QDir>
#include <QSaveFile>

namespace {

// Plain ASCII reads the same in every encoding a settings file may be in.
bool isAscii(QByteArrayView bytes) {
    unsigned char all = 0;
    for (const char c : bytes)
        all |= static_cast<unsigned char>(c);
    return all < 0x80;
}

// Names of different lengths never match: letter case is folded one code unit at a time.
bool sameName(QStringView a, QStringView b) {
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// A value must stay on its own line: line breaks inside it would start new keys.
QString oneLine(QString value) {
    value.replace('\r', ' ');
    value.replace('\n', ' ');
    return value;
}

} // namespace

TIniFile::TIniFile(const QString& fileName) : FFileName(fileName) {
    Load();
}

void TIniFile::Load() {
    FData.clear();
    Parse();
    FWritable = true;
    TFileBytes file = ReadRegularFile(FFileName, MaxFileSize);
    if (file.Result == TFileRead::Missing)
        return;
    if (file.Result != TFileRead::Read || file.Truncated) {
        FWritable = false;
        return;
    }
    FData = std::move(file.Bytes);
    Parse();
}

void TIniFile::Parse() {
    FLines.clear();
    FDecoded.clear();
    FSections.clear();
    if (FData.isEmpty())
        return;
    FLines.reserve(FData.count('\n') + 1);
    // The lines as split at '\n' would give them, without the empty piece after a final one.
    for (qsizetype pos = 0; pos < FData.size();) {
        qsizetype end = FData.indexOf('\n', pos);
        if (end < 0)
            end = FData.size();
        TLine& line = FLines.emplaceBack();
        line.From = int(pos);
        line.Length = int(end - pos);
        Classify(line);
        const int index = int(FLines.size()) - 1;
        if (line.Kind == TLine::Header)
            FSections.append({index, index + 1});
        else if (line.Kind != TLine::Blank && !FSections.isEmpty())
            FSections.last().EndLine = index + 1;
        pos = end + 1;
    }
}

void TIniFile::Classify(TLine& line) {
    QByteArrayView bytes = QByteArrayView(FData).sliced(line.From, line.Length);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    // Editors that save UTF-8 put a byte-order mark before the first line.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    if (isAscii(bytes)) {
        Shape(QLatin1StringView(bytes), line);
        const int base = int(bytes.data() - FData.constData());
        line.NameFrom += base;
        line.ValueFrom += base;
        return;
    }
    // UTF-8 when it is valid UTF-8, otherwise Latin-1 so that files written by other
    // programs in a one-byte code page still read.
    line.Text = int(FDecoded.size());
    FDecoded.append(bytes.isValidUtf8() ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes));
    Shape(QStringView(FDecoded.last()), line);
}

template <typename View> void TIniFile::Shape(View text, TLine& line) {
    auto name = [&](TLine::TKind kind, View view) {
        line.Kind = kind;
        line.NameFrom = int(view.data() - text.data());
        line.NameLength = int(view.size());
    };
    const View trimmed = text.trimmed();
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.indexOf(u']');
        name(TLine::Header, (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed());
        return;
    }
    // Blank lines, comments and lines without '=' have no key.
    const qsizetype eq = text.indexOf(u'=');
    if (eq >= 0 && !trimmed.startsWith(u';')) {
        name(TLine::Key, text.left(eq).trimmed());
        line.ValueFrom = int(eq + 1);
        line.ValueLength = int(text.size() - eq - 1);
        return;
    }
    if (trimmed.isEmpty())
        line.Kind = TLine::Blank;
}

bool TIniFile::NameIs(const TLine& line, QStringView name) const {
    if (line.NameLength != name.size())
        return false;
    if (line.Text < 0)
        return name.compare(QLatin1StringView(FData.constData() + line.NameFrom, line.NameLength),
                            Qt::CaseInsensitive) == 0;
    return sameName(QStringView(FDecoded[line.Text]).sliced(line.NameFrom, line.NameLength), name);
}

QString TIniFile::Name(const TLine& line) const {
    if (line.Text < 0)
        return QString::fromLatin1(FData.constData() + line.NameFrom, line.NameLength);
    return FDecoded[line.Text].sliced(line.NameFrom, line.NameLength);
}

QString TIniFile::Value(const TLine& line) const {
    if (line.Text < 0)
        return QString::fromLatin1(FData.constData() + line.ValueFrom, line.ValueLength);
    return FDecoded[line.Text].sliced(line.ValueFrom, line.ValueLength);
}

void TIniFile::Splice(qsizetype from, qsizetype length, const QByteArray& bytes) {
    FData.replace(from, length, bytes);
    Parse();
}

void TIniFile::InsertLine(int index, const QByteArray& line) {
    if (index < FLines.size())
        Splice(FLines[index].From, 0, line + '\n');
    else if (!FData.isEmpty() && !FData.endsWith('\n'))
        Splice(FData.size(), 0, '\n' + line); // the text goes on without a final line break
    else
        Splice(FData.size(), 0, line + '\n');
}

TIniFile TIniFile::FromBytes(const QByteArray& bytes) {
    TIniFile ini{QString()};
    ini.FInMemory = true;
    if (bytes.size() > MaxFileSize) {
        ini.FWritable = false;
    } else {
        ini.FData = bytes;
        ini.Parse();
    }
    return ini;
}

QByteArray TIniFile::Bytes() const {
    return FData;
}

bool TIniFile::Save() {
    if (!FWritable)
        return false;
    if (FInMemory)
        return true;
    QSaveFile file(FFileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(Bytes());
    return file.commit();
}

bool TIniFile::Commit() {
    if (!FDeferred)
        return Save();
    FDirty = true;
    return FWritable;
}

bool TIniFile::EndUpdate() {
    FDeferred = false;
    if (!FDirty)
        return FWritable;
    FDirty = false;
    return Save();
}

QByteArray TIniFile::LineEnding() const {
    return !FLines.isEmpty() && FLines.first().Length > 0 &&
                   FData.at(FLines.first().Length - 1) == '\r'
               ? QByteArray("\r")
               : QByteArray();
}

TIniFile::TLocation TIniFile::Locate(const QString& section, const QString& key) const {
    TLocation loc;
    // Only the first section of that name counts.
    for (const TSectionLines& s : FSections) {
        if (!NameIs(FLines[s.HeaderLine], section))
            continue;
        loc.SectionLine = s.HeaderLine;
        loc.EndLine = s.EndLine;
        for (int i = s.HeaderLine + 1; !key.isEmpty() && i < s.EndLine; ++i) {
            const TLine& line = FLines[i];
            if (line.Kind == TLine::Key && NameIs(line, key)) {
                loc.KeyLine = i;
                break;
            }
        }
        break;
    }
    return loc;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
    const TLocation loc = Locate(section, key);
    if (loc.KeyLine < 0)
        return def;
    return Value(FLines[loc.KeyLine]);
}

std::optional<int> TIniFile::ParseInteger(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const uint v = t.mid(2).toUInt(&ok, 16);
        return ok ? std::optional<int>(int(v)) : std::nullopt;
    }
    const int v = t.toInt(&ok, 10);
    return ok ? std::optional<int>(v) : std::nullopt;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const {
    return ParseInteger(ReadString(section, key, QString())).value_or(def);
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const {
    const auto v = ParseInteger(ReadString(section, key, QString()));
    return v ? *v != 0 : def;
}

bool TIniFile::SectionExists(const QString& section) const {
    return Locate(section, QString()).SectionLine >= 0;
}

QList<QPair<QString, QString>> TIniFile::ReadSectionValues(const QString& section) const {
    QList<QPair<QString, QString>> values;
    const TLocation loc = Locate(section, QString());
    if (loc.SectionLine < 0)
        return values;
    for (int i = loc.SectionLine + 1; i < loc.EndLine; ++i)
        if (FLines[i].Kind == TLine::Key)
            values.append({Name(FLines[i]), Value(FLines[i])});
    return values;
}

bool TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    if (!FWritable)
        return false;
    const QByteArray eol = LineEnding();
    const QByteArray line = key.toUtf8() + '=' + oneLine(value).toUtf8() + eol;
    const TLocation loc = Locate(section, key);
    if (loc.KeyLine >= 0) {
        const TLine& old = FLines[loc.KeyLine];
        if (QByteArrayView(FData).sliced(old.From, old.Length) == line)
            return true;
        Splice(old.From, old.Length, line);
    } else if (loc.SectionLine >= 0) {
        InsertLine(loc.EndLine, line);
    } else {
        // A new section goes at the end, and the text then ends with a line break.
        QByteArray added = '[' + section.toUtf8() + ']' + eol + '\n' + line + '\n';
        if (!FData.isEmpty() && !FData.endsWith('\n'))
            added.prepend('\n');
        Splice(FData.size(), 0, added);
    }
    return Commit();
}

bool TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
    return WriteString(section, key, QString::number(value));
}

bool TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TIniFile::EraseSection(const QString& section) {
    if (!FWritable)
        return false;
    bool erased = false;
    for (TLocation loc = Locate(section, QString()); loc.SectionLine >= 0;
         loc = Locate(section, QString())) {
        qsizetype from = FLines[loc.SectionLine].From;
        const qsizetype to = loc.EndLine < FLines.size() ? FLines[loc.EndLine].From : FData.size();
        // Erasing the last lines of a text without a final line break takes the break
        // before them, so that it still ends without one.
        if (to == FData.size() && !FData.endsWith('\n') && from > 0)
            --from;
        Splice(from, to - from, QByteArray());
        erased = true;
    }
    return erased ? Commit() : true;
}

QString TIniFile::FindFile(const QString& folder, const QString& name) {
    const QDir dir(folder);
    if (dir.exists(name))
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries)
        if (sameName(entry, name))
            return dir.filePath(entry);
    return dir.filePath(name);
}

QString SettingsFileName() {
    return TIniFile::FindFile(ProgramFolder(), QStringLiteral("PTV.INI"));
}
