#include "run/report.h"

namespace run {

void Report::Line(std::initializer_list<std::string_view> fields)
{
    bool first = true;
    for (std::string_view field : fields) {
        if (!first)
            m_text += '\t';
        m_text += field;
        first = false;
    }
    m_text += '\n';
}

std::vector<std::uint8_t> Report::FileBytes() const
{
    std::vector<std::uint8_t> bytes{0xEF, 0xBB, 0xBF};
    for (char c : m_text) {
        if (c == '\n')
            bytes.push_back('\r');
        bytes.push_back(static_cast<std::uint8_t>(c));
    }
    return bytes;
}

}  // namespace run
