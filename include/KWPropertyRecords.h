#ifndef KW_PROPERTY_RECORDS_H
#define KW_PROPERTY_RECORDS_H

#include "KWTypes.h"

#include <list>
#include <string>

namespace KW {

/// What every row of a property grid points to: a group's record or an item's record.
/// isGroup tells which of the two a row's record is.
struct KWPropRecord {
    bool hidden;
    bool isGroup;
    std::string name;
};

/// One item of a group: its name in the first column and the gadget that edits its value.
/// The gadget is never null in a stored item and is owned by the grid, not by the record.
struct KWPropItem : KWPropRecord {
    int image;
    KWObject* object;
};

/// A named group of items. A closed group shows only its own row; an open one shows its items'
/// rows below it; a hidden one has no row at all.
struct KWGroupItem : KWPropRecord {
    bool opened;
    std::list<KWPropItem> items;
};

} // namespace KW

#endif
