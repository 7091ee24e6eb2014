#include "cameras/camera_table.h"
#include "sample_cameras.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace netlark {
namespace {

/// A row with the given serial whose carried port tags it, so a test can tell
/// rows with equal serials apart.
CameraRow rowWith(std::string_view serial, std::uint16_t tag) {
    LinuxAnnouncement announcement = samples::linuxAnnouncement();
    announcement.serial = decltype(announcement.serial)::from(serial);
    announcement.carriedPort = tag;
    announcement.mac[5] = static_cast<std::uint8_t>(tag);
    return rowFromAnnouncement(announcement);
}

std::vector<std::string> column(const CameraTable& table, int column) {
    std::vector<std::string> result;
    for (int row = 0; row < table.size(); ++row) {
        result.emplace_back(table.cell(row, column));
    }
    return result;
}

TEST(CameraTable, RowsKeepSerialOrderWithTheirOwnColumns) {
    CameraTable table;
    const CameraRow b = rowWith("B", 1);
    const CameraRow a = rowWith("A", 2);
    EXPECT_EQ(table.insert(b), 0);
    EXPECT_EQ(table.insert(a), 0);
    ASSERT_EQ(table.size(), 2);
    EXPECT_EQ(table.row(0), a);
    EXPECT_EQ(table.row(1), b);
    EXPECT_EQ(table.cell(0, COLUMN_MAC), "00:1A:A0:BC:DE:02");
    EXPECT_EQ(table.cell(1, COLUMN_CARRIED_PORT), "1");
}

struct InsertCase {
    std::vector<std::string> arrivals;
    std::vector<int> returnedIndices;
    std::vector<std::string> tagsInOrder; // column 8 of each row, top to bottom
};

class CameraTableInsert : public ::testing::TestWithParam<InsertCase> {};

TEST_P(CameraTableInsert, ReturnsTheIndexTakenAndKeepsOrder) {
    CameraTable table;
    std::vector<int> returned;
    std::uint16_t tag = 0;
    for (const std::string& serial : GetParam().arrivals) {
        const CameraRow row = rowWith(serial, tag++);
        const int announced = table.insertionIndex(row);
        returned.push_back(table.insert(row));
        EXPECT_EQ(announced, returned.back()) << "insertionIndex of " << serial;
    }
    EXPECT_EQ(returned, GetParam().returnedIndices);
    EXPECT_EQ(column(table, COLUMN_CARRIED_PORT), GetParam().tagsInOrder);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, CameraTableInsert,
    ::testing::Values(
        // Case is ignored: a byte-wise comparison would put "B" before "a".
        InsertCase{{"B", "a"}, {0, 0}, {"1", "0"}},
        InsertCase{{"abd", "ABC", "Abe"}, {0, 0, 2}, {"1", "0", "2"}},
        // Equal serials, also in different case, keep arrival order.
        InsertCase{{"X", "X", "x", "W", "X"}, {0, 1, 2, 0, 4}, {"3", "0", "1", "2", "4"}},
        // A prefix sorts before the longer serial; digits before letters.
        InsertCase{{"CAM10", "CAM1", "CAMA", "CAM2"}, {0, 0, 2, 2}, {"1", "0", "3", "2"}}));

TEST(CameraTable, MissingRowsAndColumnsReadAsEmptyText) {
    CameraTable table;
    EXPECT_EQ(table.cell(0, COLUMN_SERIAL), "");
    table.insert(rowWith("A", 0));
    EXPECT_EQ(table.cell(0, COLUMN_SERIAL), "A");
    EXPECT_EQ(table.cell(1, COLUMN_SERIAL), "");
    EXPECT_EQ(table.cell(-1, COLUMN_SERIAL), "");
    EXPECT_EQ(table.cell(0, -1), "");
    EXPECT_EQ(table.cell(0, CAMERA_COLUMN_COUNT), "");
}

TEST(CameraTable, ClearEmptiesTheTableAndArrivalOrderStartsAfresh) {
    CameraTable table;
    table.insert(rowWith("A", 0));
    table.insert(rowWith("B", 1));
    table.clear();
    EXPECT_EQ(table.size(), 0);
    EXPECT_EQ(table.cell(0, COLUMN_SERIAL), "");
    EXPECT_EQ(table.insert(rowWith("S", 7)), 0);
    EXPECT_EQ(table.insert(rowWith("S", 8)), 1);
    EXPECT_EQ(column(table, COLUMN_CARRIED_PORT), (std::vector<std::string>{"7", "8"}));
}

std::string folded(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

// A large burst with many equal serials in mixed case: every insert reports
// where its row went, and the table ends sorted and stable.
TEST(CameraTable, ManyRowsStaySortedAndStable) {
    std::mt19937 random(7);
    CameraTable table;
    for (std::uint16_t tag = 0; tag < 10000; ++tag) {
        std::string serial = "cam" + std::to_string(random() % 500);
        if (random() % 2 == 0) {
            serial[0] = 'C';
        }
        const CameraRow row = rowWith(serial, tag);
        const int index = table.insert(row);
        ASSERT_EQ(table.row(index), row);
    }
    ASSERT_EQ(table.size(), 10000);
    for (int i = 1; i < table.size(); ++i) {
        const std::string before = folded(table.cell(i - 1, COLUMN_SERIAL));
        const std::string after = folded(table.cell(i, COLUMN_SERIAL));
        ASSERT_LE(before, after) << "at row " << i;
        if (before == after) {
            ASSERT_LT(std::stoi(std::string(table.cell(i - 1, COLUMN_CARRIED_PORT))),
                      std::stoi(std::string(table.cell(i, COLUMN_CARRIED_PORT))))
                << "at row " << i;
        }
    }
}

} // namespace
} // namespace netlark
