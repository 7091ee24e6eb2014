#pragma once

#include "cameras/camera_row.h"

#include <cstdint>
#include <ext/pb_ds/assoc_container.hpp>
#include <ext/pb_ds/tree_policy.hpp>
#include <string_view>

namespace netlark {

/// The discovered cameras, kept in ascending order of their serial number
/// (column 0, compared case-insensitively; equal serials keep arrival order).
/// The only record of what a scan found.
class CameraTable {
public:
    /// Inserts a row where its serial belongs and returns the index it took.
    int insert(const CameraRow& row);

    /// The index insert() would give this row now, so a view can be told
    /// where a row goes before it is inserted.
    int insertionIndex(const CameraRow& row) const;

    /// The text of a cell; a row or column that does not exist reads as empty text.
    std::string_view cell(int row, int column) const;

    /// The row at a sorted index; the index must exist.
    const CameraRow& row(int index) const;

    int size() const;
    void clear();

private:
    /// A row, its serial folded to lower case (the sort key, folded once
    /// rather than at every comparison) and the order it arrived in, which
    /// breaks ties between equal serials.
    struct Entry {
        Entry(const CameraRow& row, std::uint64_t arrival);

        CameraRow row;
        CellText sortKey;
        std::uint64_t arrival;
    };

    struct SerialOrder {
        bool operator()(const Entry& left, const Entry& right) const;
    };

    // A balanced tree that also knows each node's rank: inserting, finding the
    // index a row took and reading a row by index all stay logarithmic, so a
    // burst of thousands of announcements is listed in n log n, and a row,
    // once stored, never moves.
    using SortedRows =
        __gnu_pbds::tree<Entry, __gnu_pbds::null_type, SerialOrder, __gnu_pbds::rb_tree_tag,
                         __gnu_pbds::tree_order_statistics_node_update>;

    SortedRows m_rows;
    std::uint64_t m_arrivals = 0;
};

} // namespace netlark
