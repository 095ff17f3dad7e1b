#include "merge/VCardReader.h"

#include "merge/TextBytes.h"
#include "platform/Windows1252.h"

#include <QSet>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace {

// The columns a list of cards can have, in the order they are listed.
enum TColumn {
    FullName,
    FirstName,
    LastName,
    MiddleName,
    Prefix,
    Suffix,
    Title,
    Organization,
    Department,
    Phone,
    WorkPhone,
    HomePhone,
    Mobile,
    Fax,
    Email,
    Street,
    City,
    Region,
    PostalCode,
    Country,
    Address,
    WebSite,
    Note,
    ColumnCount
};
constexpr std::array<const char*, ColumnCount> kColumns{
    "Full Name",   "First Name",   "Last Name",  "Middle Name", "Prefix",     "Suffix",
    "Title",       "Organization", "Department", "Phone",       "Work Phone", "Home Phone",
    "Mobile",      "Fax",          "Email",      "Street",      "City",       "Region",
    "Postal Code", "Country",      "Address",    "Web Site",    "Note"};

// A card's values by column; empty where the card has none.
using TCard = std::array<QString, ColumnCount>;

// One logical line: unfolded, with the physical line it started on.
struct TContentLine {
    QByteArray Bytes;
    int Line = 0;
};

// Whether a logical line's head, the part before its first colon, names quoted-printable,
// followed while the line grows by joined pieces. Only the bytes not looked at yet are
// searched, so a line joined from many pieces costs what its bytes do.
class TQuotedPrintableHead {
public:
    bool Of(const QByteArray& line) {
        if (FColon >= 0)
            return FFound;
        FColon = line.indexOf(':', FScanned);
        const qsizetype end = FColon < 0 ? line.size() : FColon;
        // Start far enough back to find a name split between two pieces.
        const qsizetype from = std::max<qsizetype>(0, FScanned - kName.size() + 1);
        FFound =
            FFound ||
            QByteArrayView(line).sliced(from, end - from).toByteArray().toUpper().contains(kName);
        FScanned = end;
        return FFound;
    }

private:
    static constexpr QByteArrayView kName = "QUOTED-PRINTABLE";
    qsizetype FScanned = 0;
    qsizetype FColon = -1;
    bool FFound = false;
};

// The logical lines of the text one at a time, so that a text that goes wrong early is not
// split whole first: folded lines (a line starting with a blank continues the one before)
// and quoted-printable soft breaks (a value ending in '=') are joined.
class TContentLines {
public:
    explicit TContentLines(const QByteArray& bytes) : FRest(bytes) {}

    // False when no line is left.
    bool Next(TContentLine& line) {
        if (FRest.isEmpty())
            return false;
        line.Bytes = TakePhysical().toByteArray();
        line.Line = FNumber;
        TQuotedPrintableHead head;
        while (!FRest.isEmpty()) {
            if (line.Bytes.endsWith('=') && head.Of(line.Bytes)) {
                line.Bytes.chop(1);
                line.Bytes += TakePhysical();
            } else if (FRest.startsWith(' ') || FRest.startsWith('\t')) {
                line.Bytes += TakePhysical().sliced(1);
            } else {
                break;
            }
        }
        return true;
    }

private:
    QByteArrayView TakePhysical() {
        const qsizetype end = FRest.indexOf('\n');
        QByteArrayView line = end < 0 ? FRest : FRest.first(end);
        FRest = end < 0 ? QByteArrayView() : FRest.sliced(end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        ++FNumber;
        return line;
    }

    QByteArrayView FRest;
    int FNumber = 0;
};

QByteArray decodeQuotedPrintable(QByteArrayView value) {
    QByteArray out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '=' && i + 2 < value.size()) {
            bool ok = false;
            const int byte = value.sliced(i + 1, 2).toByteArray().toInt(&ok, 16);
            if (ok) {
                out += char(byte);
                i += 2;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// Splits at the separator where no backslash escapes it.
QStringList splitUnescaped(const QString& value, QChar separator) {
    QStringList parts(1);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == '\\' && i + 1 < value.size()) {
            parts.last() += c;
            parts.last() += value.at(++i);
        } else if (c == separator) {
            parts.append(QString());
        } else {
            parts.last() += c;
        }
    }
    return parts;
}

QString unescape(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != '\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value.at(++i);
        out += (next == 'n' || next == 'N') ? QChar('\n') : next;
    }
    return out;
}

struct TProperty {
    QByteArray Name;     // upper case, without a group prefix
    QSet<QString> Types; // lower case: "work", "cell", "pref", ...
    QString Value;       // decoded, still escaped
};

// Parameters are split at ';' outside double quotes; the quotes themselves go.
QVarLengthArray<QByteArray, 8> splitParameters(QByteArrayView head) {
    QVarLengthArray<QByteArray, 8> parts;
    bool quoted = false;
    qsizetype start = 0;
    auto part = [&](qsizetype end) {
        QByteArray bytes = head.sliced(start, end - start).toByteArray();
        bytes.replace('"', QByteArray());
        parts.append(bytes);
        start = end + 1;
    };
    for (qsizetype i = 0; i < head.size(); ++i) {
        if (head[i] == '"')
            quoted = !quoted;
        else if (head[i] == ';' && !quoted)
            part(i);
    }
    part(head.size());
    return parts;
}

bool sameWord(QByteArrayView a, const char* b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool parseProperty(const QByteArray& line, TProperty& property) {
    bool quoted = false;
    qsizetype colon = -1;
    for (qsizetype i = 0; i < line.size() && colon < 0; ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            colon = i;
    }
    if (colon < 0)
        return false;
    const auto head = splitParameters(QByteArrayView(line).first(colon));
    QByteArray name = head.first().trimmed().toUpper();
    if (const qsizetype dot = name.lastIndexOf('.'); dot >= 0)
        name = name.mid(dot + 1);
    property.Name = name;
    QByteArray charset;
    bool quotedPrintable = false;
    for (qsizetype i = 1; i < head.size(); ++i) {
        const QByteArrayView parameter(head[i]);
        const qsizetype equals = parameter.indexOf('=');
        const QByteArrayView key =
            equals < 0 ? QByteArrayView("TYPE") : parameter.first(equals).trimmed();
        const QByteArrayView value = equals < 0 ? parameter : parameter.sliced(equals + 1);
        const bool qpValue = sameWord(value, "QUOTED-PRINTABLE");
        if (sameWord(key, "ENCODING") || qpValue) {
            quotedPrintable = quotedPrintable || qpValue;
        } else if (sameWord(key, "CHARSET")) {
            charset = value.toByteArray().toLower();
        } else if (sameWord(key, "TYPE")) {
            for (const QByteArray& type : value.toByteArray().split(','))
                property.Types.insert(QString::fromLatin1(type.trimmed().toLower()));
        } else if (sameWord(key, "PREF")) {
            property.Types.insert(QStringLiteral("pref"));
        }
    }
    QByteArrayView raw = QByteArrayView(line).sliced(colon + 1);
    const QByteArray decoded = quotedPrintable ? decodeQuotedPrintable(raw) : QByteArray();
    const QByteArrayView bytes = quotedPrintable ? QByteArrayView(decoded) : raw;
    if (charset == "iso-8859-1" || charset == "windows-1252" || charset == "cp1252")
        property.Value = FromWindows1252(bytes.data(), bytes.size());
    else
        property.Value = DecodeTextBytes(bytes);
    return true;
}

class TCardBuilder {
public:
    void Add(const TProperty& p) {
        const bool pref = p.Types.contains(QStringLiteral("pref"));
        if (p.Name == "FN") {
            Set(FullName, unescape(p.Value));
        } else if (p.Name == "N") {
            const QStringList n = Components(p.Value, 5);
            Set(LastName, n[0]);
            Set(FirstName, n[1]);
            Set(MiddleName, n[2]);
            Set(Prefix, n[3]);
            Set(Suffix, n[4]);
        } else if (p.Name == "TITLE") {
            Set(Title, unescape(p.Value));
        } else if (p.Name == "ORG") {
            QStringList org = Components(p.Value, 1);
            Set(Organization, org.takeFirst());
            org.removeAll(QString());
            Set(Department, org.join(QStringLiteral(", ")));
        } else if (p.Name == "TEL") {
            QString number = unescape(p.Value).trimmed();
            if (number.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
                number = number.mid(4);
            Set(Phone, number, pref);
            if (p.Types.contains(QStringLiteral("fax")))
                Set(Fax, number, pref);
            else if (p.Types.contains(QStringLiteral("cell")))
                Set(Mobile, number, pref);
            else if (p.Types.contains(QStringLiteral("work")))
                Set(WorkPhone, number, pref);
            else if (p.Types.contains(QStringLiteral("home")))
                Set(HomePhone, number, pref);
        } else if (p.Name == "EMAIL") {
            QString address = unescape(p.Value).trimmed();
            if (address.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
                address = address.mid(7);
            Set(Email, address, pref);
        } else if (p.Name == "ADR") {
            AddAddress(Components(p.Value, 7), pref);
        } else if (p.Name == "URL") {
            Set(WebSite, unescape(p.Value).trimmed(), pref);
        } else if (p.Name == "NOTE") {
            Set(Note, unescape(p.Value));
        }
    }

    // The card's values; a card without a full name gets one made of its name parts.
    TCard Finish() {
        if (FValues[FullName].isEmpty()) {
            QStringList parts;
            for (const TColumn column : {Prefix, FirstName, MiddleName, LastName, Suffix})
                parts.append(FValues[column]);
            parts.removeAll(QString());
            FValues[FullName] = parts.join(' ');
        }
        return FValues;
    }

private:
    static QStringList Components(const QString& value, int count) {
        QStringList parts = splitUnescaped(value, ';');
        for (QString& part : parts)
            part = unescape(part).trimmed();
        while (parts.size() < count)
            parts.append(QString());
        return parts;
    }

    void AddAddress(const QStringList& adr, bool pref) {
        if (FAddressSet && !(pref && !FAddressPref))
            return;
        FAddressSet = true;
        FAddressPref = pref;
        QStringList street{adr[0], adr[1], adr[2]};
        street.removeAll(QString());
        const QString streetText = street.join(QStringLiteral(", "));
        Set(Street, streetText, true);
        Set(City, adr[3], true);
        Set(Region, adr[4], true);
        Set(PostalCode, adr[5], true);
        Set(Country, adr[6], true);
        QStringList whole{streetText, adr[3], adr[4], adr[5], adr[6]};
        whole.removeAll(QString());
        Set(Address, whole.join(QStringLiteral(", ")), true);
    }

    // The first value of a column stays unless a preferred one comes later.
    void Set(TColumn column, const QString& value, bool pref = false) {
        if (value.isEmpty())
            return;
        if (!FValues[column].isEmpty() && !(pref && !FPreferred[column]))
            return;
        FValues[column] = value;
        if (pref)
            FPreferred[column] = true;
    }

    TCard FValues;
    std::array<bool, ColumnCount> FPreferred{};
    bool FAddressSet = false;
    bool FAddressPref = false;
};

} // namespace

TMergeList ReadVCardList(const QByteArray& bytes) {
    QList<TCard> cards;
    std::optional<TCardBuilder> card;
    int cardLine = 0;
    TContentLines lines(bytes);
    for (TContentLine line; lines.Next(line);) {
        const QByteArrayView trimmed = QByteArrayView(line.Bytes).trimmed();
        if (trimmed.isEmpty())
            continue;
        if (trimmed.compare("BEGIN:VCARD", Qt::CaseInsensitive) == 0) {
            if (card)
                throw EMergeListError(
                    QStringLiteral("Line %1: a contact card begins inside the card of line %2")
                        .arg(line.Line)
                        .arg(cardLine));
            card.emplace();
            cardLine = line.Line;
        } else if (trimmed.compare("END:VCARD", Qt::CaseInsensitive) == 0) {
            if (!card)
                throw EMergeListError(
                    QStringLiteral("Line %1: END:VCARD without BEGIN:VCARD").arg(line.Line));
            cards.append(card->Finish());
            card.reset();
        } else if (!card) {
            throw EMergeListError(
                QStringLiteral("Line %1: text outside a contact card (BEGIN:VCARD ... "
                               "END:VCARD)")
                    .arg(line.Line));
        } else if (TProperty property; parseProperty(line.Bytes, property)) {
            card->Add(property);
        }
    }
    if (card)
        throw EMergeListError(
            QStringLiteral("Line %1: the contact card that begins here has no END:VCARD")
                .arg(cardLine));
    if (cards.isEmpty())
        throw EMergeListError(QStringLiteral("The file holds no contact card (BEGIN:VCARD)"));

    TMergeList list;
    // Every card has a full name, even an empty one; other columns are listed when some
    // card has a value in them.
    std::vector<int> present;
    for (int column = 0; column < ColumnCount; ++column)
        if (column == FullName ||
            std::any_of(cards.cbegin(), cards.cend(),
                        [column](const TCard& card) { return !card[column].isEmpty(); })) {
            present.push_back(column);
            list.Columns.append(QLatin1String(kColumns[column]));
        }
    for (const TCard& card : cards) {
        QStringList row;
        row.reserve(qsizetype(present.size()));
        for (const int column : present)
            row.append(card[column]);
        list.Records.append(row);
    }
    return list;
}
