#include "tools/camsim/json_line.h"

#include <array>
#include <charconv>

namespace netlark {

namespace {

void appendQuoted(std::string& out, std::string_view text) {
    static constexpr std::string_view HEX = "0123456789abcdef";
    out += '"';
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (byte) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20 || byte > 0x7E) {
                out += "\\u00";
                out += HEX[byte >> 4];
                out += HEX[byte & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

} // namespace

JsonLine& JsonLine::addText(std::string_view key, std::string_view text) {
    addKey(key);
    appendQuoted(m_body, text);
    return *this;
}

JsonLine& JsonLine::addInteger(std::string_view key, std::int64_t value) {
    addKey(key);
    m_body += std::to_string(value);
    return *this;
}

JsonLine& JsonLine::addReal(std::string_view key, double value, int decimals) {
    addKey(key);
    // Room for the largest double in fixed notation (309 digits) and its decimals.
    std::array<char, 400> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                   std::chars_format::fixed, decimals);
    m_body.append(digits.data(), end.ptr);
    return *this;
}

std::string JsonLine::text() const {
    return "{" + m_body + "}";
}

void JsonLine::addKey(std::string_view key) {
    if (!m_body.empty()) {
        m_body += ',';
    }
    appendQuoted(m_body, key);
    m_body += ':';
}

} // namespace netlark
