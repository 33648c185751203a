#include <gtest/gtest.h>

#include <string>

#include "ioconfig/journal_entry.h"
#include "ioconfig/sha256.h"

// FIPS 180-4's examples: one block, two blocks and a million bytes.
TEST(Journal, Sha256OfTheStandardsExamples) {
    EXPECT_EQ(Sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(Sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(Sha256Hex(std::string(1000000, 'a')), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

// A line is ASCII and reads back as the entry it was, whatever the texts hold.
TEST(Journal, ALineReadsBackWhole) {
    const JournalEntry entry{"2026-12-09T16:30:05+01:00", "PLANT\\eng\u00fc", "PC-7", "tvxio 1.0.0", 65535, "write",
                             "C:\\m\\\u03a9 motor \"7\".tvxio", std::string(64, 'a'), "", JournalResult::Differs,
                             "After the write, ...", {"Axis 1 Amp Enable (out): 25 -> 26", "Axis 9: only in NEW"},
                             "two\nlines \\ \U0001F600"};
    const std::string line = JournalLine(entry);
    for (char c : line) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << line;
    const std::optional<JournalEntry> read = ReadJournalLine(line);
    ASSERT_TRUE(read.has_value()) << line;
    EXPECT_EQ(JournalLine(*read), line);
    EXPECT_EQ(read->note, entry.note);
    EXPECT_NE(line.find("\"copy\": null"), std::string::npos) << line;
    for (const char* notAnEntry : {"", "{}", "{\"time\": \"x\"}", "[1, 2]", "{\"time\": \"t\", \"controller\": 70000, "
                                   "\"command\": \"write\", \"result\": \"done\"}", line.substr(0, line.size() - 1).c_str()})
        EXPECT_FALSE(ReadJournalLine(notAnEntry).has_value()) << notAnEntry;
}
