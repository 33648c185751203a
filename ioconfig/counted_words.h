// A count and its noun, which agree: "1 axis", "3 axes", "0 errors".
#pragma once

#include <string>

std::string Counted(long long count, const char* one, const char* many);
