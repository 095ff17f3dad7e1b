#include "objects/BarcodeContent.h"

#include <QStringList>

namespace {

const char* const Labels[ContactFieldCount] = {"Name",      "Company",   "Title",   "Address 1",
                                               "Address 2", "Address 3", "Phone 1", "Phone 2",
                                               "E-mail",    "Fax"};
const char* const Columns[ContactFieldCount] = {"Name",     "Company",  "Title",  "Address1",
                                                "Address2", "Address3", "Phone1", "Phone2",
                                                "Email",    "Fax"};

const QString Crlf = QStringLiteral("\r\n");

// vCard 3.0 text values escape backslashes, commas, semicolons and line breaks.
QString escapeVCard(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == '\\' || c == ',' || c == ';') {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            if (i + 1 < value.size() && value[i + 1] == '\n')
                ++i;
            out += QLatin1String("\\n");
        } else if (c == '\n') {
            out += QLatin1String("\\n");
        } else {
            out += c;
        }
    }
    return out;
}

QString unescapeVCard(QStringView value) {
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const QChar next = value[++i];
        out += (next == 'n' || next == 'N') ? QChar('\n') : next;
    }
    return out;
}

// Splits at the separators that are not escaped.
QStringList splitUnescaped(QStringView value, QChar separator) {
    QStringList parts(1);
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            parts.last() += value[i];
            parts.last() += value[++i];
        } else if (value[i] == separator) {
            parts.append(QString());
        } else {
            parts.last() += value[i];
        }
    }
    return parts;
}

bool isSeparator(QChar c) {
    return c == ' ' || c == '-' || c == '.' || c == '(' || c == ')' || c == '/' || c == '\t';
}

// The number without separators; merge fields are kept whole.
QString phoneDigits(const QString& typed) {
    QString out;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        if (typed[i] == '$' && i + 1 < typed.size() && typed[i + 1] == '{') {
            const qsizetype close = typed.indexOf('}', i + 2);
            if (close > 0) {
                out += QStringView(typed).sliced(i, close - i + 1);
                i = close;
                continue;
            }
        }
        if (!isSeparator(typed[i]))
            out += typed[i];
    }
    return out;
}

void addLine(QString& card, const QString& name, const QString& value) {
    if (!value.isEmpty())
        card += name + ':' + value + Crlf;
}

} // namespace

QString ContactFieldLabel(int field) {
    return QString::fromLatin1(Labels[field]);
}

QString ContactFieldColumn(int field) {
    return QString::fromLatin1(Columns[field]);
}

QString BuildVCard(const TContact& c) {
    QString card = QStringLiteral("BEGIN:VCARD") + Crlf + QStringLiteral("VERSION:3.0") + Crlf;
    addLine(card, QStringLiteral("FN"), escapeVCard(c[cfName]));
    // The structured name is family;given. Only a written-out name can be split so; a name
    // filled from a list per card stays in FN alone.
    const QString name = c[cfName].trimmed();
    if (!name.isEmpty() && !HasMergeFields(name)) {
        const qsizetype space = name.lastIndexOf(' ');
        const QString family = space < 0 ? name : name.mid(space + 1);
        const QString given = space < 0 ? QString() : name.left(space).trimmed();
        card += QStringLiteral("N:") + escapeVCard(family) + ';' + escapeVCard(given) +
                QStringLiteral(";;;") + Crlf;
    }
    addLine(card, QStringLiteral("ORG"), escapeVCard(c[cfCompany]));
    addLine(card, QStringLiteral("TITLE"), escapeVCard(c[cfTitle]));
    QStringList address;
    for (int f : {cfAddress1, cfAddress2, cfAddress3})
        if (!c[f].isEmpty())
            address.append(c[f]);
    if (!address.isEmpty())
        card += QStringLiteral("ADR;TYPE=WORK:;;") + escapeVCard(address.join('\n')) +
                QStringLiteral(";;;;") + Crlf;
    addLine(card, QStringLiteral("TEL;TYPE=WORK,VOICE"), escapeVCard(c[cfPhone1]));
    addLine(card, QStringLiteral("TEL;TYPE=VOICE"), escapeVCard(c[cfPhone2]));
    addLine(card, QStringLiteral("TEL;TYPE=WORK,FAX"), escapeVCard(c[cfFax]));
    addLine(card, QStringLiteral("EMAIL;TYPE=INTERNET"), escapeVCard(c[cfEmail]));
    return card + QStringLiteral("END:VCARD");
}

TContact ParseVCard(const QString& vcard) {
    TContact contact;
    QString unfolded = vcard;
    unfolded.replace(QLatin1String("\r\n "), QString()).replace(QLatin1String("\n "), QString());
    for (QString line : unfolded.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QStringList params = line.left(colon).toUpper().split(';');
        const QStringView value = QStringView(line).sliced(colon + 1);
        const QString& name = params.first();
        if (name == QLatin1String("FN")) {
            contact[cfName] = unescapeVCard(value);
        } else if (name == QLatin1String("ORG")) {
            contact[cfCompany] = unescapeVCard(value);
        } else if (name == QLatin1String("TITLE")) {
            contact[cfTitle] = unescapeVCard(value);
        } else if (name == QLatin1String("EMAIL")) {
            contact[cfEmail] = unescapeVCard(value);
        } else if (name == QLatin1String("TEL")) {
            const bool fax = line.left(colon).contains(QLatin1String("FAX"), Qt::CaseInsensitive);
            const int field = fax ? cfFax : contact[cfPhone1].isEmpty() ? cfPhone1 : cfPhone2;
            contact[field] = unescapeVCard(value);
        } else if (name == QLatin1String("ADR")) {
            const QStringList parts = splitUnescaped(value, ';');
            if (parts.size() > 2) {
                const QStringList lines = unescapeVCard(parts[2]).split('\n');
                for (int i = 0; i < 3 && i < lines.size(); ++i)
                    contact[cfAddress1 + i] = lines[i];
            }
        }
    }
    return contact;
}

TContact MergeFieldContact() {
    TContact contact;
    for (int f = 0; f < ContactFieldCount; ++f)
        contact[f] = QStringLiteral("${") + ContactFieldColumn(f) + '}';
    return contact;
}

QString WebAddressContent(const QString& typed) {
    const QString address = typed.trimmed();
    if (address.isEmpty() || address.contains(QLatin1String("://")) ||
        address.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return address;
    return QStringLiteral("https://") + address;
}

QString PhoneContent(const QString& typed) {
    const QString number = phoneDigits(TypedPhone(typed.trimmed()));
    return number.isEmpty() ? QString() : QStringLiteral("tel:") + number;
}

QString TypedPhone(const QString& content) {
    return content.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive) ? content.mid(4)
                                                                          : content;
}

QString MergedBarcodeContent(TBarcodeContentKind kind, const QString& content,
                             const TMergeRecord& record) {
    switch (kind) {
    case ckContact:
        return SubstituteMergeFields(content, record, escapeVCard);
    case ckPhone:
        return PhoneContent(SubstituteMergeFields(content, record));
    case ckText:
    case ckWebAddress:
        break;
    }
    return SubstituteMergeFields(content, record);
}
