// Checks of the program users run, the 32-bit quillet.exe, read from its
// file on the host: they hold whichever build the Wine tests run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/pe_file.h"

namespace {

// quillet.exe, or a program beside it.
PeFile Product(const std::string& besideQuillet = "") {
    const char* quillet = std::getenv("QUILLET_PRODUCT");
    if (quillet == nullptr) {
        ADD_FAILURE() << "QUILLET_PRODUCT does not name quillet.exe";
        return {};
    }
    std::string path = quillet;
    if (!besideQuillet.empty()) path = path.substr(0, path.find_last_of("\\/") + 1) + besideQuillet;
    PeFile file = ReadPeFile(ReadWholeFile(path));
    EXPECT_TRUE(file.valid) << path;
    return file;
}

std::string UpperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

const PeResource* FindResource(const PeFile& file, const std::string& type, const std::string& name) {
    for (const PeResource& resource : file.resources)
        if (resource.type == type && resource.name == name) return &resource;
    return nullptr;
}

// A string of a version resource, whose keys and values are UTF-16.
std::string VersionString(const PeResource& resource, const std::string& key) {
    std::string text;
    for (size_t i = 0; i + 1 < resource.data.size(); i += 2) text += resource.data[i + 1] == 0 ? resource.data[i] : '?';
    const size_t at = text.find(key + '\0');
    if (at == std::string::npos) return "";
    const size_t start = text.find_first_not_of('\0', at + key.size());
    return start == std::string::npos ? "" : text.substr(start, text.find('\0', start) - start);
}

}  // namespace

TEST(Product, IsA32BitWindowsGuiProgram) {
    const PeFile quillet = Product();
    EXPECT_EQ(quillet.machine, PeMachineI386);
    EXPECT_FALSE(quillet.pe32Plus);
    EXPECT_EQ(quillet.subsystem, PeSubsystemWindowsGui);
}

// Every imported library is loaded before WinMain on every start; the common
// controls and dialogs (which bring the shell with them) wait for first use.
TEST(Product, ImportsOnlyTheSystemLibrariesEveryStartNeeds) {
    std::vector<std::string> names;
    for (const std::string& name : Product().importedLibraries) names.push_back(UpperCase(name));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"ADVAPI32.DLL", "GDI32.DLL", "KERNEL32.DLL", "MSVCRT.DLL", "USER32.DLL"}));
}

TEST(Product, CarriesItsIconMenuPageTemplateAndAnX86Manifest) {
    const PeFile quillet = Product();
    EXPECT_NE(FindResource(quillet, "#14", "#101"), nullptr);   // icon group
    EXPECT_NE(FindResource(quillet, "#4", "APPMENU"), nullptr);
    EXPECT_NE(FindResource(quillet, "#5", "#2000"), nullptr);   // axis-pair page
    EXPECT_NE(FindResource(quillet, "#11", "#1"), nullptr);     // the Event Log's messages
    const PeResource* manifest = FindResource(quillet, "#24", "#1");
    ASSERT_NE(manifest, nullptr);
    EXPECT_NE(manifest->data.find("name=\"Quillet\" version=\"1.0.0.0\" processorArchitecture=\"X86\""),
              std::string::npos);
    EXPECT_NE(manifest->data.find("level=\"requireAdministrator\""), std::string::npos);
}

TEST(Product, TvxioIsA32BitConsoleProgramThatRunsAsInvoker) {
    const PeFile tvxio = Product("tvxio.exe");
    EXPECT_EQ(tvxio.machine, PeMachineI386);
    EXPECT_EQ(tvxio.subsystem, PeSubsystemWindowsConsole);
    EXPECT_NE(FindResource(tvxio, "#11", "#1"), nullptr);  // the Event Log's messages
    const PeResource* manifest = FindResource(tvxio, "#24", "#1");
    ASSERT_NE(manifest, nullptr);
    EXPECT_NE(manifest->data.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest->data.find("processorArchitecture=\"X86\""), std::string::npos);
}

// What Explorer's Details tab and inventory tools read, printed for the log.
TEST(Product, BothProgramsCarryTheVersionResourceOfTheProject) {
    for (const std::string name : {"quillet.exe", "tvxio.exe"}) {
        const PeFile program = Product(name == "quillet.exe" ? "" : name);
        const PeResource* version = FindResource(program, "#16", "#1");
        ASSERT_NE(version, nullptr) << name;
        std::printf("%s:", name.c_str());
        for (const char* key : {"FileVersion", "ProductVersion", "ProductName", "FileDescription", "OriginalFilename",
                                "LegalCopyright"})
            std::printf(" %s=\"%s\"", key, VersionString(*version, key).c_str());
        std::printf("\n");
        EXPECT_EQ(VersionString(*version, "FileVersion"), QUILLET_VERSION) << name;
        EXPECT_EQ(VersionString(*version, "ProductVersion"), QUILLET_VERSION) << name;
        EXPECT_EQ(VersionString(*version, "ProductName"), "Quillet") << name;
        EXPECT_EQ(VersionString(*version, "OriginalFilename"), name);
        EXPECT_EQ(VersionString(*version, "LegalCopyright").rfind("Copyright (C) 2026", 0), 0u) << name;
        EXPECT_FALSE(VersionString(*version, "FileDescription").empty()) << name;
    }
}
