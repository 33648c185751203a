// The common controls, the common dialogs and the shell's drop functions,
// loaded on first use.
//
// quillet.exe imports neither library: an import is loaded before WinMain at
// every start, and the common dialogs bring the shell's libraries with them,
// which made start-up markedly slower than the window it shows needs. Loaded
// by name, they still come from the side-by-side store the manifest names.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <string>

// Loads the common controls and registers their window classes, once.
// False when the library cannot be loaded.
bool InitCommonControlsOnDemand();

// PropertySheetA; -1, its own failure value, when the common controls cannot
// be loaded (after telling the user so).
INT_PTR RunPropertySheet(const PROPSHEETHEADERA& sheet);

// GetOpenFileNameA when opening, else GetSaveFileNameA; FALSE when the common
// dialogs cannot be loaded (after telling the user so).
BOOL RunFileDialog(OPENFILENAMEA& dialog, bool opening);

// CommDlgExtendedError: why the last file dialog returned FALSE; 0 when it
// was cancelled, or when the common dialogs cannot be loaded.
DWORD FileDialogError();

// The first file of a drop (DragQueryFileA), then DragFinish; empty when
// the shell's library cannot be loaded (after telling the user so).
std::string FirstDroppedFile(HWND owner, HDROP drop);

// ChangeWindowMessageFilterEx of user32 (Windows 7 on); null where it is
// missing, so that Quillet still starts there.
using MessageFilterProc = BOOL(WINAPI*)(HWND window, UINT message, DWORD action, void* status);
MessageFilterProc WindowMessageFilter();

// Quillet runs elevated, and UAC's filter drops what a program of lower
// integrity, Explorer among them, sends an elevated window: the messages of
// a drop are let through to this window.
void LetDropsThrough(HWND window, MessageFilterProc filter = WindowMessageFilter());
