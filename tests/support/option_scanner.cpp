#include "tests/support/option_scanner.h"

#include "ioconfig/command_line.h"

void ResetOptionScanner() {
    nextWord = 1;
    scanPosition = nullptr;
    insideOptionWord = false;
    optionArgument = nullptr;
    badOption = 0;
    reportOptionErrors = true;
}
