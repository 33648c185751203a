// The menu commands Open File..., Open Copy..., Save As... and Copy Summary,
// and a file dropped on the window: the file dialogs, what the user is told
// when a configuration file is refused or cannot be saved, and the question
// asked before changes that are neither saved nor written are replaced.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct AppState;

constexpr const char* OpenConfigFileTitle = "Open I/O Config File";
constexpr const char* SaveConfigFileTitle = "Save I/O Config File";
constexpr const char* OpenCopyTitle = "Open a Copy of Stored Values";
constexpr const char* ExportMapTitle = "Export I/O Map";
constexpr const char* ConfigFileExtension = "tvxio";
constexpr DWORD OpenConfigFileFlags = OFN_CREATEPROMPT | OFN_HIDEREADONLY;
constexpr DWORD SaveConfigFileFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
static_assert(OpenConfigFileFlags == 0x2004 && SaveConfigFileFlags == 0x0006);

// Runs the open or save dialog with an empty file name in path (a field of
// PathFieldSize characters), or, saving assignments that came from a file,
// that file's name. When a file was chosen, its folder becomes the
// folder the next dialog opens in. A dialog that fails says so.
bool PromptIoConfigFileName(HWND window, AppState& state, char* path, const char* title, bool opening);

// Before a command replaces or drops the window's assignments: asks first
// when they hold unsaved changes. Yes saves them through Save As; true when
// the command may go on.
bool MayReplaceAssignments(HWND window, AppState& state);

void LoadIoConfigFile(HWND window, AppState& state);
// The open dialog in the folder of the copies of stored values; it leaves
// the folder of the other dialogs as it was.
void OpenBackupCopy(HWND window, AppState& state);
// The first file of a drop, opened as Open File opens the chosen one.
void OpenDroppedFile(HWND window, AppState& state, HDROP drop);
// At start-up: the first word that names an existing file opens the same
// way, taken against the current folder; words that name none are ignored.
void OpenFileNamedOnCommandLine(HWND window, AppState& state, const std::vector<std::string>& words);
// True when the file was saved whole, with the window's labels.
bool SaveIoConfigFile(HWND window, AppState& state);
// The assignments as text, one line each as tvxio show prints them.
void CopySummaryToClipboard(HWND window, const AppState& state);
// The I/O map as a page, or as CSV for Excel, as the save dialog's filter
// chooses; the status line says where it went. The selected controller's
// channels are in it when it opens.
void ExportIoMap(HWND window, AppState& state);
