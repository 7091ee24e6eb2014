#include "cameras/camera_table.h"

#include <algorithm>
#include <compare>

namespace netlark {

namespace {

unsigned char foldAsciiCase(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

std::strong_ordering compareIgnoringCase(std::string_view left, std::string_view right) {
    return std::lexicographical_compare_three_way(
        left.begin(), left.end(), right.begin(), right.end(),
        [](char a, char b) { return foldAsciiCase(a) <=> foldAsciiCase(b); });
}

} // namespace

bool CameraTable::SerialOrder::operator()(const Entry& left, const Entry& right) const {
    const auto order =
        compareIgnoringCase(left.row.text(COLUMN_SERIAL), right.row.text(COLUMN_SERIAL));
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
