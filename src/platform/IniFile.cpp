#include "platform/IniFile.h"

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// A line's text: UTF-8 when it is valid UTF-8, otherwise Latin-1 so that files written by
// other programs in a one-byte code page still read.
QString decodeLine(QByteArrayView line) {
    if (line.endsWith('\r'))
        line.chop(1);
    // Editors that save UTF-8 put a byte-order mark before the first line.
    if (line.startsWith("\xEF\xBB\xBF"))
        line = line.sliced(3);
    return line.isValidUtf8() ? QString::fromUtf8(line) : QString::fromLatin1(line);
}

// The section named by a header line, or nothing when the line is no header.
std::optional<QStringView> headerName(QStringView text) {
    const QStringView t = text.trimmed();
    if (!t.startsWith(u'['))
        return std::nullopt;
    const qsizetype close = t.indexOf(u']');
    return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

// The key of a key line; nothing for blank lines, comments and lines without '='.
std::optional<QStringView> keyOf(QStringView text) {
    const qsizetype eq = text.indexOf(u'=');
    if (eq < 0 || text.trimmed().startsWith(u';'))
        return std::nullopt;
    return text.left(eq).trimmed();
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
    FLines.clear();
    FSplit = false;
    FTexts.clear();
    FSections.clear();
    FTrailingNewline = true;
    FWritable = true;
    const QFileInfo info(FFileName);
    if (!info.exists())
        return;
    QFile file(FFileName);
    if (!info.isFile() || info.size() > MaxFileSize || !file.open(QIODevice::ReadOnly)) {
        FWritable = false;
        return;
    }
    const QByteArray data = file.read(MaxFileSize + 1);
    if (data.size() > MaxFileSize) {
        FWritable = false;
        return;
    }
    Parse(data);
}

void TIniFile::Parse(const QByteArray& data) {
    FData = data;
    if (data.isEmpty())
        return;
    FTrailingNewline = data.endsWith('\n');
    FTexts.reserve(data.count('\n') + 1);
    // The lines as split at '\n' would give them, without the empty piece after a final one.
    for (qsizetype pos = 0; pos < data.size();) {
        qsizetype end = data.indexOf('\n', pos);
        if (end < 0)
            end = data.size();
        FTexts.append(Classify(QByteArrayView(data).sliced(pos, end - pos)));
        pos = end + 1;
    }
    IndexSections();
}

void TIniFile::SplitLines() {
    if (FSplit)
        return;
    FSplit = true;
    if (!FData.isEmpty()) {
        FLines = FData.split('\n');
        if (FTrailingNewline)
            FLines.removeLast();
    }
    FData.clear();
}

TIniFile::TLineText TIniFile::Classify(QByteArrayView line) {
    TLineText t;
    t.Text = decodeLine(line);
    auto name = [&t](TLineText::TKind kind, QStringView view) {
        t.Kind = kind;
        t.NameFrom = view.data() - t.Text.constData();
        t.NameLength = view.size();
    };
    if (const auto section = headerName(t.Text))
        name(TLineText::Header, *section);
    else if (const auto key = keyOf(t.Text))
        name(TLineText::Key, *key);
    else if (QStringView(t.Text).trimmed().isEmpty())
        t.Kind = TLineText::Blank;
    return t;
}

void TIniFile::SetLine(int index, const QByteArray& line) {
    FLines[index] = line;
    FTexts[index] = Classify(line);
    IndexSections();
}

void TIniFile::InsertLine(int index, const QByteArray& line) {
    FLines.insert(index, line);
    FTexts.insert(index, Classify(line));
    IndexSections();
}

TIniFile TIniFile::FromBytes(const QByteArray& bytes) {
    TIniFile ini{QString()};
    ini.FInMemory = true;
    if (bytes.size() > MaxFileSize)
        ini.FWritable = false;
    else
        ini.Parse(bytes);
    return ini;
}

QByteArray TIniFile::Bytes() const {
    if (!FSplit)
        return FData;
    QByteArray data = FLines.join('\n');
    if (FTrailingNewline && !FLines.isEmpty())
        data += '\n';
    return data;
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
    return !FLines.isEmpty() && FLines.first().endsWith('\r') ? QByteArray("\r") : QByteArray();
}

void TIniFile::IndexSections() {
    FSections.clear();
    for (int i = 0; i < FTexts.size(); ++i) {
        const TLineText& line = FTexts[i];
        if (line.Kind == TLineText::Header)
            FSections.append({i, i + 1});
        else if (line.Kind != TLineText::Blank && !FSections.isEmpty())
            FSections.last().EndLine = i + 1;
    }
}

TIniFile::TLocation TIniFile::Locate(const QString& section, const QString& key) const {
    TLocation loc;
    // Only the first section of that name counts.
    for (const TSectionLines& s : FSections) {
        if (!sameName(FTexts[s.HeaderLine].Name(), section))
            continue;
        loc.SectionLine = s.HeaderLine;
        loc.EndLine = s.EndLine;
        for (int i = s.HeaderLine + 1; !key.isEmpty() && i < s.EndLine; ++i) {
            const TLineText& line = FTexts[i];
            if (line.Kind == TLineText::Key && sameName(line.Name(), key)) {
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
    return FTexts[loc.KeyLine].Value().toString();
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
        if (FTexts[i].Kind == TLineText::Key)
            values.append({FTexts[i].Name().toString(), FTexts[i].Value().toString()});
    return values;
}

bool TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    if (!FWritable)
        return false;
    SplitLines();
    const QByteArray eol = LineEnding();
    const QByteArray line = key.toUtf8() + '=' + oneLine(value).toUtf8() + eol;
    const TLocation loc = Locate(section, key);
    if (loc.KeyLine >= 0) {
        if (FLines[loc.KeyLine] == line)
            return true;
        SetLine(loc.KeyLine, line);
    } else if (loc.SectionLine >= 0) {
        InsertLine(loc.EndLine, line);
    } else {
        InsertLine(FLines.size(), '[' + section.toUtf8() + ']' + eol);
        InsertLine(FLines.size(), line);
        FTrailingNewline = true;
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
    SplitLines();
    bool erased = false;
    for (TLocation loc = Locate(section, QString()); loc.SectionLine >= 0;
         loc = Locate(section, QString())) {
        FLines.erase(FLines.begin() + loc.SectionLine, FLines.begin() + loc.EndLine);
        FTexts.erase(FTexts.begin() + loc.SectionLine, FTexts.begin() + loc.EndLine);
        IndexSections();
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
