#include "tests/support/pe_file.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>
#include <optional>

namespace {

constexpr uint16_t OptionalMagicPe32 = 0x10B;
constexpr uint16_t OptionalMagicPe32Plus = 0x20B;
constexpr size_t ExportDirectory = 0;
constexpr size_t ImportDirectory = 1;
constexpr size_t ResourceDirectory = 2;
constexpr size_t ImportDescriptorSize = 20;
constexpr size_t SectionHeaderSize = 40;

// Little-endian reads that fail instead of reading past the end.
class Bytes {
public:
    explicit Bytes(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    std::optional<uint32_t> U16(size_t at) const { return Number(at, 2); }
    std::optional<uint32_t> U32(size_t at) const { return Number(at, 4); }

    std::optional<std::string> CString(size_t at) const {
        std::string text;
        for (; at < bytes_.size(); ++at) {
            if (bytes_[at] == 0) return text;
            text.push_back(static_cast<char>(bytes_[at]));
        }
        return std::nullopt;
    }

    std::optional<std::string> Span(size_t at, size_t size) const {
        if (at > bytes_.size() || size > bytes_.size() - at) return std::nullopt;
        return std::string(bytes_.begin() + static_cast<std::ptrdiff_t>(at),
                           bytes_.begin() + static_cast<std::ptrdiff_t>(at + size));
    }

private:
    std::optional<uint32_t> Number(size_t at, size_t size) const {
        if (at > bytes_.size() || size > bytes_.size() - at) return std::nullopt;
        uint32_t value = 0;
        for (size_t i = size; i-- > 0;) value = value << 8 | bytes_[at + i];
        return value;
    }

    const std::vector<uint8_t>& bytes_;
};

struct Section {
    uint32_t address;
    uint32_t size;
    uint32_t fileOffset;
};

struct Directory {
    uint32_t address = 0;
    uint32_t size = 0;
};

class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& bytes) : file_(bytes) {}

    bool ReadHeaders(PeFile& pe) {
        const auto headerAt = file_.U32(0x3C);
        if (file_.U16(0) != 0x5A4D || !headerAt || file_.U32(*headerAt) != 0x00004550) return false;
        const size_t fileHeader = *headerAt + 4;
        const auto machine = file_.U16(fileHeader);
        const auto sectionCount = file_.U16(fileHeader + 2);
        const auto optionalSize = file_.U16(fileHeader + 16);
        const size_t optional = fileHeader + 20;
        const auto magic = file_.U16(optional);
        const auto subsystem = file_.U16(optional + 68);
        if (!machine || !sectionCount || !optionalSize || !magic || !subsystem) return false;
        if (*magic != OptionalMagicPe32 && *magic != OptionalMagicPe32Plus) return false;
        pe.machine = static_cast<uint16_t>(*machine);
        pe.pe32Plus = *magic == OptionalMagicPe32Plus;
        pe.subsystem = static_cast<uint16_t>(*subsystem);
        return ReadDirectories(optional + (pe.pe32Plus ? 108 : 92)) &&
               ReadSections(optional + *optionalSize, *sectionCount);
    }

    bool ReadImports(PeFile& pe) const {
        const Directory& imports = directories_[ImportDirectory];
        if (imports.address == 0) return true;
        const auto table = OffsetOf(imports.address);
        if (!table) return false;
        for (size_t at = *table;; at += ImportDescriptorSize) {
            const auto nameAddress = file_.U32(at + 12);
            if (!nameAddress) return false;
            if (*nameAddress == 0) return true;
            const auto name = StringAt(*nameAddress);
            if (!name) return false;
            pe.importedLibraries.push_back(*name);
        }
    }

    bool ReadExports(PeFile& pe) const {
        const Directory& exports = directories_[ExportDirectory];
        if (exports.address == 0) return true;
        const auto directory = OffsetOf(exports.address);
        if (!directory) return false;
        const auto count = file_.U32(*directory + 24);
        const auto namesAddress = file_.U32(*directory + 32);
        if (!count || !namesAddress) return false;
        for (uint32_t i = 0; i < *count; ++i) {
            const auto names = OffsetOf(*namesAddress + 4 * i);
            const auto nameAddress = names ? file_.U32(*names) : std::nullopt;
            const auto name = nameAddress ? StringAt(*nameAddress) : std::nullopt;
            if (!name) return false;
            pe.exportedNames.push_back(*name);
        }
        return true;
    }

    // Resources sit in a three-level tree: type, name, language.
    bool ReadResources(PeFile& pe) const {
        const Directory& resources = directories_[ResourceDirectory];
        if (resources.address == 0) return true;
        const auto root = OffsetOf(resources.address);
        if (!root) return false;
        return ForEachEntry(*root, *root, [&](const std::string& type, size_t typeTable) {
            return ForEachEntry(*root, typeTable, [&](const std::string& name, size_t nameTable) {
                return ForEachEntry(*root, nameTable, [&](const std::string&, size_t leaf) {
                    const auto dataAddress = file_.U32(leaf);
                    const auto dataSize = file_.U32(leaf + 4);
                    const auto dataAt = dataAddress ? OffsetOf(*dataAddress) : std::nullopt;
                    const auto data = dataAt && dataSize ? file_.Span(*dataAt, *dataSize) : std::nullopt;
                    if (!data) return false;
                    pe.resources.push_back({type, name, *data});
                    return true;
                });
            });
        });
    }

private:
    bool ReadDirectories(size_t countAt) {
        const auto count = file_.U32(countAt);
        if (!count) return false;
        for (size_t i = 0; i < std::size(directories_) && i < *count; ++i) {
            const auto address = file_.U32(countAt + 4 + 8 * i);
            const auto size = file_.U32(countAt + 8 + 8 * i);
            if (!address || !size) return false;
            directories_[i] = {*address, *size};
        }
        return true;
    }

    bool ReadSections(size_t tableAt, uint32_t count) {
        for (uint32_t i = 0; i < count; ++i) {
            const size_t at = tableAt + SectionHeaderSize * i;
            const auto size = file_.U32(at + 8);
            const auto address = file_.U32(at + 12);
            const auto rawSize = file_.U32(at + 16);
            const auto rawAt = file_.U32(at + 20);
            if (!size || !address || !rawSize || !rawAt) return false;
            sections_.push_back({*address, std::max(*size, *rawSize), *rawAt});
        }
        return true;
    }

    std::optional<size_t> OffsetOf(uint32_t address) const {
        for (const Section& section : sections_)
            if (address >= section.address && address - section.address < section.size)
                return size_t{section.fileOffset} + (address - section.address);
        return std::nullopt;
    }

    std::optional<std::string> StringAt(uint32_t address) const {
        const auto at = OffsetOf(address);
        return at ? file_.CString(*at) : std::nullopt;
    }

    // Calls visit(id, offset) for each entry of the resource table at
    // tableAt; offsets inside the resource section count from its start.
    template <typename Visit>
    bool ForEachEntry(size_t root, size_t tableAt, Visit visit) const {
        const auto named = file_.U16(tableAt + 12);
        const auto numbered = file_.U16(tableAt + 14);
        if (!named || !numbered) return false;
        for (uint32_t i = 0; i < *named + *numbered; ++i) {
            const size_t entry = tableAt + 16 + 8 * i;
            const auto id = file_.U32(entry);
            const auto target = file_.U32(entry + 4);
            if (!id || !target) return false;
            const auto text = ResourceId(root, *id);
            if (!text || !visit(*text, root + (*target & 0x7FFFFFFF))) return false;
        }
        return true;
    }

    // A name is a counted UTF-16 string; resource names are plain ASCII.
    std::optional<std::string> ResourceId(size_t root, uint32_t id) const {
        if ((id & 0x80000000) == 0) return std::string("#").append(std::to_string(id));
        const size_t at = root + (id & 0x7FFFFFFF);
        const auto length = file_.U16(at);
        if (!length) return std::nullopt;
        std::string name;
        for (uint32_t i = 0; i < *length; ++i) {
            const auto unit = file_.U16(at + 2 + 2 * i);
            if (!unit) return std::nullopt;
            name.push_back(*unit < 0x80 ? static_cast<char>(*unit) : '?');
        }
        return name;
    }

    Bytes file_;
    Directory directories_[3];
    std::vector<Section> sections_;
};

}  // namespace

PeFile ReadPeFile(const std::vector<uint8_t>& bytes) {
    PeFile pe;
    Reader reader(bytes);
    pe.valid = reader.ReadHeaders(pe) && reader.ReadImports(pe) && reader.ReadExports(pe) &&
               reader.ReadResources(pe);
    return pe;
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    std::vector<uint8_t> bytes;
    if (!file) return bytes;
    uint8_t block[65536];
    for (size_t read; (read = std::fread(block, 1, sizeof block, file.get())) > 0;)
        bytes.insert(bytes.end(), block, block + read);
    return bytes;
}
