#pragma once

#include "cameras/camera_row.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace netlark {

/// The discovered cameras, kept in ascending order of their serial number
/// (column 0, compared case-insensitively; equal serials keep arrival order).
/// The only record of what a scan found.
class CameraTable {
public:
    /// Inserts a row where its serial belongs and returns the index it took.
    int insert(const CameraRow& row);

    /// The text of a cell; a row or column that does not exist reads as empty text.
    std::string_view cell(int row, int column) const;

    /// The row at a sorted index; the index must exist.
    const CameraRow& row(int index) const;

    int size() const;
    void clear();
};

} // namespace netlark
