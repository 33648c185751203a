// The text Quillet shows when the installed controller software is too old:
// a library that cannot be loaded or that lacks one of the required names.
#pragma once

#include <string>

enum class ControllerLibrary { Api, Dialogs };

std::string VersionMessageText(ControllerLibrary library);
