// The eight controller library entry points Quillet calls, through the slots
// bound at start-up. Controller numbers and handles are 16-bit values that
// travel zero-extended.
#pragma once

#include <windows.h>

#include <cstdint>

#include "controller/library_interface.h"

int16_t KXOpen(uint16_t controller, uint16_t mode, const char* name);
int16_t KXClose(int16_t handle);
int16_t krxgetramex(int16_t handle, uint32_t address, void* destination, uint32_t length);
int16_t KXGetConfigurationEx(int16_t handle, ControllerConfigRecord* record);
int16_t KXGetDigitalIOConfig(int16_t handle, uint32_t channel, uint32_t* flags);

int16_t KXDLG_AboutBox(HWND parent, const char* title, uint32_t reserved);
int16_t KXDLG_ControllerInfo(HWND parent, int16_t handle, uint32_t reserved1, uint32_t reserved2);
int16_t KXDLG_SelectController(HWND parent, uint16_t controller, uint32_t reserved1,
                               uint32_t reserved2);

// The mode and name every command opens the controller with.
constexpr uint16_t ControllerOpenMode = 2;
constexpr const char* ControllerOpenName = "";
