// Every name kxdlg32.dll must export, in the order Quillet looks them up.
// Quillet refuses to run unless all of them are found: the list is its test
// that the installed controller software is recent enough.
// Kept as one name per line, X(name), so the build can read it too.
#pragma once

#define KX_DIALOG_ENTRY_POINTS(X) \
    X(KXDLG_AboutBox) \
    X(KXDLG_ConfigureAxis) \
    X(KXDLG_ControllerDesc) \
    X(KXDLG_ControllerInfo) \
    X(KXDLG_DownloadFile) \
    X(KXDLG_Initialize) \
    X(KXDLG_ListControllers) \
    X(KXDLG_ModuleDesc) \
    X(KXDLG_RestoreAxis) \
    X(KXDLG_RestoreDigitalIO) \
    X(KXDLG_SaveAxis) \
    X(KXDLG_SaveDigitalIO) \
    X(KXDLG_Scaling) \
    X(KXDLG_SelectController) \
    X(KXDLG_CommandFileExt) \
    X(KXDLG_ControllerDescEx) \
    X(KXDLG_ModuleDescEx) \

