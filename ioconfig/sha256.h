// SHA-256 (FIPS 180-4), for naming exactly which file a command took its
// assignments from.
#pragma once

#include <string>

// The digest of bytes as 64 lowercase hexadecimal digits.
std::string Sha256Hex(const std::string& bytes);
