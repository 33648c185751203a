// Our kxapi32.dll: the five calls Quillet makes, answered from the simulated
// board. Every other exported name is the shared stub (see the .def file).
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <type_traits>

#include "controller/library_interface.h"
#include "sim/board.h"
#include "sim/board_description.h"
#include "sim/call_log.h"
#include "sim/registry_overlay.h"
#include "sim/sim_status.h"
#include "sim/text_format.h"

namespace {

// Each handle KXOpen gave out keeps the board as it was when opened. The
// lock is for callers on several threads.
std::map<uint32_t, Board> openBoards;
SRWLOCK openBoardsLock = SRWLOCK_INIT;

class OpenBoardsGuard {
public:
    OpenBoardsGuard() { AcquireSRWLockExclusive(&openBoardsLock); }
    ~OpenBoardsGuard() { ReleaseSRWLockExclusive(&openBoardsLock); }
    OpenBoardsGuard(const OpenBoardsGuard&) = delete;
    OpenBoardsGuard& operator=(const OpenBoardsGuard&) = delete;
};

// Callers hold OpenBoardsGuard while they use the board.
const Board* FindOpenBoard(uint32_t handle) {
    auto it = openBoards.find(handle);
    return it == openBoards.end() ? nullptr : &it->second;
}

bool RangeInsideArea(uint32_t address, uint32_t length) {
    if (address < IoConfigAreaAddress) return false;
    uint64_t offset = address - IoConfigAreaAddress;
    return offset + length <= IoConfigAreaSize;
}

uint32_t CallerRecordSize(const ControllerConfigRecord* record) {
    uint32_t size = 0;
    std::memcpy(&size, record->bytes + ConfigRecordSizeOffset, sizeof size);
    return size;
}

void WriteLittleEndian32(ControllerConfigRecord* record, size_t offset, int32_t value) {
    uint32_t bits = static_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i) {
        record->bytes[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
    }
}

}  // namespace

// Opening a handle that is already open starts it afresh from the new board.
extern "C" int16_t WINAPI SimKXOpen(uint32_t controller, uint32_t mode, const char* name) {
    Board board = LoadBoardDescription();
    int16_t result = board.openResult;
    if (CountLoggedCalls("KXOpen(") < board.failedOpens) result = -1;
    if (result > 0) {
        if (board.registryOverlay) ApplyRegistryOverlay(board.area, controller);
        OpenBoardsGuard guard;
        openBoards[static_cast<uint32_t>(result)] = std::move(board);
    }
    AppendToCallLog(FormatText("KXOpen(%u, %u, %s) = %d", controller, mode,
                               FormatQuotedOrNull(name).c_str(), result));
    return result;
}

extern "C" int16_t WINAPI SimKXClose(uint32_t handle) {
    AppendToCallLog(FormatText("KXClose(%u)", handle));
    OpenBoardsGuard guard;
    return openBoards.erase(handle) > 0 ? SimOk : SimErrorUnknownHandle;
}

extern "C" int16_t WINAPI SimKrxGetRamEx(uint32_t handle, uint32_t address, void* destination,
                                         uint32_t length) {
    AppendToCallLog(FormatText("krxgetramex(%u, 0x%08X, %s, %u)", handle, address,
                               FormatAddress(destination).c_str(), length));
    OpenBoardsGuard guard;
    const Board* board = FindOpenBoard(handle);
    if (!board) return SimErrorUnknownHandle;
    if (board->readAreaResult) return *board->readAreaResult;
    if (!RangeInsideArea(address, length) || (!destination && length > 0)) {
        return SimErrorOutsideArea;
    }
    if (length > 0) {
        std::memcpy(destination, board->area.data() + (address - IoConfigAreaAddress), length);
    }
    return SimOk;
}

extern "C" int16_t WINAPI SimKXGetConfigurationEx(uint32_t handle, ControllerConfigRecord* record) {
    std::string size = record ? FormatText("%u", CallerRecordSize(record)) : std::string("?");
    AppendToCallLog(FormatText("KXGetConfigurationEx(%u, %s) size=%s", handle,
                               FormatAddress(record).c_str(), size.c_str()));
    OpenBoardsGuard guard;
    const Board* board = FindOpenBoard(handle);
    if (!board) return SimErrorUnknownHandle;
    if (board->configurationResult) return *board->configurationResult;
    if (!record) return SimErrorBadArgument;
    // Older callers pass a shorter record; fields past their size stay untouched.
    size_t writable = std::min<size_t>(CallerRecordSize(record), sizeof record->bytes);
    if (ConfigRecordChannelCountOffset + 4 <= writable) {
        WriteLittleEndian32(record, ConfigRecordChannelCountOffset, board->channelCount);
    }
    return SimOk;
}

extern "C" int16_t WINAPI SimKXGetDigitalIOConfig(uint32_t handle, uint32_t channel,
                                                  uint32_t* flags) {
    AppendToCallLog(FormatText("KXGetDigitalIOConfig(%u, %u, %s)", handle, channel,
                               FormatAddress(flags).c_str()));
    OpenBoardsGuard guard;
    const Board* board = FindOpenBoard(handle);
    if (!board) return SimErrorUnknownHandle;
    if (auto result = ChannelQueryResultOf(*board, channel)) return *result;
    if (!ChannelExists(*board, channel)) return SimErrorNoSuchChannel;
    if (!flags) return SimErrorBadArgument;
    *flags = ChannelFlags(*board, channel);
    return SimOk;
}

// The exports must keep the signatures Quillet calls them with.
static_assert(std::is_same_v<decltype(&SimKXOpen), KXOpenProc>);
static_assert(std::is_same_v<decltype(&SimKXClose), KXCloseProc>);
static_assert(std::is_same_v<decltype(&SimKrxGetRamEx), krxgetramexProc>);
static_assert(std::is_same_v<decltype(&SimKXGetConfigurationEx), KXGetConfigurationExProc>);
static_assert(std::is_same_v<decltype(&SimKXGetDigitalIOConfig), KXGetDigitalIOConfigProc>);

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        AppendToCallLog("load kxapi32.dll");
    }
    return TRUE;
}
