#include "ioconfig/window_caption.h"

std::string WindowCaption(const std::string& source, bool unsaved) {
    const std::string shown = source.empty() ? "Quillet" : source + " - Quillet";
    return unsaved ? "*" + shown : shown;
}

std::string FileNameOf(const std::string& path) {
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}
