// What a run from the command line reports: lines shown on the console and,
// when asked for, saved to a report file in UTF-8 with a byte-order mark and
// CR LF line ends, as Notepad on Windows XP reads it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace run {

class Report {
public:
    // A line of fields separated by tabs.
    void Line(std::initializer_list<std::string_view> fields);
    // The other report's lines after these.
    void Append(const Report& other) { m_text += other.m_text; }

    const std::string& Text() const { return m_text; }
    std::vector<std::uint8_t> FileBytes() const;

private:
    std::string m_text;
};

}  // namespace run
