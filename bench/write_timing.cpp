#include "bench/write_timing.h"

#include <windows.h>

#include "bench/bench_folder.h"
#include "bench/clock.h"
#include "bench/failure.h"
#include "bench/repetitions.h"
#include "controller/controller_lock.h"
#include "controller/driver_backup.h"
#include "controller/driver_store.h"
#include "controller/driver_update.h"
#include "controller/write_check.h"
#include "ioconfig/store_names.h"
#include "tests/support/axis_records.h"

namespace {

// A controller number no test uses; its key is removed afterwards.
constexpr uint16_t BenchController = 77;
constexpr int AxesWritten = 8;

IoConfigImage EightAxes() {
    IoConfigImage image;
    for (int axis = 1; axis <= AxesWritten; ++axis) SetAxisRecord(image, axis, Patterned(axis));
    SetAxisCount(image, AxesWritten);
    return image;
}

template <typename Work>
double Timed(Work work) {
    const double start = NowMilliseconds();
    work();
    return NowMilliseconds() - start;
}

// The least the store needs: the key, a value a record, closed.
double TimeBareStore(const IoConfigImage& image) {
    return Timed([&] {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, DriverKeyPath(BenchController).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr);
        for (int axis = 1; axis <= AxesWritten; ++axis) {
            const AxisIoRecord record = GetAxisRecord(image, axis);
            RegSetValueExA(key, AxisValueName(axis).c_str(), 0, REG_BINARY, record.bytes.data(), AxisIoRecordSize);
        }
        RegCloseKey(key);
    });
}

}  // namespace

WriteRows MeasureWrite(int repetitions) {
    const BenchFolder copies("copies");
    const IoConfigImage image = EightAxes();
    WriteRows rows{{"Write, 8 axes: vs bare registry store", "ms", {}, {}, 0}, {}};
    const char* stepNames[] = {"  lock", "  copy, read back", "  store", "  restart request", "  read-back"};
    for (const char* name : stepNames) rows.steps.push_back({name, "ms", {}, {}, 0});
    RunInterleaved(
        repetitions,
        [&](bool counted) {
            DriverUpdateOutcome outcome;
            const double whole = Timed([&] { outcome = WriteIoConfigToDriver(BenchController, image, {copies.Path(), LocalClock, "", "", "", std::nullopt}); });
            if (outcome.storeError != 0 || outcome.check.result != WriteCheckResult::Verified)
                FailBench("the write did not store and verify the 8 axes");
            const double steps[] = {
                Timed([] { const ControllerWriterLock lock(BenchController); }),
                Timed([&] { BackUpDriverIoConfig(BenchController, copies.Path(), {"Write", LocalClock(), ""}); }),
                Timed([&] { WriteDriverIoConfig(BenchController, image); }),
                Timed([] { RestartController(BenchController); }),
                Timed([&] { CheckWrittenRecords(BenchController, image); }),
            };
            if (!counted) return;
            rows.write.quillet.push_back(whole);
            for (size_t i = 0; i < rows.steps.size(); ++i) rows.steps[i].quillet.push_back(steps[i]);
        },
        [&](bool counted) {
            const double time = TimeBareStore(image);
            if (!counted) return;
            rows.write.floor.push_back(time);
            for (ResultRow& step : rows.steps) step.floor.push_back(time);
        });
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, DriverKeyPath(BenchController).c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, DriverKeyPath(BenchController).c_str());
    return rows;
}
