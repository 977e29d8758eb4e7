#ifndef KW_PROPERTY_RECORDS_H
#define KW_PROPERTY_RECORDS_H

#include "KWTypes.h"

#include <list>
#include <string>

namespace KW {

/// What every row of a property grid points to: a group's record or an item's record.
/// isGroup tells which of the two a row's record is.
struct KWPropRecord {
    /// True while hideGroup keeps the record (and a group's items) out of the rows.
    bool hidden;
    /// True for a KWGroupItem, false for a KWPropItem.
    bool isGroup;
    /// The text of the first column.
    std::string name;
};

/// One item of a group: its name in the first column and the gadget that edits its value.
/// The gadget is owned by the grid, not by the record; it is null only once deleted on its own.
struct KWPropItem : KWPropRecord {
    /// The image list index shown before the name.
    int image;
    /// The gadget that edits the value; owned by the grid. Null once the gadget was deleted on its own.
    KWObject* object;
    /// The value text the row keeps showing once its gadget was deleted on its own.
    std::string valueText;
};

/// A named group of items. A closed group shows only its own row; an open one shows its items'
/// rows below it; a hidden one has no row at all.
struct KWGroupItem : KWPropRecord {
    /// True while the group's items have rows.
    bool opened;
    /// The group's items in the order they were added.
    std::list<KWPropItem> items;
};

} // namespace KW

#endif
