#include "cameras/cell_text.h"

#include <algorithm>

namespace netlark {

CellText::CellText(std::string_view text)
    : m_length(static_cast<unsigned char>(std::min(text.size(), CAPACITY))) {
    std::copy_n(text.begin(), m_length, m_chars.begin());
}

} // namespace netlark
