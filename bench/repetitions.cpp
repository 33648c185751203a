#include "bench/repetitions.h"

void RunInterleaved(int repetitions, const BenchSide& quillet, const BenchSide& floor) {
    for (int round = 0; round < WarmUpRounds + repetitions; ++round) {
        const bool counted = round >= WarmUpRounds;
        if (round % 2 == 0) {
            quillet(counted);
            floor(counted);
        } else {
            floor(counted);
            quillet(counted);
        }
    }
}
