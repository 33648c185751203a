// Our kxapi32.dll: the five calls Quillet makes, answered from the simulated
// board. Every other exported name is the shared stub (see the .def file).
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

#include "controller/library_interface.h"
#include "sim/board.h"
#include "sim/call_log.h"
#include "sim/open_board_summaries.h"
#include "sim/registry_overlay.h"
#include "sim/sim_status.h"
#include "sim/text_format.h"

namespace {

struct OpenBoard {
    uint32_t handle;
    int16_t controller;
    Board board;
};

// The DLL's state: the handles KXOpen gave out, guarded for callers on
// several threads.
struct ApiState {
    SRWLOCK lock = SRWLOCK_INIT;
    std::vector<OpenBoard> openBoards;
    PublishedBoardTable publishedBoards;
};
ApiState state;

struct ExclusiveLock {
    explicit ExclusiveLock(SRWLOCK& lock) : lock(lock) { AcquireSRWLockExclusive(&lock); }
    ~ExclusiveLock() { ReleaseSRWLockExclusive(&lock); }
    ExclusiveLock(const ExclusiveLock&) = delete;
    ExclusiveLock& operator=(const ExclusiveLock&) = delete;
    SRWLOCK& lock;
};

OpenBoard* findOpenBoard(uint32_t handle)
{
    for (OpenBoard& open : state.openBoards) {
        if (open.handle == handle) {
            return &open;
        }
    }
    return nullptr;
}

void publishOpenBoardsLocked()
{
    std::vector<OpenBoardSummary> summaries;
    for (const OpenBoard& open : state.openBoards) {
        summaries.push_back({open.handle, open.controller, open.board.channelCount,
                             axisCountOf(open.board.area)});
    }
    publishOpenBoards(state.publishedBoards, summaries);
}

// Opening a handle that is already open starts it afresh from the new board.
void rememberOpenBoard(OpenBoard open)
{
    ExclusiveLock guard(state.lock);
    if (OpenBoard* existing = findOpenBoard(open.handle)) {
        *existing = std::move(open);
    } else {
        state.openBoards.push_back(std::move(open));
    }
    publishOpenBoardsLocked();
}

bool forgetOpenBoard(uint32_t handle)
{
    ExclusiveLock guard(state.lock);
    auto it = std::find_if(state.openBoards.begin(), state.openBoards.end(),
                           [handle](const OpenBoard& open) { return open.handle == handle; });
    if (it == state.openBoards.end()) {
        return false;
    }
    state.openBoards.erase(it);
    publishOpenBoardsLocked();
    return true;
}

bool rangeInsideArea(uint32_t address, uint32_t length)
{
    if (address < IoConfigAreaAddress) {
        return false;
    }
    uint64_t offset = address - IoConfigAreaAddress;
    return offset + length <= IoConfigAreaSize;
}

bool channelExists(const Board& board, uint32_t channel)
{
    return board.channelCount > 0 && channel >= 1 && channel <= static_cast<uint32_t>(board.channelCount);
}

std::string quotedOrNull(const char* text)
{
    return text ? formatText("\"%s\"", text) : std::string("NULL");
}

uint32_t callerRecordSize(const ControllerConfigRecord* record)
{
    uint32_t size = 0;
    std::memcpy(&size, record->bytes + ConfigRecordSizeOffset, sizeof size);
    return size;
}

void writeLittleEndian32(ControllerConfigRecord* record, size_t offset, int32_t value)
{
    uint32_t bits = static_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i) {
        record->bytes[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
    }
}

}  // namespace

extern "C" int16_t WINAPI SimKXOpen(uint32_t controller, uint32_t mode, const char* name)
{
    Board board = loadBoardDescription();
    int16_t result = board.openResult;
    if (result > 0) {
        int16_t number = controllerNumber(controller);
        if (board.registryOverlay) {
            applyRegistryOverlay(board.area, number);
        }
        rememberOpenBoard(OpenBoard{static_cast<uint32_t>(result), number, std::move(board)});
    }
    appendToCallLog(formatText("KXOpen(%u, %u, %s) = %d", controller, mode, quotedOrNull(name).c_str(), result));
    return result;
}

extern "C" int16_t WINAPI SimKXClose(uint32_t handle)
{
    appendToCallLog(formatText("KXClose(%u)", handle));
    return forgetOpenBoard(handle) ? SimOk : SimErrorUnknownHandle;
}

extern "C" int16_t WINAPI SimKrxGetRamEx(uint32_t handle, uint32_t address, void* destination, uint32_t length)
{
    appendToCallLog(formatText("krxgetramex(%u, 0x%08X, %s, %u)", handle, address,
                               formatAddress(destination).c_str(), length));
    ExclusiveLock guard(state.lock);
    const OpenBoard* open = findOpenBoard(handle);
    if (!open) {
        return SimErrorUnknownHandle;
    }
    if (!rangeInsideArea(address, length) || (!destination && length > 0)) {
        return SimErrorOutsideArea;
    }
    if (length > 0) {
        std::memcpy(destination, open->board.area.data() + (address - IoConfigAreaAddress), length);
    }
    return SimOk;
}

extern "C" int16_t WINAPI SimKXGetConfigurationEx(uint32_t handle, ControllerConfigRecord* record)
{
    std::string size = record ? formatText("%u", callerRecordSize(record)) : std::string("?");
    appendToCallLog(formatText("KXGetConfigurationEx(%u, %s) size=%s", handle, formatAddress(record).c_str(),
                               size.c_str()));
    ExclusiveLock guard(state.lock);
    const OpenBoard* open = findOpenBoard(handle);
    if (!open) {
        return SimErrorUnknownHandle;
    }
    if (!record) {
        return SimErrorBadArgument;
    }
    // Older callers pass a shorter record; fields past their size stay untouched.
    size_t writable = std::min<size_t>(callerRecordSize(record), sizeof record->bytes);
    if (ConfigRecordChannelCountOffset + 4 <= writable) {
        writeLittleEndian32(record, ConfigRecordChannelCountOffset, open->board.channelCount);
    }
    return SimOk;
}

extern "C" int16_t WINAPI SimKXGetDigitalIOConfig(uint32_t handle, uint32_t channel, uint32_t* flags)
{
    appendToCallLog(formatText("KXGetDigitalIOConfig(%u, %u, %s)", handle, channel, formatAddress(flags).c_str()));
    ExclusiveLock guard(state.lock);
    const OpenBoard* open = findOpenBoard(handle);
    if (!open) {
        return SimErrorUnknownHandle;
    }
    if (!channelExists(open->board, channel)) {
        return SimErrorNoSuchChannel;
    }
    if (!flags) {
        return SimErrorBadArgument;
    }
    *flags = channelFlags(open->board, channel);
    return SimOk;
}

// The exports must keep the signatures Quillet calls them with.
static_assert(std::is_same_v<decltype(&SimKXOpen), KXOpenProc>);
static_assert(std::is_same_v<decltype(&SimKXClose), KXCloseProc>);
static_assert(std::is_same_v<decltype(&SimKrxGetRamEx), krxgetramexProc>);
static_assert(std::is_same_v<decltype(&SimKXGetConfigurationEx), KXGetConfigurationExProc>);
static_assert(std::is_same_v<decltype(&SimKXGetDigitalIOConfig), KXGetDigitalIOConfigProc>);

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        appendToCallLog("load kxapi32.dll");
        state.publishedBoards = createPublishedBoardTable();
    } else if (reason == DLL_PROCESS_DETACH) {
        destroyPublishedBoardTable(state.publishedBoards);
    }
    return TRUE;
}
