// A benchmark that cannot take its figures says why and ends the run: a
// figure taken from a broken run would mislead.
#pragma once

#include <string>

[[noreturn]] void FailBench(const std::string& why);
