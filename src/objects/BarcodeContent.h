#pragma once

#include "merge/MergeFields.h"

#include <QString>

#include <array>

// What a barcode's content is; it decides how the typed words become the encoded text.
enum TBarcodeContentKind { ckText = 0, ckWebAddress, ckPhone, ckContact };

// The fields of a contact card, in the order of the personal information.
enum TContactField {
    cfName = 0,
    cfCompany,
    cfTitle,
    cfAddress1,
    cfAddress2,
    cfAddress3,
    cfPhone1,
    cfPhone2,
    cfEmail,
    cfFax,
};
constexpr int ContactFieldCount = 10;
using TContact = std::array<QString, ContactFieldCount>;

// The field's label in the dialog ("Phone 1") and its merge-list column ("Phone1"), which is
// also its key in the settings file's personal information.
QString ContactFieldLabel(int field);
QString ContactFieldColumn(int field);

// The contact as a vCard 3.0 with CRLF line ends; only the fields that hold something appear.
// Values are escaped as vCard text; ${Column} fields stay as written, to be filled per card.
QString BuildVCard(const TContact& contact);
// The fields of a vCard as BuildVCard writes them (other lines are left out).
TContact ParseVCard(const QString& vcard);
// Every field as its merge-list column: ${Name}, ${Company} ...
TContact MergeFieldContact();

// A web address as typed, with "https://" put before it when it names no scheme.
QString WebAddressContent(const QString& typed);
// A phone number as a "tel:" address: separators (spaces, dashes, dots, brackets) go.
QString PhoneContent(const QString& typed);
// The number shown for editing: the content without its "tel:".
QString TypedPhone(const QString& content);

// The content with the record's values in its ${Column} fields, each made fit for the kind:
// escaped as vCard text in a contact, stripped of separators in a phone number.
QString MergedBarcodeContent(TBarcodeContentKind kind, const QString& content,
                             const TMergeRecord& record);
