#include "properties/logic/PropertyRows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace KW;
using namespace KW::proprows;

namespace {

const GroupIcons icons{2, 0};

// A view that keeps its own rows, so each test can check that the bookkeeping and the view agree, and
// that can refuse chosen insertions.
class RecordingView : public RowView {
public:
    struct Row {
        KWPropRecord* record;
        int image;
    };

    bool insertRow(int row, KWPropRecord* record, int image) override {
        ++insertCalls;
        if (refuseInsertion == insertCalls) {
            return false;
        }
        if (row > static_cast<int>(rows.size())) {
            row = static_cast<int>(rows.size());
        }
        rows.insert(rows.begin() + row, Row{record, image});
        log.push_back("insert " + std::to_string(row) + " " + record->name);
        return true;
    }
    void deleteRow(int row) override {
        rows.erase(rows.begin() + row);
        log.push_back("delete " + std::to_string(row));
    }
    void deleteAllRows() override {
        rows.clear();
        log.push_back("clear");
    }
    void setRowImage(int row, int image) override {
        if (row >= 0 && row < static_cast<int>(rows.size())) {
            rows[static_cast<size_t>(row)].image = image;
        }
        log.push_back("image " + std::to_string(row) + " " + std::to_string(image));
    }

    std::vector<std::string> names() const {
        std::vector<std::string> result;
        for (const Row& row : rows) {
            result.push_back(row.record->name);
        }
        return result;
    }

    std::vector<Row> rows;
    std::vector<std::string> log;
    int insertCalls = 0;
    int refuseInsertion = 0;
};

class PropertyRowsTest : public ::testing::Test {
protected:
    KWGroupItem* addGroup(const std::string& name, int itemCount) {
        KWGroupItem group;
        group.hidden = false;
        group.isGroup = true;
        group.name = name;
        group.opened = false;
        groups.push_back(group);
        KWGroupItem* stored = &groups.back();
        for (int i = 1; i <= itemCount; ++i) {
            addItem(stored, name + std::to_string(i), 10 + i);
        }
        EXPECT_TRUE(rows.appendGroup(stored, icons.closed, view));
        return stored;
    }

    static void addItem(KWGroupItem* group, const std::string& name, int image) {
        KWPropItem item;
        item.hidden = false;
        item.isGroup = false;
        item.name = name;
        item.image = image;
        item.object = nullptr;
        group->items.push_back(item);
    }

    std::vector<std::string> rowNames() const {
        std::vector<std::string> result;
        for (int row = 0; row < rows.count(); ++row) {
            result.push_back(rows.recordAt(row)->name);
        }
        return result;
    }

    // The bookkeeping must describe exactly what the view shows.
    void expectInStep() const {
        ASSERT_EQ(static_cast<int>(view.rows.size()), rows.count());
        for (int row = 0; row < rows.count(); ++row) {
            EXPECT_EQ(view.rows[static_cast<size_t>(row)].record, rows.recordAt(row)) << "row " << row;
        }
    }

    static std::vector<std::string> namesOf(const std::vector<KWPropItem*>& items) {
        std::vector<std::string> result;
        for (const KWPropItem* item : items) {
            result.push_back(item->name);
        }
        return result;
    }

    bool open(KWGroupItem* group, bool state) {
        std::vector<KWPropItem*> removed;
        const bool changed = rows.openGroup(group, state, icons, view, removed);
        lastRemoved = namesOf(removed);
        return changed;
    }

    bool hide(KWGroupItem* group, bool hidden) {
        std::vector<KWPropItem*> hadRows;
        const bool rebuilt = rows.hideGroup(groups, group, hidden, icons, view, hadRows);
        lastHadRows = namesOf(hadRows);
        return rebuilt;
    }

    bool hideInPlace(KWGroupItem* group, bool hidden) {
        std::vector<KWPropItem*> removed;
        const bool changed = rows.setGroupHidden(groups, group, hidden, icons, view, removed);
        lastRemoved = namesOf(removed);
        return changed;
    }

    using Names = std::vector<std::string>;

    std::list<KWGroupItem> groups;
    PropertyRows rows;
    RecordingView view;
    Names lastRemoved;
    Names lastHadRows;
};

} // namespace

TEST_F(PropertyRowsTest, GroupsGetClosedRowsInOrderAndAreFoundByRecord) {
    KWGroupItem* a = addGroup("A", 1);
    KWGroupItem* b = addGroup("B", 2);
    EXPECT_EQ(rowNames(), (Names{"A", "B"}));
    EXPECT_EQ(view.log, (Names{"insert 0 A", "insert 1 B"}));
    EXPECT_EQ(view.rows[1].image, icons.closed);
    EXPECT_EQ(rows.rowOf(a), 0);
    EXPECT_EQ(rows.rowOf(b), 1);
    EXPECT_EQ(rows.rowOf(&b->items.front()), -1);
    EXPECT_EQ(rows.rowOf(nullptr), -1);
    EXPECT_EQ(rows.itemAt(0), nullptr);
    EXPECT_EQ(rows.recordAt(2), nullptr);
    EXPECT_EQ(rows.recordAt(-1), nullptr);
    expectInStep();
}

TEST_F(PropertyRowsTest, OpeningInsertsItemRowsBelowTheGroupAndClosingRemovesThem) {
    addGroup("A", 1);
    KWGroupItem* b = addGroup("B", 3);
    addGroup("C", 1);
    view.log.clear();

    EXPECT_TRUE(open(b, true));
    EXPECT_TRUE(b->opened);
    EXPECT_EQ(rowNames(), (Names{"A", "B", "B1", "B2", "B3", "C"}));
    EXPECT_EQ(view.log, (Names{"image 1 2", "insert 2 B1", "insert 3 B2", "insert 4 B3"}));
    EXPECT_EQ(view.rows[3].image, 12);
    ASSERT_NE(rows.itemAt(4), nullptr);
    EXPECT_EQ(rows.itemAt(4)->name, "B3");
    expectInStep();

    view.log.clear();
    EXPECT_TRUE(open(b, false));
    EXPECT_FALSE(b->opened);
    EXPECT_EQ(rowNames(), (Names{"A", "B", "C"}));
    EXPECT_EQ(view.log, (Names{"image 1 0", "delete 2", "delete 2", "delete 2"}));
    EXPECT_EQ(lastRemoved, (Names{"B1", "B2", "B3"}));
    expectInStep();
}

TEST_F(PropertyRowsTest, AskingForTheCurrentStateChangesNothing) {
    KWGroupItem* a = addGroup("A", 2);
    addGroup("B", 2);
    ASSERT_TRUE(open(a, true));
    view.log.clear();

    // Opening an open group must not insert its rows twice.
    EXPECT_FALSE(open(a, true));
    EXPECT_EQ(rowNames(), (Names{"A", "A1", "A2", "B"}));

    // Closing a closed group must not take the following group's rows.
    ASSERT_TRUE(open(a, false));
    view.log.clear();
    EXPECT_FALSE(open(a, false));
    EXPECT_EQ(rowNames(), (Names{"A", "B"}));
    EXPECT_TRUE(view.log.empty());
    EXPECT_TRUE(lastRemoved.empty());
    expectInStep();
}

TEST_F(PropertyRowsTest, GroupsThatCannotOpenAreLeftAlone) {
    KWGroupItem* empty = addGroup("Empty", 0);
    KWGroupItem* hidden = addGroup("Hidden", 2);
    ASSERT_TRUE(hide(hidden, true));
    view.log.clear();

    EXPECT_FALSE(open(empty, true));
    EXPECT_FALSE(empty->opened);
    EXPECT_FALSE(open(hidden, true));
    EXPECT_FALSE(hidden->opened);
    EXPECT_FALSE(open(nullptr, true));

    // A group of another grid has no row here.
    KWGroupItem foreign;
    foreign.hidden = false;
    foreign.isGroup = true;
    foreign.name = "Foreign";
    foreign.opened = false;
    addItem(&foreign, "F1", 0);
    EXPECT_FALSE(open(&foreign, true));
    EXPECT_FALSE(foreign.opened);

    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(rowNames(), (Names{"Empty"}));
}

TEST_F(PropertyRowsTest, ItemAddedToAnOpenGroupWaitsForTheNextOpening) {
    KWGroupItem* a = addGroup("A", 2);
    addGroup("B", 1);
    ASSERT_TRUE(open(a, true));
    addItem(a, "A3", 0);
    EXPECT_EQ(rowNames(), (Names{"A", "A1", "A2", "B"}));

    // Closing removes the two rows the group has, not three: B keeps its row.
    ASSERT_TRUE(open(a, false));
    EXPECT_EQ(rowNames(), (Names{"A", "B"}));
    EXPECT_EQ(lastRemoved, (Names{"A1", "A2"}));

    ASSERT_TRUE(open(a, true));
    EXPECT_EQ(rowNames(), (Names{"A", "A1", "A2", "A3", "B"}));
    expectInStep();
}

TEST_F(PropertyRowsTest, HidingRebuildsEveryRowInCreationOrder) {
    KWGroupItem* a = addGroup("A", 2);
    KWGroupItem* b = addGroup("B", 1);
    KWGroupItem* c = addGroup("C", 2);
    ASSERT_TRUE(open(a, true));
    ASSERT_TRUE(open(c, true));
    ASSERT_TRUE(open(b, true));
    addItem(b, "B2", 0);

    ASSERT_TRUE(hide(a, true));
    EXPECT_TRUE(a->hidden);
    EXPECT_TRUE(a->opened);
    // The rebuild also gives B's late item its row.
    EXPECT_EQ(rowNames(), (Names{"B", "B1", "B2", "C", "C1", "C2"}));
    EXPECT_EQ(lastHadRows, (Names{"A1", "A2", "B1", "C1", "C2"}));
    EXPECT_EQ(view.rows[0].image, icons.open);
    EXPECT_EQ(view.rows[1].image, 11);
    expectInStep();

    ASSERT_TRUE(open(c, false));
    ASSERT_TRUE(hide(a, false));
    EXPECT_EQ(rowNames(), (Names{"A", "A1", "A2", "B", "B1", "B2", "C"}));
    EXPECT_EQ(view.rows[6].image, icons.closed);
    expectInStep();

    // Hiding the only open group of the grid leaves only group rows.
    ASSERT_TRUE(hide(b, true));
    ASSERT_TRUE(hide(a, true));
    EXPECT_EQ(rowNames(), (Names{"C"}));
}

TEST_F(PropertyRowsTest, HidingAGroupOfAnotherGridChangesNothing) {
    addGroup("A", 1);
    KWGroupItem foreign;
    foreign.hidden = false;
    foreign.isGroup = true;
    foreign.opened = false;
    view.log.clear();
    EXPECT_FALSE(hide(&foreign, true));
    EXPECT_FALSE(foreign.hidden);
    EXPECT_FALSE(hide(nullptr, true));
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(rowNames(), (Names{"A"}));
}

TEST_F(PropertyRowsTest, RefusedInsertionsLeaveNoGapAndNoStrayRecord) {
    KWGroupItem* a = addGroup("A", 3);
    addGroup("B", 1);
    view.insertCalls = 0;
    view.refuseInsertion = 2;
    ASSERT_TRUE(open(a, true));
    EXPECT_EQ(rowNames(), (Names{"A", "A1", "A3", "B"}));
    expectInStep();

    // Closing still removes exactly the rows the group has.
    ASSERT_TRUE(open(a, false));
    EXPECT_EQ(rowNames(), (Names{"A", "B"}));

    // A group whose row is refused keeps its items out of the rebuild too.
    ASSERT_TRUE(open(a, true));
    view.insertCalls = 0;
    view.refuseInsertion = 1;
    ASSERT_TRUE(hide(a, false));
    EXPECT_EQ(rowNames(), (Names{"B"}));
    expectInStep();

    view.insertCalls = 0;
    view.refuseInsertion = 1;
    KWGroupItem extra;
    extra.hidden = false;
    extra.isGroup = true;
    extra.opened = false;
    extra.name = "X";
    EXPECT_FALSE(rows.appendGroup(&extra, 0, view));
    EXPECT_EQ(rows.rowOf(&extra), -1);
    expectInStep();
}

TEST_F(PropertyRowsTest, LongMixedSequenceKeepsRowsConsistent) {
    std::vector<KWGroupItem*> all;
    for (int g = 0; g < 6; ++g) {
        all.push_back(addGroup("G" + std::to_string(g), g % 3 == 0 ? 0 : g));
    }
    unsigned seed = 12345u;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (int step = 0; step < 400; ++step) {
        KWGroupItem* group = all[next(6)];
        switch (next(4)) {
        case 0:
        case 1:
            open(group, !group->opened);
            break;
        case 2:
            hide(group, !group->hidden);
            break;
        default:
            addItem(group, group->name + "x" + std::to_string(step), 0);
            break;
        }
        expectInStep();
        // Every visible group has one row; below it, its items' rows when open, and nothing else.
        int row = 0;
        for (KWGroupItem* each : all) {
            if (each->hidden) {
                ASSERT_EQ(rows.rowOf(each), -1);
                continue;
            }
            ASSERT_EQ(rows.rowOf(each), row) << "step " << step;
            ++row;
            while (KWPropItem* item = rows.itemAt(row)) {
                ASSERT_TRUE(each->opened);
                bool belongs = false;
                for (KWPropItem& own : each->items) {
                    belongs = belongs || &own == item;
                }
                ASSERT_TRUE(belongs) << item->name << " under " << each->name;
                ++row;
            }
        }
        ASSERT_EQ(row, rows.count());
    }
}

namespace {

// A second grid's bookkeeping of the same records, whose groups are hidden and shown by the rebuild.
class RebuiltTwin : public PropertyRowsTest {
public:
    void TestBody() override {}
    using PropertyRowsTest::addGroup;
    using PropertyRowsTest::hide;
    using PropertyRowsTest::open;
    using PropertyRowsTest::view;
};

} // namespace

TEST_F(PropertyRowsTest, HidingInPlaceTouchesOnlyTheRowsThatDiffer) {
    KWGroupItem* a = addGroup("A", 2);
    addGroup("B", 1);
    KWGroupItem* c = addGroup("C", 1);
    ASSERT_TRUE(open(a, true));
    ASSERT_TRUE(open(c, true));
    view.log.clear();
    ASSERT_TRUE(hideInPlace(a, true));
    EXPECT_TRUE(a->hidden);
    EXPECT_EQ(view.log, (Names{"delete 0", "delete 0", "delete 0"}));
    EXPECT_EQ(lastRemoved, (Names{"A1", "A2"}));

    // As in the rebuild, an item added to an open group meanwhile gets its row.
    addItem(c, "C2", 0);
    view.log.clear();
    ASSERT_TRUE(hideInPlace(a, false));
    EXPECT_EQ(view.log, (Names{"insert 0 A", "insert 1 A1", "insert 2 A2", "insert 6 C2"}));
    EXPECT_EQ(view.rows[0].image, icons.open);
    expectInStep();
    EXPECT_FALSE(hideInPlace(nullptr, true));
}

TEST_F(PropertyRowsTest, HidingInPlaceEndsWithTheRowsOfTheRebuild) {
    RebuiltTwin rebuilt;
    std::vector<KWGroupItem*> all;
    std::vector<KWGroupItem*> twins;
    for (int g = 0; g < 6; ++g) {
        all.push_back(addGroup("G" + std::to_string(g), g % 3 == 0 ? 0 : g));
        twins.push_back(rebuilt.addGroup("G" + std::to_string(g), g % 3 == 0 ? 0 : g));
    }
    unsigned seed = 777u;
    for (int step = 0; step < 400; ++step) {
        seed = seed * 1103515245u + 12345u;
        const unsigned g = (seed >> 16) % 6;
        const unsigned action = (seed >> 24) % 4;
        if (action < 2) {
            open(all[g], !all[g]->opened);
            rebuilt.open(twins[g], !twins[g]->opened);
        } else if (action == 2) {
            hideInPlace(all[g], !all[g]->hidden);
            rebuilt.hide(twins[g], !twins[g]->hidden);
        } else {
            addItem(all[g], "x" + std::to_string(step), 0);
            addItem(twins[g], "x" + std::to_string(step), 0);
        }
        expectInStep();
        ASSERT_EQ(view.rows.size(), rebuilt.view.rows.size()) << "step " << step;
        for (size_t row = 0; row < view.rows.size(); ++row) {
            ASSERT_EQ(view.rows[row].record->name, rebuilt.view.rows[row].record->name) << "step " << step;
            ASSERT_EQ(view.rows[row].image, rebuilt.view.rows[row].image) << "step " << step;
        }
    }
}
