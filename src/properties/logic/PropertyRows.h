#ifndef KW_PROPERTY_ROWS_H
#define KW_PROPERTY_ROWS_H

#include "KWPropertyRecords.h"

#include <list>
#include <vector>

namespace KW {
namespace proprows {

// Where the rows are shown: the grid's list view, or a recorder in tests.
class RowView {
public:
    virtual ~RowView() = default;
    // False when the view could not insert the row.
    virtual bool insertRow(int row, KWPropRecord* record, int image) = 0;
    virtual void deleteRow(int row) = 0;
    virtual void deleteAllRows() = 0;
    virtual void setRowImage(int row, int image) = 0;
};

struct GroupIcons {
    int open;
    int closed;
};

// The records that have rows, in row order, kept in step with the view: every change goes to the
// view first and is recorded here only when the view took it.
class PropertyRows {
public:
    int count() const { return static_cast<int>(rows.size()); }
    // Null outside 0 .. count() - 1.
    KWPropRecord* recordAt(int row) const;
    // Null for a group's row and outside the rows.
    KWPropItem* itemAt(int row) const;
    // -1 when the record has no row.
    int rowOf(const KWPropRecord* record) const;

    // A closed group's row at the end. False when the view refused it.
    bool appendGroup(KWGroupItem* group, int image, RowView& view);

    // Opens (item rows below the group's row, open icon) or closes (those rows removed, closed icon) a
    // visible group that has items and a row. A call asking for the state the group already has changes
    // nothing. Returns whether the group changed; the items whose rows went away are added to removed.
    bool openGroup(KWGroupItem* group, bool open, const GroupIcons& icons, RowView& view,
                   std::vector<KWPropItem*>& removed);

    // Sets the hidden flag of one of groups and rebuilds every row from them: each visible group's row,
    // followed by its items' rows when it is open. Items that had rows before are added to hadRows.
    // A group that is not one of groups changes nothing and gives false.
    bool hideGroup(std::list<KWGroupItem>& groups, KWGroupItem* group, bool hidden, const GroupIcons& icons,
                   RowView& view, std::vector<KWPropItem*>& hadRows);

    // Sets the hidden flag like hideGroup and brings the rows to those its rebuild makes, but deletes and
    // inserts only the rows that differ: the rows that stay keep their place and their state in the
    // view. Items whose rows went away are added to removed. A group that is not one of groups changes
    // nothing and gives false.
    bool setGroupHidden(std::list<KWGroupItem>& groups, KWGroupItem* group, bool hidden,
                        const GroupIcons& icons, RowView& view, std::vector<KWPropItem*>& removed);

private:
    bool insert(int row, KWPropRecord* record, int image, RowView& view);
    void erase(int row, RowView& view);

    std::vector<KWPropRecord*> rows;
};

} // namespace proprows
} // namespace KW

#endif
