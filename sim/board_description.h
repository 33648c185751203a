// The board description: a text file, named by KXSIM_BOARD, each line of
// which changes one setting of the default board. "#" starts a comment;
// numbers are decimal or 0x hex; lines that do not parse change nothing.
//     open = -1              channels = 120         axisCount = 3
//     select = 3             registry = off         failedOpens = 2
//     flags 1-24 = 0x101     byte 272 = 0x05        record 2 = 00 00 01 00 ...
// and, to make a call fail with a status of its own:
//     configuration = -2     (KXGetConfigurationEx)  readArea = -3 (krxgetramex)
//     channelQuery 5-7 = -4  (KXGetDigitalIOConfig of those channels)
#pragma once

#include "sim/board.h"

// Read afresh on every call, so that a test may change the file between
// calls; the default board when the variable or the file is missing.
Board LoadBoardDescription();
