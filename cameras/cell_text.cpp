#include "cameras/cell_text.h"

namespace netlark {

CellText::CellText(std::string_view text) {
    append(text);
}

void CellText::append(std::string_view text) {
    // The length is kept in a local: written back once, not after every character.
    std::size_t length = m_length;
    for (const char c : text) {
        if (length == CAPACITY) {
            break;
        }
        m_chars[length++] = c;
    }
    m_length = static_cast<unsigned char>(length);
}

} // namespace netlark
