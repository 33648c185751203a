#include "sim/text_format.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>

std::string FormatText(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list measuring;
    va_copy(measuring, arguments);
    int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, arguments);
        text.resize(static_cast<size_t>(length));
    }
    va_end(arguments);
    return text;
}

std::string FormatAddress(const void* pointer) {
    return FormatText("0x%08X", static_cast<unsigned>(reinterpret_cast<uintptr_t>(pointer)));
}

std::string FormatQuotedOrNull(const char* text) {
    return text ? FormatText("\"%s\"", text) : std::string("NULL");
}
