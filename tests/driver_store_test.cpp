#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <source_location>
#include <string>
#include <vector>

#include "app/driver_commands.h"
#include "app/messages.h"
#include "app/status_bar.h"
#include "controller/driver_update.h"
#include "controller/driver_backup.h"
#include "controller/driver_store.h"
#include "controller/config_file.h"
#include "controller/journal.h"
#include "controller/messages.h"
#include <sddl.h>
#include "res/resource.h"
#include "tests/support/axis_records.h"
#include "tests/support/called_from.h"
#include "tests/support/driver_keys.h"
#include "tests/support/file_tree.h"
#include "tests/support/full_disk.h"
#include "tests/support/held_axes.h"
#include "tests/support/modal_answerer.h"
#include "tests/support/quillet_window.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/simulated_board.h"
#include "tests/support/settings_file.h"

namespace {

using Lines = std::vector<std::string>;

// Beside the settings file, where Quillet keeps its copies.
std::string BackupFolder() {
    const std::string settings = SettingsFilePath();
    return settings.substr(0, settings.find_last_of('\\') + 1) + "Backups";
}

Lines BackupFiles() { return FileNamesIn(BackupFolder(), "*.tvxio"); }

std::string Profile(const std::string& path, const char* section, const std::string& key) {
    char value[1024] = {};
    GetPrivateProfileStringA(section, key.c_str(), "(missing)", value, sizeof value, path.c_str());
    return value;
}

// A record as a file holds it, read back through the profile functions,
// which drop the last blank.
std::string RecordText(const AxisIoRecord& record) {
    const std::string text = HexText(record);
    return text.substr(0, text.size() - 1);
}

// Axes 1 and 2 both driving output 29, and nothing else.
IoConfigImage ConflictingImage() {
    IoConfigImage image;
    SetAxisCount(image, 2);
    AxisIoRecord servo;
    servo.bytes[AxisTypeOffset] = 1;
    SetAxisRecord(image, 1, servo);
    SetChannel(image, 1, IoSignal::Enable, 29);
    SetChannel(image, 2, IoSignal::Enable, 29);
    return image;
}
using Bytes = std::vector<uint8_t>;

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

// A board on which every patterned record is at home: 16 axes, and every
// channel a slot can name serving both ways.
const std::string WideBoard = "channels = 255\nflags 1-255 = 0x103\naxisCount = 16\n";

// A write through the engine on a thread of its own.
struct EngineWrite {
    IoConfigImage image;
    std::string copies;
    DriverUpdateOutcome outcome;
};

DWORD WINAPI RunEngineWrite(void* data) {
    auto& write = *static_cast<EngineWrite*>(data);
    write.outcome = WriteIoConfigToDriver(0, write.image, {write.copies, LocalClock, "", "", "", std::nullopt});
    return 0;
}

// Another program's messages to the window, as Windows sends them; those
// not answered within a second are missed.
struct Probe {
    HWND window;
    volatile bool stop = false;
    int missed = 0;
};

DWORD WINAPI RunProbe(void* data) {
    auto& probe = *static_cast<Probe*>(data);
    for (DWORD_PTR result = 0; !probe.stop; Sleep(20))
        if (!SendMessageTimeoutA(probe.window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) &&
            GetLastError() == ERROR_TIMEOUT && IsWindow(probe.window))  // not one that closed meanwhile
            ++probe.missed;
    return 0;
}

class DriverStore : public ::testing::Test {
protected:
    // The fakes record into globals, which a test before this one in the
    // same process may have filled.
    void SetUp() override {
        BindSimulatedBoardLibraries();  // a write checks the controller first and reads it back after
        board.Describe(WideBoard);
        RemoveTree(BackupFolder());
        RemoveDriverKeys();
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
        RemoveDriverKeys();
        RemoveTree(BackupFolder());
        DeleteFileA(BackupFolder().c_str());
    }

    // Runs a menu command; its confirmation is answered with `confirmation`,
    // any later box with OK.
    std::vector<ShownBox> Run(int command, int confirmation = IDOK) { return Run(command, std::vector<int>{confirmation}); }

    // Box n is answered with answers[n], any box past them with OK.
    std::vector<ShownBox> Run(int command, const std::vector<int>& answers) {
        std::vector<ShownBox> boxes;
        ModalAnswerer answerer([&boxes, &answers](HWND box) {
            boxes.push_back({ReadMessageBox(box), Shows(box, IDCANCEL), deviceLog.size()});
            PressButton(box, boxes.size() <= answers.size() ? answers[boxes.size() - 1] : IDOK);
        });
        quillet.Command(command);
        quillet.AwaitDriverCommand();
        return boxes;
    }

    AppState& State() { return quillet.State(); }

    // The line in the status bar, its time of day as "hh:mm".
    std::string Status() {
        HWND bar = StatusBarOf(quillet.Handle());
        std::string status(LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, StatusLinePart, 0)) + 1u, '\0');
        status.resize(LOWORD(SendMessageA(bar, SB_GETTEXTA, StatusLinePart, reinterpret_cast<LPARAM>(status.data()))));
        if (const size_t at = status.find(" at "); at != std::string::npos) status.replace(at + 4, 5, "hh:mm");
        return status;
    }

    void ExpectAxisValue(const std::string& controller, int axis, const AxisIoRecord& record,
                         std::source_location caller = std::source_location::current()) {
        const CalledFrom trace(caller);
        const std::optional<StoredValue> value = ReadValue(ControllerKey(controller), AxisKey(axis));
        ASSERT_TRUE(value.has_value()) << AxisKey(axis);
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_BINARY)) << AxisKey(axis);
        EXPECT_EQ(value->data, BytesOf(record)) << AxisKey(axis);
    }

    void ExpectStoreFailureBox(const std::vector<ShownBox>& boxes, const std::string& controller,
                               std::source_location caller = std::source_location::current()) {
        const CalledFrom trace(caller);
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

    SimulatedBoard board;
    QuilletWindow quillet;
};

}  // namespace

TEST_F(DriverStore, BothCommandsAskFirstNamingTheControllerAndCancelDoesNothing) {
    StoreValue(ControllerKey("0"), AxisKey(1), BytesOf(Patterned(9)));
    HoldAxes(State(), 4);
    const std::vector<std::pair<int, const char*>> commands = {
        {IDM_WRITE_IO, "Quillet will now update the settings and restart\n controller 0. This may take up to 30 seconds."},
        {IDM_RESET_CONTROLLER, "Quillet will now reset the settings and restart\n controller 0. This may take up to 30 seconds."},
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

TEST_F(DriverStore, WriteStoresRecordsOneToAxisCountRestartsAndSaysSoBelowTheSummary) {
    HoldAxes(State(), 3);
    const IoConfigImage before = State().image;
    ShowPainted(quillet.Handle());
    const std::vector<ShownBox> boxes = Run(IDM_WRITE_IO);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(ValueNames(ControllerKey("0")), (Lines{AxisKey(1), AxisKey(2), AxisKey(3)}));
    for (int axis = 1; axis <= 3; ++axis) ExpectAxisValue("0", axis, Patterned(axis));
    // No driver answers the fake device: the second request goes out anyway.
    EXPECT_EQ(deviceLog, RestartCalls("0"));
    EXPECT_EQ(Status(), "Stored 3 axes for controller 0 at hh:mm; nothing was stored before, so no copy was made; "
                        "controller 0 holds them.");
    EXPECT_TRUE(WaitsForRepaint(quillet.Handle()));
    EXPECT_EQ(State().image.bytes, before.bytes);
    EXPECT_TRUE(State().imageValid);
}

// The key holds the image's axes and no others: the copy of a set of 8
// written back after one of 16 puts the 8 back alone.
TEST_F(DriverStore, AWriteReplacesTheStoredSetSoThatItsCopyPutsTheEarlierOneBack) {
    HoldAxes(State(), 8);
    Run(IDM_WRITE_IO);
    StoreValue(ControllerKey("0"), "Other", {1, 2, 3});
    HoldAxes(State(), 16, 100);
    Run(IDM_WRITE_IO);
    EXPECT_EQ(ValueNames(ControllerKey("0")).size(), 17u);
    const Lines copies = BackupFiles();
    ASSERT_EQ(copies.size(), 1u);
    ASSERT_EQ(ReadIoConfigFile(BackupFolder() + "\\" + copies[0], State().image).axisCount, 8);
    Run(IDM_WRITE_IO);
    EXPECT_EQ(ValueNames(ControllerKey("0")).size(), 9u);  // "Other" stays
    for (int axis = 1; axis <= 8; ++axis) ExpectAxisValue("0", axis, Patterned(axis));
    EXPECT_FALSE(ReadValue(ControllerKey("0"), AxisKey(9)).has_value());
}

TEST_F(DriverStore, NoMoreThanSixteenRecordsAreWritten) {
    HoldAxes(State(), 40);
    Run(IDM_WRITE_IO);
    EXPECT_EQ(ValueNames(ControllerKey("0")).size(), 16u);
    ExpectAxisValue("0", 16, Patterned(16));
    EXPECT_FALSE(ReadValue(ControllerKey("0"), AxisKey(17)).has_value());
}

TEST_F(DriverStore, WithNoAxesWriteSaysThereIsNothingToWriteAndChangesNothing) {
    StoreValue(ControllerKey("3"), AxisKey(1), BytesOf(Patterned(9)));
    State().controllerId = 3;
    HoldAxes(State(), 0);
    board.ClearCallLog();
    const std::vector<ShownBox> boxes = Run(IDM_WRITE_IO);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].seen.text, "The window holds no axes: there is nothing to write to controller 3.");
    EXPECT_FALSE(boxes[0].offersCancel);
    EXPECT_EQ(ValueNames(ControllerKey("3")), Lines{AxisKey(1)});
    EXPECT_TRUE(deviceLog.empty());
    EXPECT_TRUE(BackupFiles().empty());
    EXPECT_TRUE(board.CallLog().empty());
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
    EXPECT_EQ(Status(), "Storing 3 axes for controller 3 failed at hh:mm; nothing was stored before, so no copy was made.");
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
    EXPECT_EQ(Status().substr(0, 99),
              "Removed the assignments stored for controller 3 at hh:mm, but the controller was not restarted; the");
    EXPECT_TRUE(ValueNames(ControllerKey("3")).empty());

    // No such device, or no such path to it: no driver, nothing to say.
    for (DWORD missing : {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND}) {
        deviceRefusal = missing;
        EXPECT_EQ(Run(IDM_WRITE_IO).size(), 1u) << missing;
    }
}

// tvxio reports the same failures, in the same order, from the same call.
TEST_F(DriverStore, WhenTheStoreAndTheRestartBothFailTheRestartIsToldFirst) {
    driverRegistry.createKey = RefuseToCreateKey;
    driverDevice.createFile = RefuseToOpenDevice;
    State().controllerId = 3;
    HoldAxes(State(), 1);
    const std::vector<ShownBox> boxes = Run(IDM_WRITE_IO);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1].seen.text, RestartFailureText(3, ERROR_ACCESS_DENIED));
    EXPECT_EQ(boxes[2].seen.text, StoreFailureText(3, ERROR_ACCESS_DENIED));
    DriverUpdateOutcome outcome;
    outcome.storeError = outcome.restartError = ERROR_ACCESS_DENIED;
    EXPECT_EQ(DriverUpdateFailures(3, outcome), (Lines{boxes[1].seen.text, boxes[2].seen.text}));
}

TEST_F(DriverStore, AWriteWithConflictsAsksAndNoKeepsEverythingAsItWas) {
    StoreValue(ControllerKey("0"), AxisKey(1), BytesOf(Patterned(9)));
    State().image = ConflictingImage();
    State().imageValid = true;
    const std::vector<ShownBox> boxes = Run(IDM_WRITE_IO, {IDOK, IDNO});
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].seen.text,
              "The assignments for controller 0 have conflicts:\n"
              "Output 29 is used by Axis 1 Amp Enable (out) and Axis 2 Drive Enable (out).\n\n"
              "Write them to the controller anyway?");
    EXPECT_EQ(boxes[1].seen.caption, "Quillet");
    EXPECT_EQ(boxes[1].seen.icon, WarningIcon);
    EXPECT_EQ(ValueNames(ControllerKey("0")), Lines{AxisKey(1)});
    ExpectAxisValue("0", 1, Patterned(9));
    EXPECT_TRUE(deviceLog.empty());
    EXPECT_TRUE(BackupFiles().empty());
}

TEST_F(DriverStore, TheConflictQuestionOffersYesAndNoWithNoTheDefault) {
    State().image = ConflictingImage();
    bool yes = false, no = false, noIsDefault = false;
    ModalAnswerer answerer([&](HWND box) {
        if (!Shows(box, IDNO)) return PressButton(box, IDOK);
        yes = Shows(box, IDYES);
        no = true;
        noIsDefault = (GetWindowLongA(GetDlgItem(box, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON) != 0;
        PressButton(box, IDNO);
    });
    quillet.Command(IDM_WRITE_IO);
    EXPECT_TRUE(yes);
    EXPECT_TRUE(no);
    EXPECT_TRUE(noIsDefault);
    // Ten listed at most.
    std::vector<std::string> errors;
    for (int i = 1; i <= 12; ++i) errors.push_back(std::string("E").append(std::to_string(i)).append("."));
    const std::string text = ConflictQuestionText(3, errors);
    EXPECT_NE(text.find("\nE10.\nand 2 more.\n\nWrite them"), std::string::npos) << text;
    EXPECT_EQ(text.find("E11."), std::string::npos);
}

TEST_F(DriverStore, AWriteWithConflictsAnsweredYesKeepsACopyThenWrites) {
    StoreValue(ControllerKey("0"), AxisKey(1), BytesOf(Patterned(9)));
    StoreValue(ControllerKey("0"), AxisKey(2), Bytes{'h', 'i', 0});  // no record: replaced, and said
    StoreValue(ControllerKey("0"), AxisKey(3), BytesOf(Patterned(8)));
    State().image = ConflictingImage();
    State().imageValid = true;
    const std::vector<ShownBox> boxes = Run(IDM_WRITE_IO, {IDOK, IDYES});
    ASSERT_EQ(boxes.size(), 2u);
    ExpectAxisValue("0", 2, GetAxisRecord(ConflictingImage(), 2));
    EXPECT_EQ(deviceLog, RestartCalls("0"));

    // The copy holds what was stored before, and opens as any .tvxio file.
    const Lines files = BackupFiles();
    ASSERT_EQ(files.size(), 1u);
    const std::string copy = BackupFolder() + "\\" + files[0];
    EXPECT_EQ(Profile(copy, "Backup", "Controller"), "0");
    EXPECT_EQ(Profile(copy, "Backup", "Before"), "Write");
    char user[257] = {}, computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD userSize = sizeof user, computerSize = sizeof computer;
    ASSERT_TRUE(GetUserNameA(user, &userSize) && GetComputerNameA(computer, &computerSize));
    EXPECT_EQ(Profile(copy, "Backup", "User"), user);
    EXPECT_EQ(Profile(copy, "Backup", "Computer"), computer);
    const std::string taken = Profile(copy, "Backup", "Taken");  // YYYY-MM-DD HH:MM:SS
    ASSERT_EQ(taken.size(), 19u);
    EXPECT_EQ(files[0], "controller0-" + taken.substr(0, 4) + taken.substr(5, 2) + taken.substr(8, 2) + "-" +
                            taken.substr(11, 2) + taken.substr(14, 2) + taken.substr(17, 2) + ".tvxio");
    EXPECT_EQ(State().held.statusLine, "Stored 2 axes for controller 0 at " + taken.substr(11, 5) +
                                        "; the values stored before are in " + copy + "; controller 0 holds them. The "
                                        "values stored before were damaged: Axis2IOConfig was not a record (64 bytes of REG_BINARY).");
    EXPECT_EQ(Profile(copy, "TVXIOConfig", AxisKey(1)), RecordText(Patterned(9)));
    EXPECT_EQ(Profile(copy, "TVXIOConfig", AxisKey(2)), "68 69 00");
    EXPECT_EQ(Profile(copy, "TVXIOConfig", AxisKey(3)), RecordText(Patterned(8)));
    // The last value written keeps its line whole, as Save As leaves it.
    const std::string text = ReadTextFile(copy);
    const std::string lastLine = AxisKey(3) + "=" + RecordText(Patterned(8)) + " \r\n";
    EXPECT_EQ(text.substr(text.size() - lastLine.size()), lastLine);
}

TEST_F(DriverStore, AResetKeepsACopyAndACleanWriteAsksNothingMore) {
    State().controllerId = 65535;
    StoreValue(ControllerKey("-1"), AxisKey(2), BytesOf(Patterned(7)));
    EXPECT_EQ(Run(IDM_RESET_CONTROLLER).size(), 1u);
    const Lines files = BackupFiles();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].substr(0, 13), "controller-1-");
    const std::string copy = BackupFolder() + "\\" + files[0];
    EXPECT_EQ(Profile(copy, "Backup", "Controller"), "-1");
    EXPECT_EQ(Profile(copy, "Backup", "Before"), "Reset");
    EXPECT_EQ(Profile(copy, "TVXIOConfig", AxisKey(2)), RecordText(Patterned(7)));
    EXPECT_EQ(Status(), "Removed the assignments stored for controller -1 at hh:mm; the values stored before are in " +
                            copy + ".");
    EXPECT_TRUE(ValueNames(ControllerKey("-1")).empty());

    // Nothing stored now: no copy. Two inputs on one channel are no conflict.
    State().image = IoConfigImage{};
    SetAxisCount(State().image, 2);
    SetChannel(State().image, 1, IoSignal::Fault, 41);
    SetChannel(State().image, 2, IoSignal::Fault, 41);
    EXPECT_EQ(Run(IDM_WRITE_IO).size(), 1u);
    EXPECT_EQ(BackupFiles(), files);
    ExpectAxisValue("-1", 2, GetAxisRecord(State().image, 2));
}

TEST_F(DriverStore, CopiesTakenInTheSameSecondGetNamesOfTheirOwn) {
    StoreValue(ControllerKey("3"), AxisKey(1), BytesOf(Patterned(1)));
    SYSTEMTIME taken{};
    taken.wYear = 2026;
    taken.wMonth = 12;
    taken.wDay = 7;
    taken.wHour = 9;
    taken.wMinute = 5;
    taken.wSecond = 3;
    Lines paths;
    for (int i = 0; i < 3; ++i) {
        const DriverBackup backup = BackUpDriverIoConfig(3, BackupFolder(), {"Write", taken, ""});
        EXPECT_EQ(backup.error, 0u);
        paths.push_back(backup.path.substr(backup.path.find_last_of('\\') + 1));
    }
    EXPECT_EQ(paths, (Lines{"controller3-20261207-090503.tvxio", "controller3-20261207-090503-2.tvxio",
                            "controller3-20261207-090503-3.tvxio"}));
    // Named by a move once whole: no other file stays beside the copies, and
    // what a killed writer left behind goes once a minute old.
    EXPECT_EQ(FileNamesIn(BackupFolder()).size(), 3u);
    for (const char* name : {"\\qlt1.tmp", "\\qlt2.tmp"}) WriteTextFile(BackupFolder() + name, "[Backup]");
    HANDLE old = CreateFileA((BackupFolder() + "\\qlt1.tmp").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME longAgo{0, 0x01D00000};
    SetFileTime(old, nullptr, nullptr, &longAgo);
    CloseHandle(old);
    BackUpDriverIoConfig(3, BackupFolder(), {"Write", taken, ""});
    EXPECT_FALSE(FileExists(BackupFolder() + "\\qlt1.tmp"));
    EXPECT_TRUE(FileExists(BackupFolder() + "\\qlt2.tmp"));
    EXPECT_EQ(Profile(BackupFolder() + "\\" + paths[2], "Backup", "Taken"), "2026-12-07 09:05:03");
}

TEST_F(DriverStore, ACopyThatCannotBeMadeStopsTheCommandWithNothingChanged) {
    WriteTextFile(BackupFolder(), "a file where the folder should be");
    StoreValue(ControllerKey("0"), AxisKey(1), BytesOf(Patterned(9)));
    HoldAxes(State(), 2);
    for (int command : {IDM_WRITE_IO, IDM_RESET_CONTROLLER}) {
        const std::vector<ShownBox> boxes = Run(command);
        ASSERT_EQ(boxes.size(), 2u) << command;
        const std::string& text = boxes[1].seen.text;
        const std::string start =
            "Quillet could not keep a copy of the assignments stored for controller 0 in the file\n" + BackupFolder() +
            "\\controller0-";
        EXPECT_EQ(text.substr(0, start.size()), start) << text;
        const std::string end = "\nNothing was changed on controller 0.";
        EXPECT_EQ(text.substr(text.size() - end.size()), end) << text;
        EXPECT_EQ(boxes[1].seen.icon, WarningIcon);
        EXPECT_FALSE(boxes[1].offersCancel);
        EXPECT_EQ(Status(), "Nothing was changed on controller 0 at hh:mm.");
    }
    EXPECT_EQ(ValueNames(ControllerKey("0")), Lines{AxisKey(1)});
    ExpectAxisValue("0", 1, Patterned(9));
    EXPECT_TRUE(deviceLog.empty());
}

TEST_F(DriverStore, ACopyCutShortByAFullDiskStopsTheCommandAndLeavesNoFile) {
    StoreValue(ControllerKey("0"), AxisKey(1), BytesOf(Patterned(9)));
    HoldAxes(State(), 2);
    std::vector<ShownBox> boxes;
    {
        const FullDisk full;
        boxes = Run(IDM_WRITE_IO);
    }
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].seen.text.rfind("Quillet could not keep a copy of the assignments stored for controller 0", 0), 0u);
    EXPECT_EQ(ValueNames(ControllerKey("0")), Lines{AxisKey(1)});
    EXPECT_TRUE(deviceLog.empty());
    EXPECT_TRUE(FileNamesIn(BackupFolder()).empty());
}

TEST_F(DriverStore, AWriteTheControllerDoesNotHoldOrThatCannotBeReadBackSaysSo) {
    HoldAxes(State(), 2);
    struct Row {
        const char* description;
        std::vector<int> answers;  // an area that cannot be read cannot be checked before either
        std::string start;
    };
    const Row rows[] = {
        {"registry = off\n", {IDOK}, "After the write, controller 0 does not hold the assignments stored for it (stored -> "
                                     "held):\nAxis 1: Stepper -> Servo\nAxis 1 Coarse Home (inp): 64 -> 1\n"},
        {"axisCount = 1\n", {IDOK, IDYES}, "After the write, controller 0 does not hold the assignments stored for it "
                                           "(stored -> held):\nAxis 2 is not held by controller 0\nThe controller"},
        {"readArea = -3\n", {IDOK, IDYES}, "Quillet could not check what controller 0 holds after the write: the I/O "
                                           "configuration of controller 0 could not be read."}};
    for (const auto& [description, answers, start] : rows) {
        board.Describe(WideBoard + description);
        const std::vector<ShownBox> boxes = Run(IDM_WRITE_IO, answers);
        ASSERT_EQ(boxes.size(), answers.size() + 1);
        EXPECT_EQ(boxes.back().seen.text.rfind(start, 0), 0u) << boxes.back().seen.text;
        EXPECT_EQ(boxes.back().seen.icon, WarningIcon);
        EXPECT_EQ(Status().find("holds them"), std::string::npos);
    }
}

// Write opens the controller it writes to once, before asking, and checks
// the window's axes and channels against it; what could not be checked is
// asked about too. No keeps everything as it was.
TEST_F(DriverStore, WriteIsCheckedAgainstTheControllerItWritesTo) {
    StoreValue(ControllerKey("3"), AxisKey(1), BytesOf(Patterned(9)));
    State().controllerId = 3;
    State().imageValid = true;
    SetAxisCount(State().image, 10);
    SetChannel(State().image, 1, IoSignal::Enable, 60);
    struct Row {
        const char* board;
        std::string question;
    };
    const Row rows[] = {
        {"", "The assignments for controller 3 have conflicts:\nAxis 9 is not one of the 8 axes of controller 3.\n"
             "Axis 10 is not one of the 8 axes of controller 3.\nAxis 1 Drive Enable (out) is on channel 60, past "
             "the 48 channels of the controller.\n\nWrite them to the controller anyway?"},
        {"axisCount = 16\nfailedOpens = 1\n",
         "Quillet could not open controller 3 to check the assignments against it. Write them anyway?"}};
    for (const Row& row : rows) {
        board.Describe(row.board);
        board.ClearCallLog();
        const std::vector<ShownBox> boxes = Run(IDM_WRITE_IO, {IDOK, IDNO});
        ASSERT_EQ(boxes.size(), 2u) << row.board;
        EXPECT_EQ(boxes[1].seen.text, row.question);
        const Lines log = board.CallLog();
        EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& call) { return call.starts_with("KXOpen("); }),
                  1);
        EXPECT_EQ(ValueNames(ControllerKey("3")), Lines{AxisKey(1)});
        EXPECT_TRUE(deviceLog.empty());
    }
    SetChannel(State().image, 1, IoSignal::Enable, 30);  // an output of the 16-axis board
    EXPECT_EQ(Run(IDM_WRITE_IO).size(), 1u);
    ExpectAxisValue("3", 10, GetAxisRecord(State().image, 10));
}

// The lock is the machine's and ends with the restart request: a restarting
// controller read back keeps no other writer waiting.
TEST_F(DriverStore, TheReadBackWaitsForTheControllerOutsideTheLock) {
    board.Describe(WideBoard + "failedOpens = 4\n");
    board.ClearCallLog();
    HoldAxes(State(), 1);
    EngineWrite write{State().image, BackupFolder(), {}};
    HANDLE writer = CreateThread(nullptr, 0, RunEngineWrite, &write, 0, nullptr);
    while (board.CallLog().empty()) Sleep(10);  // the read-back's first open
    HANDLE lock = CreateMutexA(nullptr, FALSE, "Global\\Quillet.Controller0");
    EXPECT_EQ(WaitForSingleObject(lock, 0), WAIT_OBJECT_0);
    ReleaseMutex(lock);
    CloseHandle(lock);
    WaitForSingleObject(writer, INFINITE);
    CloseHandle(writer);
    EXPECT_EQ(write.outcome.check.result, WriteCheckResult::Verified);
}

// A descriptor's access list as the system writes it (FRFX as a number).
std::string AccessText(PSECURITY_DESCRIPTOR descriptor) {
    char* text = nullptr;
    if (!ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                              &text, nullptr))
        return "";
    const std::string access = text;
    LocalFree(text);
    return access;
}

std::string journalFolderAccess;

BOOL WINAPI CreateFolderRecordingAccess(LPCSTR path, LPSECURITY_ATTRIBUTES security) {
    journalFolderAccess = AccessText(security->lpSecurityDescriptor);
    return CreateDirectoryA(path, nullptr);
}

// Each command goes into the machine's journal, whose folder only
// administrators may change; a journal that cannot be written stops
// nothing, but is said.
TEST_F(DriverStore, WritesAndResetsAreInTheJournalWhateverTheirOutcome) {
    DeleteFileA(JournalPath().c_str());
    RemoveDirectoryA(JournalFolder().c_str());
    createJournalFolder = CreateFolderRecordingAccess;
    HoldAxes(State(), 2);
    State().held.readFrom = 0;
    EXPECT_EQ(Run(IDM_WRITE_IO).size(), 1u);
    EXPECT_EQ(Run(IDM_RESET_CONTROLLER).size(), 1u);
    createJournalFolder = CreateDirectoryA;
    PSECURITY_DESCRIPTOR meant = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(JournalFolderAccess, SDDL_REVISION_1, &meant, nullptr));
    EXPECT_EQ(journalFolderAccess, AccessText(meant));
    LocalFree(meant);
    uint32_t error = 0;
    int skipped = 0;
    const std::vector<JournalEntry> entries = ReadJournal(error, skipped);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].command + " " + entries[0].result + " " + entries[0].source, "write verified controller 0");
    EXPECT_EQ(entries[0].changes, (Lines{"Axis 1: only in NEW", "Axis 2: only in NEW"}));
    EXPECT_EQ(entries[1].command + " " + entries[1].result + " " + entries[1].copy,
              "reset done " + BackupFolder() + "\\" + BackupFiles()[0]);
    EXPECT_EQ(entries[1].changes, (Lines{"Axis 1: only in OLD", "Axis 2: only in OLD"}));

    ASSERT_TRUE(DeleteFileA(JournalPath().c_str()) && CreateDirectoryA(JournalPath().c_str(), nullptr));
    const std::vector<ShownBox> boxes = Run(IDM_WRITE_IO);
    RemoveDirectoryA(JournalPath().c_str());
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].seen.text.rfind("The write was not added to the journal " + JournalPath() + ": ", 0), 0u);
    ExpectAxisValue("0", 2, Patterned(2));
}

// The write runs on a thread of its own: while the controller restarts, the
// window answers another program's messages (how fast is the benchmark's
// business), says what it waits for, greys what must wait, and closes only
// once the write has ended.
TEST_F(DriverStore, WhileTheControllerRestartsTheWindowAnswersAndClosesOnlyAfterTheWrite) {
    board.Describe(WideBoard + "failedOpens = 7\n");  // the check's open, then 3 s of the read-back's
    board.ClearCallLog();
    HoldAxes(State(), 2);
    HWND window = quillet.Handle();
    ShowPainted(window);
    std::vector<int> answers{IDOK, IDYES};  // write without the check the first open could not make
    ModalAnswerer answerer([&answers](HWND box) {
        PressButton(box, answers.empty() ? IDOK : answers.front());
        if (!answers.empty()) answers.erase(answers.begin());
    });
    quillet.Command(IDM_WRITE_IO);
    ASSERT_NE(State().held.driverJob, nullptr);
    Probe probe{window};
    HANDLE prober = CreateThread(nullptr, 0, RunProbe, &probe, 0, nullptr);
    HMENU controllerMenu = GetSubMenu(GetMenu(window), 1);
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(controllerMenu), 1);
    EXPECT_TRUE(GetMenuState(controllerMenu, IDM_READ_IO, MF_BYCOMMAND) & MF_GRAYED);
    SendMessageA(window, WM_CLOSE, 0, 0);
    std::string waiting;
    MSG message;
    while (IsWindow(window) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
        if (IsWindow(window) && Status().find("waiting") != std::string::npos) waiting = Status();
    }
    probe.stop = true;
    WaitForSingleObject(prober, INFINITE);
    CloseHandle(prober);
    EXPECT_EQ(probe.missed, 0);
    EXPECT_EQ(waiting.substr(0, 52), "Writing to controller 0: waiting for it to restart (");
    EXPECT_NE(waiting.find("; Quillet will close when the write has ended."), std::string::npos) << waiting;
    ExpectAxisValue("0", 2, Patterned(2));
}
