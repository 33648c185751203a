// Each failure inside an Expect... helper also names the test line that
// called it: give the helper a last parameter
//   std::source_location caller = std::source_location::current()
// and open it with `const CalledFrom trace(caller);`.
#pragma once

#include <gtest/gtest.h>

#include <source_location>

class CalledFrom : public ::testing::ScopedTrace {
public:
    explicit CalledFrom(const std::source_location& caller)
        : ScopedTrace(caller.file_name(), static_cast<int>(caller.line()), "called from here") {}
};
