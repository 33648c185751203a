// The main window's caption: what it holds, where from, and whether that
// has changed since.
#pragma once

#include <string>

// "Quillet" while the window holds nothing; otherwise the source of its
// assignments ("Controller 0", "press7.tvxio") before " - Quillet", with a
// leading "*" while they hold changes neither saved nor written.
std::string WindowCaption(const std::string& source, bool unsaved);

// The last part of a path, after its last "\" or "/".
std::string FileNameOf(const std::string& path);
