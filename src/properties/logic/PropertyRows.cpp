#include "PropertyRows.h"

#include <algorithm>
#include <unordered_set>

namespace KW {
namespace proprows {

KWPropRecord* PropertyRows::recordAt(int row) const {
    if (row < 0 || row >= count()) {
        return nullptr;
    }
    return rows[static_cast<size_t>(row)];
}

KWPropItem* PropertyRows::itemAt(int row) const {
    KWPropRecord* record = recordAt(row);
    if (!record || record->isGroup) {
        return nullptr;
    }
    return static_cast<KWPropItem*>(record);
}

int PropertyRows::rowOf(const KWPropRecord* record) const {
    if (!record) {
        return -1;
    }
    const auto found = std::find(rows.begin(), rows.end(), record);
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

bool PropertyRows::insert(int row, KWPropRecord* record, int image, RowView& view) {
    if (!view.insertRow(row, record, image)) {
        return false;
    }
    rows.insert(rows.begin() + row, record);
    return true;
}

void PropertyRows::erase(int row, RowView& view) {
    view.deleteRow(row);
    rows.erase(rows.begin() + row);
}

bool PropertyRows::appendGroup(KWGroupItem* group, int image, RowView& view) {
    return group && insert(count(), group, image, view);
}

bool PropertyRows::openGroup(KWGroupItem* group, bool open, const GroupIcons& icons, RowView& view,
                             std::vector<KWPropItem*>& removed) {
    if (!group || !group->isGroup || group->items.empty() || group->hidden || group->opened == open) {
        return false;
    }
    const int groupRow = rowOf(group);
    if (groupRow < 0) {
        return false;
    }
    if (open) {
        view.setRowImage(groupRow, icons.open);
        // A failed insertion leaves no gap: the next item takes its place.
        int next = groupRow + 1;
        for (KWPropItem& item : group->items) {
            if (insert(next, &item, item.image, view)) {
                ++next;
            }
        }
        group->opened = true;
    } else {
        view.setRowImage(groupRow, icons.closed);
        // Only the rows the group's items really have: items added while it was open have none.
        while (KWPropItem* item = itemAt(groupRow + 1)) {
            removed.push_back(item);
            erase(groupRow + 1, view);
        }
        group->opened = false;
    }
    return true;
}

bool PropertyRows::hideGroup(std::list<KWGroupItem>& groups, KWGroupItem* group, bool hidden,
                             const GroupIcons& icons, RowView& view, std::vector<KWPropItem*>& hadRows) {
    const bool ours = std::any_of(groups.begin(), groups.end(),
                                  [group](const KWGroupItem& candidate) { return &candidate == group; });
    if (!ours) {
        return false;
    }
    group->hidden = hidden;

    for (KWPropRecord* record : rows) {
        if (!record->isGroup) {
            hadRows.push_back(static_cast<KWPropItem*>(record));
        }
    }
    view.deleteAllRows();
    rows.clear();

    for (KWGroupItem& each : groups) {
        if (each.hidden) {
            continue;
        }
        const bool shown = insert(count(), &each, each.opened ? icons.open : icons.closed, view);
        if (shown && each.opened) {
            for (KWPropItem& item : each.items) {
                insert(count(), &item, item.image, view);
            }
        }
    }
    return true;
}

bool PropertyRows::setGroupHidden(std::list<KWGroupItem>& groups, KWGroupItem* group, bool hidden,
                                  const GroupIcons& icons, RowView& view, std::vector<KWPropItem*>& removed) {
    const bool ours = std::any_of(groups.begin(), groups.end(),
                                  [group](const KWGroupItem& candidate) { return &candidate == group; });
    if (!ours) {
        return false;
    }
    group->hidden = hidden;

    // The rows the rebuild would make, in order. The rows there are now follow the same order (groups in
    // creation order, each followed by some of its items), so one walk over both finds the differences.
    std::unordered_set<const KWPropRecord*> wanted;
    for (KWGroupItem& each : groups) {
        if (each.hidden) {
            continue;
        }
        wanted.insert(&each);
        if (each.opened) {
            for (KWPropItem& item : each.items) {
                wanted.insert(&item);
            }
        }
    }
    size_t row = 0;
    // Rows up to the next wanted one that the rebuild would not make go.
    const auto dropUnwanted = [&]() {
        while (row < rows.size() && wanted.count(rows[row]) == 0) {
            if (!rows[row]->isGroup) {
                removed.push_back(static_cast<KWPropItem*>(rows[row]));
            }
            erase(static_cast<int>(row), view);
        }
    };
    // Places a wanted record at the current row, inserting it when it has none.
    const auto place = [&](KWPropRecord* record, int image) {
        dropUnwanted();
        if (row < rows.size() && rows[row] == record) {
            ++row;
            return true;
        }
        if (!insert(static_cast<int>(row), record, image, view)) {
            wanted.erase(record);
            return false;
        }
        ++row;
        return true;
    };
    for (KWGroupItem& each : groups) {
        if (each.hidden) {
            continue;
        }
        const bool shown = place(&each, each.opened ? icons.open : icons.closed);
        if (!each.opened) {
            continue;
        }
        for (KWPropItem& item : each.items) {
            // A group whose row was refused keeps its items out, as in the rebuild.
            if (!shown) {
                wanted.erase(&item);
            } else {
                place(&item, item.image);
            }
        }
    }
    dropUnwanted();
    return true;
}

} // namespace proprows
} // namespace KW
