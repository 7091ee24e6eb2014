#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace netlark {

/// A text field of at most N characters read from a datagram: it ends at the
/// first zero byte or at the end of the field. Held inline, so decoding a
/// datagram allocates nothing.
template <std::size_t N> class FieldText {
public:
    FieldText() = default;

    static FieldText read(std::span<const std::uint8_t> bytes, std::size_t at) {
        FieldText text;
        while (text.m_length < N && bytes[at + text.m_length] != 0) {
            text.m_chars[text.m_length] = static_cast<char>(bytes[at + text.m_length]);
            ++text.m_length;
        }
        return text;
    }

    /// Takes at most N characters of `text`, stopping at an embedded zero as a
    /// reader of the field would.
    static FieldText from(std::string_view text) {
        FieldText result;
        while (result.m_length < N && result.m_length < text.size() &&
               text[result.m_length] != '\0') {
            result.m_chars[result.m_length] = text[result.m_length];
            ++result.m_length;
        }
        return result;
    }

    std::string_view view() const { return {m_chars.data(), m_length}; }

    bool operator==(const FieldText& other) const { return view() == other.view(); }

private:
    std::array<char, N> m_chars{};
    std::size_t m_length = 0;
};

} // namespace netlark
