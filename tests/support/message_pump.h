// Running this thread's messages outside a message loop, for the tests and
// benchmarks that drive Quillet's windows from the test thread.
#pragma once

// Runs this thread's pending messages, paints included.
void PumpMessages();
