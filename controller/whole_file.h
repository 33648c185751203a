// Files that are whole or not there at all. A file is written as a new file
// beside its target, flushed, read back and checked, and only then put in
// the target's place in one call: a full disk, a crash or a reader at the
// wrong moment never sees half a file, and a failure leaves the target as it
// was. The profile functions report success even when a full disk cut the
// file short, so only the reading back is trusted.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// What a new file's reading back found: nothing when it holds what was
// meant, else the name of the first value it does not hold as written
// (empty where there are no names).
using ReadBackCheck = std::function<std::optional<std::string>(const std::string& newFile)>;

// Writes target through `write`, which fills the new file it is given (a
// copy of target when keepExisting and target exists, else empty), and
// `readsBack`. Returns 0 or the system's error code. A file that does not
// read back is a full disk when its disk is (nearly) full; else a value
// that did not is ERROR_INVALID_DATA, named in *differingKey, and a file
// without names a write fault.
uint32_t WriteWholeFile(const std::string& target, bool keepExisting,
                        const std::function<uint32_t(const std::string& newFile)>& write,
                        const ReadBackCheck& readsBack, std::string* differingKey = nullptr);

// The same for a file that must not replace one: written as a new file in
// folder, then given the first name of nameFor(1), nameFor(2) ... that is
// free, by a move that fails when the name exists. No empty file ever
// stands under such a name. path is the name given, or the last tried.
uint32_t WriteNewWholeFile(const std::string& folder, const std::function<std::string(int attempt)>& nameFor,
                           const std::function<uint32_t(const std::string& newFile)>& write,
                           const ReadBackCheck& readsBack, std::string& path, std::string* differingKey = nullptr);

// The new files of writes that were ended before their move (a killed
// program) in folder, once they are that old.
void RemoveNewFilesLeftBehind(const std::string& folder, unsigned olderThanSeconds);

// Writes text as the whole content of target, the same way.
uint32_t WriteWholeTextFile(const std::string& target, const std::string& text);
