#include "controller/controller_library.h"

#include "controller/library_binding.h"

namespace {

template <typename Proc>
Proc Entry(FARPROC slot) {
    // Through a plain function pointer type, so the cast says what it means.
    return reinterpret_cast<Proc>(reinterpret_cast<void (*)()>(slot));
}

// The slot and the signature both come from the one name, so an entry point
// can never be called through another's signature.
#define KX_API(name) Entry<name##Proc>(apiEntryPoints.slots[EntryPoint_##name])
#define KX_DIALOGS(name) Entry<name##Proc>(dialogEntryPoints.slots[EntryPoint_##name])

uint32_t HandleArgument(int16_t handle) { return static_cast<uint16_t>(handle); }

}  // namespace

int16_t KXOpen(uint16_t controller, uint16_t mode, const char* name) {
    return KX_API(KXOpen)(controller, mode, name);
}

int16_t KXClose(int16_t handle) {
    return KX_API(KXClose)(HandleArgument(handle));
}

int16_t krxgetramex(int16_t handle, uint32_t address, void* destination, uint32_t length) {
    return KX_API(krxgetramex)(HandleArgument(handle), address, destination, length);
}

int16_t KXGetConfigurationEx(int16_t handle, ControllerConfigRecord* record) {
    return KX_API(KXGetConfigurationEx)(HandleArgument(handle), record);
}

int16_t KXGetDigitalIOConfig(int16_t handle, uint32_t channel, uint32_t* flags) {
    return KX_API(KXGetDigitalIOConfig)(HandleArgument(handle), channel, flags);
}

int16_t KXDLG_AboutBox(HWND parent, const char* title, uint32_t reserved) {
    return KX_DIALOGS(KXDLG_AboutBox)(parent, title, reserved);
}

int16_t KXDLG_ControllerInfo(HWND parent, int16_t handle, uint32_t reserved1, uint32_t reserved2) {
    return KX_DIALOGS(KXDLG_ControllerInfo)(parent, HandleArgument(handle), reserved1, reserved2);
}

int16_t KXDLG_SelectController(HWND parent, uint16_t controller, uint32_t reserved1,
                               uint32_t reserved2) {
    return KX_DIALOGS(KXDLG_SelectController)(parent, controller, reserved1, reserved2);
}
