#include "controller/version_message.h"

#include <sstream>

std::string VersionMessageText(ControllerLibrary library) {
    // The version is streamed as three plain integers, so it reads 340.
    std::ostringstream text;
    text << "This application requires version " << 3 << 4 << 0;
    text << (library == ControllerLibrary::Api ? "\nor later of the Kestrix API!"
                                               : "\nor later of the Kestrix Dialogs!");
    return text.str();
}
