#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string_view>

namespace netlark::fuzzing {

/// A text in a heap buffer of exactly its length, with no terminator after it:
/// a reader that runs past the end of the view is caught by AddressSanitizer.
class ExactText {
public:
    explicit ExactText(std::string_view text)
        : m_chars(std::make_unique<char[]>(text.size())), m_size(text.size()) {
        std::memcpy(m_chars.get(), text.data(), text.size());
    }

    std::string_view view() const { return {m_chars.get(), m_size}; }

private:
    std::unique_ptr<char[]> m_chars;
    std::size_t m_size;
};

inline std::string_view asText(std::span<const std::uint8_t> input) {
    return {reinterpret_cast<const char*>(input.data()), input.size()};
}

} // namespace netlark::fuzzing
