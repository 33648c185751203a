#include "ioconfig/version_message.h"

std::string VersionMessageText(ControllerLibrary library) {
    // The version is written as three plain integers, so it reads 340.
    std::string text = "This application requires version ";
    for (int part : {3, 4, 0}) text += std::to_string(part);
    text += library == ControllerLibrary::Api ? "\nor later of the Kestrix API!"
                                              : "\nor later of the Kestrix Dialogs!";
    return text;
}
