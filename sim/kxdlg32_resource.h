// Resource numbers of kxdlg32.dll's dialogs, shared by kxdlg32.rc and kxdlg32.cpp.
// Tests that drive the dialogs find their controls by these numbers.
#pragma once

#define IDD_KXSIM_ABOUT 101
#define IDD_KXSIM_CONTROLLER_INFO 102
#define IDD_KXSIM_SELECT_CONTROLLER 103

#define IDC_KXSIM_ABOUT_TEXT 1001
#define IDC_KXSIM_HANDLE 1101
#define IDC_KXSIM_CHANNEL_COUNT 1102
#define IDC_KXSIM_AXIS_COUNT 1103
#define IDC_KXSIM_CONTROLLER_LIST 1201
