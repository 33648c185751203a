#include "app/command_line.h"

#include "app/app_state.h"

// The controller option is not read yet: it comes with the command-line work.
void ApplyCommandLineOptions(AppState&, char*) {}
