// What kxdlg32's "Controller Information" dialog shows about an open handle.
// The handles live in kxapi32.dll, and neither library may export more than
// the vendor's names, so kxapi32 publishes a summary of its open boards in a
// small memory mapping private to the process, and kxdlg32 looks there.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

struct OpenBoardSummary {
    uint32_t handle;  // 0: unused entry
    int32_t controller;
    int32_t channelCount;
    uint32_t axisCount;
};

constexpr size_t PublishedBoardCapacity = 32;

// kxapi32's side: owns the mapping from process attach to detach.
struct PublishedBoardTable {
    void* mapping = nullptr;
    OpenBoardSummary* entries = nullptr;
};

PublishedBoardTable createPublishedBoardTable();
void destroyPublishedBoardTable(PublishedBoardTable& table);
// Replaces the whole table; boards beyond the capacity are not shown.
void publishOpenBoards(PublishedBoardTable& table, const std::vector<OpenBoardSummary>& boards);

// kxdlg32's side: nothing when kxapi32 is not loaded or the handle is not open.
std::optional<OpenBoardSummary> findPublishedBoard(uint32_t handle);
