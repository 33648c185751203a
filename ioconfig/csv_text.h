// CSV cells as scripts read them, and as Excel should: a UTF-8 byte-order
// mark so that it reads the labels as UTF-8, and no cell it would run as a
// formula (CSV injection: a label from someone else's file that begins with
// "=", "+", "-", "@", a tab or a carriage return gets a leading "'").
#pragma once

#include <string>

enum class CsvFor { Scripts, Excel };

constexpr const char* Utf8ByteOrderMark = "\xEF\xBB\xBF";

// Quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text, CsvFor form = CsvFor::Scripts);
