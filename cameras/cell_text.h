#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace netlark {

/// One cell of the camera table: a short text held inline, so turning an
/// announcement into a row allocates nothing. The longest cell is an address
/// with a port, "255.255.255.255:65535" (21 characters).
class CellText {
public:
    static constexpr std::size_t CAPACITY = 23;

    CellText() = default;
    /// Keeps at most CAPACITY characters.
    CellText(std::string_view text);

    /// Adds `text` at the end, as much of it as still fits.
    void append(std::string_view text);

    /// For formatting code that writes a text in place (a burst formats
    /// thousands of rows): all CAPACITY characters, of which setLength()
    /// then keeps the first ones.
    std::span<char, CAPACITY> chars() { return m_chars; }
    void setLength(std::size_t length) {
        m_length = static_cast<unsigned char>(std::min(length, CAPACITY));
    }

    std::string_view view() const { return {m_chars.data(), m_length}; }
    bool empty() const { return m_length == 0; }

    bool operator==(const CellText& other) const { return view() == other.view(); }

private:
    std::array<char, CAPACITY> m_chars{};
    unsigned char m_length = 0;
};

} // namespace netlark
