#include "app/system_libraries.h"

#include <string>

#include "app/message_box.h"
#include "app/messages.h"
#include "controller/system_library.h"

namespace {

using InitCommonControlsProc = void(WINAPI*)();
using PropertySheetProc = INT_PTR(WINAPI*)(LPCPROPSHEETHEADERA);
using FileDialogProc = BOOL(WINAPI*)(LPOPENFILENAMEA);
using FileDialogErrorProc = DWORD(WINAPI*)();
using DragQueryFileProc = UINT(WINAPI*)(HDROP, UINT, LPSTR, UINT);
using DragFinishProc = void(WINAPI*)(HDROP);

void ReportMissingLibrary(HWND owner, const char* library) {
    ShowMessageBox(owner, SystemLibraryFailureText(library), MB_OK | MB_ICONERROR);
}

constexpr char CommonControls[] = "comctl32.dll";
constexpr char CommonDialogs[] = "comdlg32.dll";
constexpr char Shell[] = "shell32.dll";

}  // namespace

bool InitCommonControlsOnDemand() {
    static const bool initialized = [] {
        const auto initialize = SystemProcedure<InitCommonControlsProc>(CommonControls, "InitCommonControls");
        if (initialize == nullptr) return false;
        initialize();
        return true;
    }();
    return initialized;
}

INT_PTR RunPropertySheet(const PROPSHEETHEADERA& sheet) {
    const auto propertySheet = InitCommonControlsOnDemand()
                                   ? SystemProcedure<PropertySheetProc>(CommonControls, "PropertySheetA")
                                   : nullptr;
    if (propertySheet == nullptr) {
        ReportMissingLibrary(sheet.hwndParent, CommonControls);
        return -1;
    }
    return propertySheet(&sheet);
}

BOOL RunFileDialog(OPENFILENAMEA& dialog, bool opening) {
    const auto showDialog =
        SystemProcedure<FileDialogProc>(CommonDialogs, opening ? "GetOpenFileNameA" : "GetSaveFileNameA");
    if (showDialog == nullptr) {
        ReportMissingLibrary(dialog.hwndOwner, CommonDialogs);
        return FALSE;
    }
    return showDialog(&dialog);
}

DWORD FileDialogError() {
    const auto dialogError = SystemProcedure<FileDialogErrorProc>(CommonDialogs, "CommDlgExtendedError");
    return dialogError != nullptr ? dialogError() : 0;
}

std::string FirstDroppedFile(HWND owner, HDROP drop) {
    const auto queryFile = SystemProcedure<DragQueryFileProc>(Shell, "DragQueryFileA");
    const auto finish = SystemProcedure<DragFinishProc>(Shell, "DragFinish");
    if (queryFile == nullptr || finish == nullptr) {
        ReportMissingLibrary(owner, Shell);
        return "";
    }
    std::string path(queryFile(drop, 0, nullptr, 0), '\0');
    if (!path.empty()) path.resize(queryFile(drop, 0, path.data(), static_cast<UINT>(path.size() + 1)));
    finish(drop);
    return path;
}

MessageFilterProc WindowMessageFilter() {
    return SystemProcedure<MessageFilterProc>("user32.dll", "ChangeWindowMessageFilterEx");
}

void LetDropsThrough(HWND window, MessageFilterProc filter) {
    constexpr UINT CopyGlobalData = 0x0049;  // WM_COPYGLOBALDATA, which carries the dropped names
    constexpr DWORD Allow = 1;               // MSGFLT_ALLOW
    if (filter == nullptr) return;
    for (UINT message : {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA), CopyGlobalData})
        filter(window, message, Allow, nullptr);
}
