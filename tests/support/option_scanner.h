// Quillet scans its command line once per process; tests and the fuzzer
// scan many, each from the scanner's start values.
#pragma once

void ResetOptionScanner();
