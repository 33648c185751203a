// What the checks read from a Windows program or library file, 32-bit (PE32)
// or 64-bit (PE32+), straight from its bytes: no loader, so a test can read
// a file built for either processor, on the host or under Wine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr uint16_t PeMachineI386 = 0x014C;
constexpr uint16_t PeMachineAmd64 = 0x8664;
constexpr uint16_t PeSubsystemWindowsGui = 2;
constexpr uint16_t PeSubsystemWindowsConsole = 3;

// A resource's type and name as the resource functions spell them: a
// number as "#" followed by it, a name in upper case, as resource compilers
// store it.
struct PeResource {
    std::string type;
    std::string name;
    std::string data;
};

struct PeFile {
    bool valid = false;      // the headers and every directory read were whole
    uint16_t machine = 0;
    bool pe32Plus = false;
    uint16_t subsystem = 0;
    std::vector<std::string> importedLibraries;  // as stored, in their order
    std::vector<std::string> exportedNames;
    std::vector<PeResource> resources;
};

PeFile ReadPeFile(const std::vector<uint8_t>& bytes);

// The whole file, or nothing when it cannot be read.
std::vector<uint8_t> ReadWholeFile(const std::string& path);
