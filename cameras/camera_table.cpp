#include "cameras/camera_table.h"

namespace netlark {

namespace {

CellText foldedToLowerCase(std::string_view text) {
    CellText folded(text);
    for (char& c : folded.chars()) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

} // namespace

CameraTable::Entry::Entry(const CameraRow& row, std::uint64_t arrival)
    : row(row), sortKey(foldedToLowerCase(row.text(COLUMN_SERIAL))), arrival(arrival) {}

bool CameraTable::SerialOrder::operator()(const Entry& left, const Entry& right) const {
    // string_view compares characters as unsigned bytes, as the case folding
    // leaves them.
    const int order = left.sortKey.view().compare(right.sortKey.view());
    return order != 0 ? order < 0 : left.arrival < right.arrival;
}

int CameraTable::insert(const CameraRow& row) {
    // The newest arrival sorts after every equal serial already listed.
    const auto position = m_rows.insert(Entry{row, m_arrivals++}).first;
    return static_cast<int>(m_rows.order_of_key(*position));
}

int CameraTable::insertionIndex(const CameraRow& row) const {
    return static_cast<int>(m_rows.order_of_key(Entry{row, m_arrivals}));
}

std::string_view CameraTable::cell(int row, int column) const {
    if (row < 0 || row >= size() || column < 0 || column >= CAMERA_COLUMN_COUNT) {
        return {};
    }
    return this->row(row).text(column);
}

const CameraRow& CameraTable::row(int index) const {
    return m_rows.find_by_order(static_cast<std::size_t>(index))->row;
}

int CameraTable::size() const {
    return static_cast<int>(m_rows.size());
}

void CameraTable::clear() {
    m_rows.clear();
    m_arrivals = 0;
}

} // namespace netlark
