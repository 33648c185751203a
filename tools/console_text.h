// What tvxio prints, as a console shows it: a console's code page (437, 850
// ...) would garble UTF-8 ("Î© motor Ã¼" for "Ω motor ü"), so a console is
// written UTF-16 through WriteConsoleW. A file or a pipe gets the UTF-8 bytes
// as they are, for the scripts that read them, flushed at once.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

// stream is stdout or stderr.
void WriteText(FILE* stream, const std::string& utf8);

// Formatted as printf formats, then written as WriteText writes.
void PrintText(FILE* stream, const char* format, ...);
