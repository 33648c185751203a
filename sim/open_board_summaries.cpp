#include "sim/open_board_summaries.h"

#include <windows.h>

#include <string>

#include "sim/text_format.h"

namespace {

constexpr DWORD TableBytes = sizeof(OpenBoardSummary) * PublishedBoardCapacity;

// One name per process, so two programs using the simulation never meet.
std::string tableMappingName()
{
    return formatText("KxSimOpenBoards.%lu", GetCurrentProcessId());
}

}  // namespace

PublishedBoardTable createPublishedBoardTable()
{
    PublishedBoardTable table;
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, TableBytes,
                                        tableMappingName().c_str());
    if (!mapping) {
        return table;
    }
    void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, TableBytes);
    if (!view) {
        CloseHandle(mapping);
        return table;
    }
    table.mapping = mapping;
    table.entries = static_cast<OpenBoardSummary*>(view);
    return table;
}

void destroyPublishedBoardTable(PublishedBoardTable& table)
{
    if (table.entries) {
        UnmapViewOfFile(table.entries);
    }
    if (table.mapping) {
        CloseHandle(table.mapping);
    }
    table = PublishedBoardTable{};
}

void publishOpenBoards(PublishedBoardTable& table, const std::vector<OpenBoardSummary>& boards)
{
    if (!table.entries) {
        return;
    }
    for (size_t i = 0; i < PublishedBoardCapacity; ++i) {
        table.entries[i] = i < boards.size() ? boards[i] : OpenBoardSummary{};
    }
}

std::optional<OpenBoardSummary> findPublishedBoard(uint32_t handle)
{
    if (handle == 0) {
        return std::nullopt;
    }
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, tableMappingName().c_str());
    if (!mapping) {
        return std::nullopt;
    }
    std::optional<OpenBoardSummary> found;
    if (const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, TableBytes)) {
        const auto* entries = static_cast<const OpenBoardSummary*>(view);
        for (size_t i = 0; i < PublishedBoardCapacity && !found; ++i) {
            if (entries[i].handle == handle) {
                found = entries[i];
            }
        }
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return found;
}
