// Clocks on a few of this program's imports, Quillet's calls included: their
// slots in the program's import table are pointed at wrappers that note the
// time. They tell a file command's own work from the time its dialog was
// up, and its profile calls from the rest of its work.
#pragma once

// Routes GetOpenFileNameA, GetSaveFileNameA, WritePrivateProfileStringA and
// GetPrivateProfileStringA through the wrappers; GetProcAddress hands out
// the file dialogs' wrappers as well.
void ClockFileImports();

// NowMilliseconds() when the last file dialog returned; 0 before any did.
double LastFileDialogReturn();

// The calls of WritePrivateProfileStringA and GetPrivateProfileStringA so
// far, and the time spent inside them.
struct ProfileCallTally {
    int calls = 0;
    double milliseconds = 0;
};
ProfileCallTally ProfileCallsSoFar();
