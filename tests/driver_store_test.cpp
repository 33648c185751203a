#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "controller/driver_store.h"
#include "res/resource.h"
#include "tests/support/axis_records.h"
#include "tests/support/held_axes.h"
#include "tests/support/modal_answerer.h"
#include "tests/support/quillet_window.h"

namespace {

using Lines = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

const std::string ServiceKey = "SYSTEM\\CurrentControlSet\\Services\\KXAPI";
const std::string ParametersKey = ServiceKey + "\\Parameters";
// Every controller key a test here writes to.
const char* const TestControllers[] = {"0", "3", "-32768", "-1", "9029"};

std::string ControllerKey(const std::string& number) { return ParametersKey + "\\" + number; }

bool KeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

Lines ValueNames(const std::string& path) {
    Lines names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    char name[256];
    DWORD length = sizeof name;
    for (DWORD i = 0; RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = sizeof name)
        names.push_back(name);
    RegCloseKey(key);
    return names;
}

struct StoredValue {
    DWORD type = 0;
    Bytes data;
};

std::optional<StoredValue> ReadValue(const std::string& path, const std::string& name) {
    StoredValue value;
    BYTE data[512];
    DWORD size = sizeof data;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, path.c_str(), name.c_str(), RRF_RT_ANY, &value.type, data, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.data.assign(data, data + size);
    return value;
}

void StoreValue(const std::string& path, const std::string& name, const Bytes& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, path.c_str(), &key), ERROR_SUCCESS);
    RegSetValueExA(key, name.c_str(), 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
}

void DeleteKeyIfEmpty(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD subKeys = 0;
    DWORD values = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(key);
    if (subKeys == 0 && values == 0) RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
}

// Leaves the registry without the keys these tests create.
void RemoveTestKeys() {
    for (const char* controller : TestControllers)
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, ControllerKey(controller).c_str());
    DeleteKeyIfEmpty(ParametersKey);
    DeleteKeyIfEmpty(ServiceKey);
}

Bytes BytesOf(const AxisIoRecord& record) { return Bytes(record.bytes.begin(), record.bytes.end()); }

// The device no driver serves here, as the restart sees it.
const HANDLE FakeDevice = reinterpret_cast<HANDLE>(0x4D2);
Lines deviceLog;

std::string Handle(HANDLE handle) { return handle == FakeDevice ? "device" : "other handle"; }
std::string Given(const void* pointer, const char* what) { return pointer != nullptr ? what : "null"; }

std::string Hex(DWORD number) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(number));
    return text;
}

HANDLE WINAPI OpenFakeDevice(LPCSTR name, DWORD access, DWORD sharing, LPSECURITY_ATTRIBUTES security,
                             DWORD disposition, DWORD flags, HANDLE pattern) {
    deviceLog.push_back("CreateFileA(\"" + std::string(name) + "\", " + Hex(access) + ", " +
                        std::to_string(sharing) + ", " + Given(security, "security") + ", " +
                        std::to_string(disposition) + ", " + Hex(flags) + ", " + Given(pattern, "template") + ")");
    return FakeDevice;
}

BOOL WINAPI ControlFakeDevice(HANDLE device, DWORD code, LPVOID input, DWORD inputLength, LPVOID output,
                              DWORD outputLength, LPDWORD returned, LPOVERLAPPED overlapped) {
    deviceLog.push_back("DeviceIoControl(" + Handle(device) + ", " + Hex(code) + ", " + Given(input, "input") +
                        ", " + std::to_string(inputLength) + ", " + Given(output, "output") + ", " +
                        std::to_string(outputLength) + ", " + Given(returned, "count") + ", " +
                        Given(overlapped, "overlapped") + ")");
    if (returned != nullptr) *returned = 0;
    return FALSE;
}

// A device that is there but will not open, for the reason set here.
DWORD deviceRefusal = ERROR_ACCESS_DENIED;

HANDLE WINAPI RefuseToOpenDevice(LPCSTR name, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) {
    deviceLog.push_back("CreateFileA(\"" + std::string(name) + "\") refused");
    SetLastError(deviceRefusal);
    return INVALID_HANDLE_VALUE;
}

BOOL WINAPI CloseFakeDevice(HANDLE device) {
    deviceLog.push_back("CloseHandle(" + Handle(device) + ")");
    return TRUE;
}

Lines RestartCalls(const std::string& controller) {
    return {"CreateFileA(\"\\\\.\\KXAPI" + controller + "\", 0xC0000000, 0, null, 3, 0x00000080, null)",
            "DeviceIoControl(device, 0x80002048, null, 4, null, 4, count, null)",
            "DeviceIoControl(device, 0x8000204C, null, 4, null, 4, count, null)",
            "CloseHandle(device)"};
}

// The registry calls of the store, watched or failed where Wine cannot fail them.
std::vector<HKEY> keysOpened;
std::vector<HKEY> keysClosed;

LONG WINAPI CreateAndWatchKey(HKEY root, LPCSTR path, PHKEY key) {
    const LONG status = RegCreateKeyA(root, path, key);
    if (status == ERROR_SUCCESS) keysOpened.push_back(*key);
    return status;
}

LONG WINAPI CloseAndWatchKey(HKEY key) {
    keysClosed.push_back(key);
    return RegCloseKey(key);
}

LONG WINAPI RefuseToCreateKey(HKEY, LPCSTR, PHKEY) { return ERROR_ACCESS_DENIED; }

LONG WINAPI RefuseToSetAxis2(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
    if (std::string(name) == "Axis2IOConfig") return ERROR_ACCESS_DENIED;
    return RegSetValueExA(key, name, reserved, type, data, size);
}

LONG WINAPI RefuseToDeleteAxis5(HKEY key, LPCSTR name) {
    if (std::string(name) == "Axis5IOConfig") return ERROR_ACCESS_DENIED;
    return RegDeleteValueA(key, name);
}

struct ShownBox {
    SeenMessageBox seen;
    bool offersCancel = false;
    size_t deviceCallsBefore = 0;
};

bool Shows(HWND box, int button) {
    HWND control = GetDlgItem(box, button);
    return control != nullptr && IsWindowVisible(control);
}

const HICON WarningIcon = LoadIconA(nullptr, IDI_WARNING);

class DriverStore : public ::testing::Test {
protected:
    // The fakes record into globals, which a test before this one in the
    // same process may have filled.
    void SetUp() override {
        RemoveTestKeys();
        deviceLog.clear();
        keysOpened.clear();
        keysClosed.clear();
        deviceRefusal = ERROR_ACCESS_DENIED;
        driverRegistry = DriverRegistryCalls{};
        driverDevice = DriverDeviceCalls{};
        driverDevice.createFile = OpenFakeDevice;
        driverDevice.deviceIoControl = ControlFakeDevice;
        driverDevice.closeHandle = CloseFakeDevice;
    }

    void TearDown() override {
        driverRegistry = DriverRegistryCalls{};
        driverDevice = DriverDeviceCalls{};
        RemoveTestKeys();
    }

    // Runs a menu command; its confirmation is answered with `confirmation`,
    // any later box with OK.
    std::vector<ShownBox> Run(int command, int confirmation = IDOK) {
        std::vector<ShownBox> boxes;
        ModalAnswerer answerer([&boxes, confirmation](HWND box) {
            boxes.push_back({ReadMessageBox(box), Shows(box, IDCANCEL), deviceLog.size()});
            PressButton(box, boxes.size() == 1 ? confirmation : IDOK);
        });
        quillet.Command(command);
        return boxes;
    }

    AppState& State() { return quillet.State(); }

    void ExpectAxisValue(const std::string& controller, int axis, const AxisIoRecord& record) {
        const std::optional<StoredValue> value = ReadValue(ControllerKey(controller), AxisKey(axis));
        ASSERT_TRUE(value.has_value()) << AxisKey(axis);
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_BINARY)) << AxisKey(axis);
        EXPECT_EQ(value->data, BytesOf(record)) << AxisKey(axis);
    }

    void ExpectStoreFailureBox(const std::vector<ShownBox>& boxes, const std::string& controller) {
        ASSERT_EQ(boxes.size(), 2u);
        const SeenMessageBox& warning = boxes[1].seen;
        EXPECT_EQ(warning.owner, quillet.Handle());
        EXPECT_EQ(warning.caption, "Quillet");
        EXPECT_EQ(warning.icon, WarningIcon);
        EXPECT_FALSE(boxes[1].offersCancel);
        EXPECT_NE(warning.text.find("controller " + controller + " "), std::string::npos) << warning.text;
        // The system's reason for the fakes' refusals ends the text.
        EXPECT_EQ(warning.text.substr(warning.text.rfind('\n') + 1), "Access denied.");
        // Only once the restart has been attempted.
        EXPECT_EQ(boxes[1].deviceCallsBefore, RestartCalls(controller).size());
    }

    QuilletWindow quillet;
};

}  // namespace

TEST_F(DriverStore, BothCommandsAskFirstAndCancelDoesNothing) {
    StoreValue(ControllerKey("0"), AxisKey(1), BytesOf(Patterned(9)));
    HoldAxes(State(), 4);
    const std::vector<std::pair<int, const char*>> commands = {
        {IDM_WRITE_IO, "Quillet will now update the settings and restart\n the controller. This may take up to 30 seconds."},
        {IDM_RESET_CONTROLLER, "Quillet will now reset the settings and restart\n the controller. This may take up to 30 seconds."},
    };
    for (const auto& [command, text] : commands) {
        const std::vector<ShownBox> boxes = Run(command, IDCANCEL);
        ASSERT_EQ(boxes.size(), 1u) << command;
        EXPECT_EQ(boxes[0].seen.owner, quillet.Handle());
        EXPECT_EQ(boxes[0].seen.caption, "Quillet");
        EXPECT_EQ(boxes[0].seen.text, text);
        EXPECT_EQ(boxes[0].seen.icon, WarningIcon);
        EXPECT_TRUE(boxes[0].offersCancel);
        EXPECT_EQ(boxes[0].deviceCallsBefore, 0u);
    }
    EXPECT_EQ(ValueNames(ControllerKey("0")), Lines{AxisKey(1)});
    ExpectAxisValue("0", 1, Patterned(9));
    EXPECT_TRUE(deviceLog.empty());
}

TEST_F(DriverStore, WriteStoresRecordsOneToAxisCountAndRestartsWithoutRepainting) {
    HoldAxes(State(), 3);
    const IoConfigImage before = State().image;
    ShowPainted(quillet.Handle());
    const std::vector<ShownBox> boxes = Run(IDM_WRITE_IO);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(ValueNames(ControllerKey("0")), (Lines{AxisKey(1), AxisKey(2), AxisKey(3)}));
    for (int axis = 1; axis <= 3; ++axis) ExpectAxisValue("0", axis, Patterned(axis));
    // No driver answers the fake device: the second request goes out anyway.
    EXPECT_EQ(deviceLog, RestartCalls("0"));
    EXPECT_FALSE(WaitsForRepaint(quillet.Handle()));
    EXPECT_EQ(State().image.bytes, before.bytes);
    EXPECT_TRUE(State().imageValid);
}

TEST_F(DriverStore, AWriteOfFourAfterOneOfEightLeavesAxesFiveToEight) {
    HoldAxes(State(), 8);
    Run(IDM_WRITE_IO);
    HoldAxes(State(), 4, 100);
    Run(IDM_WRITE_IO);
    EXPECT_EQ(ValueNames(ControllerKey("0")).size(), 8u);
    for (int axis = 1; axis <= 4; ++axis) ExpectAxisValue("0", axis, Patterned(axis, 100));
    for (int axis = 5; axis <= 8; ++axis) ExpectAxisValue("0", axis, Patterned(axis));
}

TEST_F(DriverStore, NoMoreThanSixteenRecordsAreWritten) {
    HoldAxes(State(), 40);
    Run(IDM_WRITE_IO);
    EXPECT_EQ(ValueNames(ControllerKey("0")).size(), 16u);
    ExpectAxisValue("0", 16, Patterned(16));
    EXPECT_FALSE(ReadValue(ControllerKey("0"), AxisKey(17)).has_value());
}

TEST_F(DriverStore, WithNoAxesTheKeyIsStillCreatedAndClosedAndTheControllerRestarted) {
    driverRegistry.createKey = CreateAndWatchKey;
    driverRegistry.closeKey = CloseAndWatchKey;
    HoldAxes(State(), 0);
    const std::vector<ShownBox> boxes = Run(IDM_WRITE_IO);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(KeyExists(ControllerKey("0")));
    EXPECT_TRUE(ValueNames(ControllerKey("0")).empty());
    ASSERT_EQ(keysOpened.size(), 1u);
    EXPECT_EQ(keysClosed, keysOpened);
    EXPECT_EQ(deviceLog, RestartCalls("0"));
}

TEST_F(DriverStore, ResetDeletesTheSixteenAxisValuesWhateverTheImageAndRepaints) {
    for (int axis = 1; axis <= 17; ++axis) StoreValue(ControllerKey("0"), AxisKey(axis), BytesOf(Patterned(axis)));
    StoreValue(ControllerKey("0"), "Other", {1, 2, 3});
    HoldAxes(State(), 2);
    const IoConfigImage before = State().image;
    ShowPainted(quillet.Handle());
    const std::vector<ShownBox> boxes = Run(IDM_RESET_CONTROLLER);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(ValueNames(ControllerKey("0")), (Lines{AxisKey(17), "Other"}));
    EXPECT_EQ(deviceLog, RestartCalls("0"));
    EXPECT_TRUE(WaitsForRepaint(quillet.Handle()));
    EXPECT_EQ(State().image.bytes, before.bytes);
    EXPECT_TRUE(State().imageValid);
}

TEST_F(DriverStore, ResetCreatesTheKeyEmptyWhereNoneExisted) {
    ASSERT_FALSE(KeyExists(ControllerKey("0")));
    const std::vector<ShownBox> boxes = Run(IDM_RESET_CONTROLLER);
    EXPECT_EQ(boxes.size(), 1u);  // values that are not there are no failure
    EXPECT_TRUE(KeyExists(ControllerKey("0")));
    EXPECT_TRUE(ValueNames(ControllerKey("0")).empty());
    EXPECT_EQ(deviceLog, RestartCalls("0"));
}

TEST_F(DriverStore, TheControllerIsNamedByItsLowSixteenBitsAsASignedNumber) {
    const std::vector<std::pair<int32_t, std::string>> controllers = {
        {3, "3"}, {32768, "-32768"}, {65535, "-1"}, {0x12345, "9029"}};
    HoldAxes(State(), 1);
    for (const auto& [controllerId, name] : controllers) {
        deviceLog.clear();
        State().controllerId = controllerId;
        Run(IDM_WRITE_IO);
        ExpectAxisValue(name, 1, Patterned(1));
        EXPECT_EQ(deviceLog, RestartCalls(name));
    }
    deviceLog.clear();
    State().controllerId = 3;
    Run(IDM_RESET_CONTROLLER);
    EXPECT_TRUE(ValueNames(ControllerKey("3")).empty());
    EXPECT_EQ(deviceLog, RestartCalls("3"));
    EXPECT_FALSE(KeyExists(ControllerKey("65535")));
}

TEST_F(DriverStore, WithoutTheDeviceNothingIsSentAndNothingShown) {
    driverDevice.createFile = DriverDeviceCalls{}.createFile;
    HoldAxes(State(), 2);
    for (int command : {IDM_WRITE_IO, IDM_RESET_CONTROLLER}) {
        const std::vector<ShownBox> boxes = Run(command);
        EXPECT_EQ(boxes.size(), 1u) << command;
    }
    EXPECT_TRUE(deviceLog.empty());
    HoldAxes(State(), 2);
    Run(IDM_WRITE_IO);
    ExpectAxisValue("0", 2, Patterned(2));
}

TEST_F(DriverStore, AKeyThatCannotBeCreatedIsReportedAfterTheRestart) {
    driverRegistry.createKey = RefuseToCreateKey;
    State().controllerId = 65535;
    HoldAxes(State(), 2);
    ExpectStoreFailureBox(Run(IDM_WRITE_IO), "-1");
    deviceLog.clear();
    ExpectStoreFailureBox(Run(IDM_RESET_CONTROLLER), "-1");
    EXPECT_FALSE(KeyExists(ControllerKey("-1")));
}

TEST_F(DriverStore, AValueThatCannotBeSetIsReportedAndTheOthersAreStillWritten) {
    driverRegistry.setValue = RefuseToSetAxis2;
    driverRegistry.createKey = CreateAndWatchKey;
    driverRegistry.closeKey = CloseAndWatchKey;
    State().controllerId = 3;
    HoldAxes(State(), 3);
    ExpectStoreFailureBox(Run(IDM_WRITE_IO), "3");
    EXPECT_EQ(ValueNames(ControllerKey("3")), (Lines{AxisKey(1), AxisKey(3)}));
    ExpectAxisValue("3", 3, Patterned(3));
    EXPECT_EQ(keysClosed, keysOpened);
}

TEST_F(DriverStore, AValueThatCannotBeDeletedIsReportedAndTheOthersAreStillDeleted) {
    driverRegistry.deleteValue = RefuseToDeleteAxis5;
    for (int axis : {1, 5, 9}) StoreValue(ControllerKey("0"), AxisKey(axis), BytesOf(Patterned(axis)));
    ExpectStoreFailureBox(Run(IDM_RESET_CONTROLLER), "0");
    EXPECT_EQ(ValueNames(ControllerKey("0")), Lines{AxisKey(5)});
}

TEST_F(DriverStore, ADeviceThatIsThereButWillNotOpenIsReportedAfterTheStore) {
    driverDevice.createFile = RefuseToOpenDevice;
    State().controllerId = 3;
    HoldAxes(State(), 2);
    for (int command : {IDM_WRITE_IO, IDM_RESET_CONTROLLER}) {
        deviceLog.clear();
        const std::vector<ShownBox> boxes = Run(command);
        ASSERT_EQ(boxes.size(), 2u) << command;
        EXPECT_EQ(boxes[1].seen.text,
                  "Quillet could not restart controller 3: Access denied.\n"
                  "The controller takes up the stored assignments at its next restart.");
        EXPECT_EQ(boxes[1].seen.owner, quillet.Handle());
        EXPECT_EQ(boxes[1].seen.caption, "Quillet");
        EXPECT_EQ(boxes[1].seen.icon, WarningIcon);
        EXPECT_FALSE(boxes[1].offersCancel);
        EXPECT_EQ(deviceLog, Lines{"CreateFileA(\"\\\\.\\KXAPI3\") refused"});
        if (command == IDM_WRITE_IO) ExpectAxisValue("3", 2, Patterned(2));
    }
    EXPECT_TRUE(ValueNames(ControllerKey("3")).empty());

    // No such device, or no such path to it: no driver, nothing to say.
    for (DWORD missing : {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND}) {
        deviceRefusal = missing;
        EXPECT_EQ(Run(IDM_WRITE_IO).size(), 1u) << missing;
    }
}
