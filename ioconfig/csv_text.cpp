#include "ioconfig/csv_text.h"

#include <string_view>

std::string CsvField(const std::string& text, CsvFor form) {
    constexpr std::string_view formulaStarts = "=+-@\t\r";
    const std::string cell =
        form == CsvFor::Excel && !text.empty() && formulaStarts.find(text[0]) != std::string_view::npos ? "'" + text
                                                                                                          : text;
    if (cell.find_first_of(",\"\r\n") == std::string::npos) return cell;
    std::string quoted = "\"";
    for (char c : cell) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}
