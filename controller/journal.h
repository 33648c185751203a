// The machine's journal of every Write and Reset, from the window or tvxio:
// %ProgramData%\Quillet\journal.jsonl, one entry a line, appended whole.
// Its folder lets Administrators and SYSTEM change it and other users only
// read it, so that a standard user cannot rewrite the record.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ioconfig/journal_entry.h"

// Who may do what in the journal's folder, and below it.
constexpr const char* JournalFolderAccess = "D:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)";

// The call that makes a folder with a descriptor: the real one, unless a
// test records the descriptor, which Wine does not enforce.
using CreateFolderCall = BOOL(WINAPI*)(LPCSTR path, LPSECURITY_ATTRIBUTES security);
extern CreateFolderCall createJournalFolder;

std::string JournalFolder();
std::string JournalPath();

// The entry's who, where and when, as of now.
void StampJournalEntry(JournalEntry& entry);

// Appends the entry as one line in one write, then flushes it; makes the
// folder, with its parents, first. Returns 0 or the system's error code.
uint32_t AppendToJournal(const JournalEntry& entry);

// The entries, oldest first; lines that are no entry are counted in
// skipped. error is the system's code when the journal cannot be read
// (ERROR_FILE_NOT_FOUND when there is none yet).
std::vector<JournalEntry> ReadJournal(uint32_t& error, int& skipped);
