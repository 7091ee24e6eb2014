#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace netlark {

/// Builds one JSON object on one line, field by field, in the order added.
///
/// Texts are taken as bytes and each byte is written as the character of the
/// same code (Latin-1): quotes, backslashes, control characters and bytes
/// above 0x7E are escaped, so a line is always plain ASCII and valid JSON,
/// whatever a datagram carried.
class JsonLine {
public:
    JsonLine& addText(std::string_view key, std::string_view text);
    JsonLine& addInteger(std::string_view key, std::int64_t value);
    /// A number with a fixed count of decimals.
    JsonLine& addReal(std::string_view key, double value, int decimals);

    /// The finished object, without a line break.
    std::string text() const;

private:
    void addKey(std::string_view key);

    std::string m_body;
};

} // namespace netlark
