#include "bench/failure.h"

#include <cstdio>
#include <cstdlib>

void FailBench(const std::string& why) {
    std::fflush(stdout);
    std::fprintf(stderr, "bench: %s\n", why.c_str());
    std::exit(1);
}
