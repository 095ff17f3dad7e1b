#pragma once

#include "merge/MergeList.h"

#include <QByteArray>

// Contact cards (vCard 2.1, 3.0 and 4.0), one record per card, with the columns "Full Name",
// "First Name", "Last Name", "Middle Name", "Prefix", "Suffix", "Title", "Organization",
// "Department", "Phone", "Work Phone", "Home Phone", "Mobile", "Fax", "Email", "Street",
// "City", "Region", "Postal Code", "Country", "Address", "Web Site" and "Note"; only the
// columns that some card fills are listed. Raises EMergeListError.
TMergeList ReadVCardList(const QByteArray& bytes);
