#pragma once
// Reading a ringtone file into the one text the engine converts, for the
// window and the command line alike.

#include <cstddef>
#include <string>
#include <string_view>

namespace RingToneFile {

enum class Outcome {
    Read,       // the text is in Result::sText
    CannotOpen, // missing, not an ordinary file, unreadable (Result::iError says why)
    TooLarge,   // more than RingToneText::MaxLength bytes of UTF-8
    NotText     // holds NUL characters: a binary file
};

struct Result {
    Outcome iOutcome = Outcome::CannotOpen;
    std::string sText; // UTF-8, its lines joined; empty unless Read
    int iError = 0;    // errno when CannotOpen
};

// A byte-order mark and four bytes for each character, at the most: no
// more is ever read of a file.
constexpr size_t MaxBytes = 4 + 4 * 64 * 1024;

// Only ordinary files (or links to them): a pipe or a device could block or
// never end.
Result Read(const std::string& sPath);
// Reads at most MaxBytes + 1 bytes of an open descriptor, pipes included.
Result ReadFrom(int fd);
// Decodes bytes as read and checks them; lines are joined unless bJoin is false.
Result Interpret(std::string_view bytes, bool bJoin = true);

// UTF-8 (or the encoding a byte-order mark names: UTF-8, UTF-16, UTF-32)
// when valid, Latin-1 otherwise; always returned as UTF-8 without the mark.
std::string Decode(std::string_view bytes);

// Whether a UTF-8 text is within RingToneText::MaxLength bytes.
bool Fits(std::string_view sText);

} // namespace RingToneFile
