#include "bench/file_timing.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

#include "bench/bench_folder.h"
#include "bench/clock.h"
#include "bench/failure.h"
#include "bench/repetitions.h"
#include "controller/config_file.h"
#include "ioconfig/record_text.h"
#include "ioconfig/store_names.h"
#include "tests/support/axis_records.h"

namespace {

constexpr int AxesInFile = MaxAxisRecords;
constexpr DWORD ProfileValueSize = 256;

// What every procedure works on: the path of a file that is not there when
// it starts, the records to save and the keys and values a file holds them as.
struct FileWork {
    std::string folder;
    std::string path;
    IoConfigImage saved;
    // The image a read replaces: other records, so that a read that does
    // nothing shows.
    IoConfigImage other;
    std::array<std::string, AxesInFile> keys;
    std::array<std::string, AxesInFile> values;
};

// Saves the 16 axes to work.path and reads them back; returns the
// milliseconds that took. Checks what was read outside its clock.
using FileProcedure = double (*)(const FileWork& work);

double TimeQuilletFunctions(const FileWork& work) {
    IoConfigImage read = work.other;
    const double start = NowMilliseconds();
    const uint32_t error = WriteIoConfigFile(work.path, work.saved);
    const ConfigFileRead result = ReadIoConfigFile(work.path, read);
    const double time = NowMilliseconds() - start;
    if (error != 0) FailBench("WriteIoConfigFile failed with error " + std::to_string(error));
    if (result.status != ConfigFileReadStatus::Read || read.bytes != work.saved.bytes)
        FailBench("ReadIoConfigFile did not read back the 16 axes WriteIoConfigFile wrote");
    return time;
}

// The values a file holds as the profile functions read them.
struct ReadValues {
    char values[AxesInFile][ProfileValueSize];
    DWORD lengths[AxesInFile];
};

void WriteBare(const FileWork& work, const char* path) {
    for (int i = 0; i < AxesInFile; ++i)
        WritePrivateProfileStringA(ConfigFileSection, work.keys[i].c_str(), work.values[i].c_str(), path);
}

void ReadBare(const FileWork& work, const char* path, ReadValues& read) {
    for (int i = 0; i < AxesInFile; ++i)
        read.lengths[i] = GetPrivateProfileStringA(ConfigFileSection, work.keys[i].c_str(), "", read.values[i],
                                                   ProfileValueSize, path);
}

// The file keeps each value without its trailing blank.
void CheckReadBare(const FileWork& work, const ReadValues& read) {
    for (int i = 0; i < AxesInFile; ++i) {
        const std::string_view written = std::string_view(work.values[i]).substr(0, RecordTextLength - 1);
        if (std::string_view(read.values[i], read.lengths[i]) != written)
            FailBench("the bare reads did not read back the values written");
    }
}

// The least the same work needs: each record's text written, then read.
double TimeBareProfileCalls(const FileWork& work) {
    ReadValues read;
    const double start = NowMilliseconds();
    WriteBare(work, work.path.c_str());
    ReadBare(work, work.path.c_str(), read);
    const double time = NowMilliseconds() - start;
    CheckReadBare(work, read);
    return time;
}

// The least a save that is whole or not there needs, then the same read: a
// new file beside the target, a copy of the target into it (none is there),
// the writes, a flush, the reads back, the replace.
double TimeBareWholeFileCalls(const FileWork& work) {
    ReadValues readBack;
    ReadValues read;
    char newFile[MAX_PATH + 16] = {};
    const double start = NowMilliseconds();
    GetTempFileNameA(work.folder.c_str(), "flr", 0, newFile);
    CopyFileA(work.path.c_str(), newFile, FALSE);
    WriteBare(work, newFile);
    HANDLE file = CreateFileA(newFile, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    FlushFileBuffers(file);
    CloseHandle(file);
    ReadBare(work, newFile, readBack);
    MoveFileExA(newFile, work.path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    ReadBare(work, work.path.c_str(), read);
    const double time = NowMilliseconds() - start;
    CheckReadBare(work, readBack);
    CheckReadBare(work, read);
    return time;
}

struct FileFloor {
    const char* measurement;
    FileProcedure procedure;
    double target;  // as in ResultRow
};

const FileFloor FileFloors[] = {
    {"Files, 16 axes: vs 32 profile calls", TimeBareProfileCalls, 0},
    {"Files, 16 axes: vs bare whole save", TimeBareWholeFileCalls, 1.10},
};

IoConfigImage SixteenAxes(int salt) {
    IoConfigImage image;
    for (int axis = 1; axis <= AxesInFile; ++axis) SetAxisRecord(image, axis, Patterned(axis, salt));
    SetAxisCount(image, AxesInFile);
    return image;
}

FileWork PrepareFileWork(const BenchFolder& folder) {
    FileWork work{folder.Path(), folder.File("axes.tvxio"), SixteenAxes(0), SixteenAxes(1), {}, {}};
    for (int axis = 1; axis <= AxesInFile; ++axis) {
        work.keys[axis - 1] = AxisKey(axis);
        work.values[axis - 1] = EncodeRecordText(Patterned(axis));
    }
    return work;
}

// Every procedure starts from no file, so none removes keys of an earlier
// save that another left.
double TimeFromNoFile(FileProcedure procedure, const FileWork& work) {
    if (!DeleteFileA(work.path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        FailBench("cannot delete " + work.path);
    return procedure(work);
}

}  // namespace

std::vector<ResultRow> MeasureFiles(int repetitions) {
    const BenchFolder folder("files");
    const FileWork work = PrepareFileWork(folder);
    std::vector<ResultRow> rows;
    for (const FileFloor& floor : FileFloors) rows.push_back({floor.measurement, "ms", {}, {}, floor.target});
    RunInterleaved(
        repetitions,
        [&](bool counted) {
            const double time = TimeFromNoFile(TimeQuilletFunctions, work);
            if (!counted) return;
            for (ResultRow& row : rows) row.quillet.push_back(time);
        },
        [&](bool counted) {
            for (size_t i = 0; i < std::size(FileFloors); ++i) {
                const double time = TimeFromNoFile(FileFloors[i].procedure, work);
                if (counted) rows[i].floor.push_back(time);
            }
        });
    return rows;
}
