// Signatures of the controller library entry points that Quillet calls.
// All are stdcall; every argument travels as 32 bits, 16-bit numbers
// zero-extended. The simulated board implements the same signatures.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ioconfig/controller_layout.h"

struct ControllerConfigRecord {
    uint8_t bytes[ControllerConfigRecordSize];
};
static_assert(sizeof(ControllerConfigRecord) == 128);

using KXOpenProc = int16_t(WINAPI*)(uint32_t controller, uint32_t mode, const char* name);
using KXCloseProc = int16_t(WINAPI*)(uint32_t handle);
using krxgetramexProc = int16_t(WINAPI*)(uint32_t handle, uint32_t address, void* destination,
                                         uint32_t length);
using KXGetConfigurationExProc = int16_t(WINAPI*)(uint32_t handle, ControllerConfigRecord* record);
using KXGetDigitalIOConfigProc = int16_t(WINAPI*)(uint32_t handle, uint32_t channel,
                                                  uint32_t* flags);

using KXDLG_AboutBoxProc = int16_t(WINAPI*)(HWND parent, const char* title, uint32_t reserved);
using KXDLG_ControllerInfoProc = int16_t(WINAPI*)(HWND parent, uint32_t handle, uint32_t reserved1,
                                                  uint32_t reserved2);
using KXDLG_SelectControllerProc = int16_t(WINAPI*)(HWND parent, uint32_t controller,
                                                    uint32_t reserved1, uint32_t reserved2);
