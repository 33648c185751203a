#include "controller/driver_store.h"

#include <algorithm>

#include "ioconfig/store_names.h"

DriverRegistryCalls driverRegistry;
DriverDeviceCalls driverDevice;

namespace {

// The restart requests: device type 0x8000, functions 0x812 and 0x813,
// buffered, any access, sent in this order.
constexpr DWORD DriverControlCode(DWORD function) { return (0x8000u << 16) | (function << 2); }
constexpr DWORD RestartRequests[] = {DriverControlCode(0x812), DriverControlCode(0x813)};
static_assert(RestartRequests[0] == 0x80002048 && RestartRequests[1] == 0x8000204C);

// The driver wants both lengths, though the requests carry no buffers.
constexpr DWORD RestartInputLength = 4;
constexpr DWORD RestartOutputLength = 4;

// Creates the key, and any missing key above it, where it does not exist.
LONG OpenDriverKey(ControllerNumber controllerNumber, UniqueRegistryKey& opened) {
    HKEY key = nullptr;
    const std::string path = DriverKeyPath(controllerNumber);
    const LONG status = driverRegistry.createKey(HKEY_LOCAL_MACHINE, path.c_str(), &key);
    if (status == ERROR_SUCCESS) opened.Reset(key);
    return status;
}

LONG SetAxisValue(HKEY key, int axis, const AxisIoRecord& record) {
    return driverRegistry.setValue(key, AxisValueName(axis).c_str(), 0, REG_BINARY, record.bytes.data(),
                                   AxisIoRecordSize);
}

LONG DeleteAxisValue(HKEY key, int axis) {
    const LONG status = driverRegistry.deleteValue(key, AxisValueName(axis).c_str());
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

void SendRestartRequest(HANDLE device, DWORD controlCode) {
    DWORD returned = 0;
    driverDevice.deviceIoControl(device, controlCode, nullptr, RestartInputLength, nullptr,
                                 RestartOutputLength, &returned, nullptr);
}

// The first failure is the one reported; later ones do not hide it.
void KeepFirstFailure(uint32_t& first, LONG status) {
    if (first == 0) first = static_cast<uint32_t>(status);
}

}  // namespace

uint32_t WriteDriverIoConfig(ControllerNumber controllerNumber, const IoConfigImage& image) {
    UniqueRegistryKey key;
    if (const LONG status = OpenDriverKey(controllerNumber, key)) return static_cast<uint32_t>(status);
    uint32_t failure = 0;
    const int inUse = AxisRecordsInUse(image);
    for (int axis = 1; axis <= inUse; ++axis)
        KeepFirstFailure(failure, SetAxisValue(key.Get(), axis, GetAxisRecord(image, axis)));
    for (int axis = inUse + 1; axis <= MaxAxisRecords; ++axis) KeepFirstFailure(failure, DeleteAxisValue(key.Get(), axis));
    return failure;
}

uint32_t ResetDriverIoConfig(ControllerNumber controllerNumber) {
    UniqueRegistryKey key;
    if (const LONG status = OpenDriverKey(controllerNumber, key)) return static_cast<uint32_t>(status);
    uint32_t failure = 0;
    for (int axis = 1; axis <= MaxAxisRecords; ++axis) KeepFirstFailure(failure, DeleteAxisValue(key.Get(), axis));
    return failure;
}

uint32_t RestartController(ControllerNumber controllerNumber) {
    const UniqueDevice device(driverDevice.createFile(DriverDeviceName(controllerNumber).c_str(),
                                                      GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!device.IsOpen()) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return 0;
        return error != 0 ? error : ERROR_OPEN_FAILED;
    }
    // The second request goes out whatever the first answered.
    for (DWORD request : RestartRequests) SendRestartRequest(device.Get(), request);
    return 0;
}

std::vector<StoredAxisValue> ReadStoredAxisValues(ControllerNumber controllerNumber) {
    std::vector<StoredAxisValue> values;
    HKEY opened = nullptr;
    if (driverRegistry.openKey(HKEY_LOCAL_MACHINE, DriverKeyPath(controllerNumber).c_str(), 0, KEY_READ, &opened) !=
        ERROR_SUCCESS)
        return values;
    const UniqueRegistryKey key(opened);
    for (int axis = 1; axis <= MaxAxisRecords; ++axis) {
        BYTE data[1024];
        DWORD size = sizeof data;
        DWORD type = REG_NONE;
        if (RegQueryValueExA(key.Get(), AxisValueName(axis).c_str(), nullptr, &type, data, &size) == ERROR_SUCCESS)
            values.push_back({axis, type, std::vector<uint8_t>(data, data + size)});
    }
    return values;
}

StoredIoConfig ReadStoredIoConfig(ControllerNumber controllerNumber) {
    StoredIoConfig stored;
    for (const StoredAxisValue& value : ReadStoredAxisValues(controllerNumber)) {
        // Padded or cut, such a value would become channels nobody chose.
        if (value.type != REG_BINARY || value.bytes.size() != AxisIoRecordSize)
            return {IoConfigImage{}, AxisValueName(value.axis)};
        AxisIoRecord record;
        std::copy(value.bytes.begin(), value.bytes.end(), record.bytes.begin());
        SetAxisRecord(stored.image, value.axis, record);
        SetAxisCount(stored.image, static_cast<uint16_t>(value.axis));
    }
    return stored;
}
