#pragma once
// The written forms of a ringtone, as saved to a file or copied to the
// clipboard.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace RingToneText {

// name + header of the form + body. The RTTTL header takes the defaults in
// force; any show type other than 0 and 1 is written as RTTTL.
std::string Format(const std::string& sName, const std::string& sTempo, int16_t iShowType,
                   const std::string& sBody);

// ".KEY", ".321" or ".TXT" (the last for any other show type too).
std::string Extension(int16_t iShowType);

// Whether a file of this name holds Composer notes: its extension is ".321".
// Any other file is read in the notation the user chose.
bool IsComposerFile(const std::string& sFileName);

// The most a ringtone text may hold, in bytes, wherever it comes from: a
// phone ringtone takes a few hundred, and this leaves room for long names and
// comments while keeping the conversion instant.
constexpr size_t MaxLength = 64 * 1024;

// The phone's Composer holds at most this many notes.
constexpr int32_t PhoneNotes = 50;
extern const char* const TooManyNotes;

// Why a text read as a ringtone is refused before any conversion.
enum class Refusal { None, TooLarge, NotText };
// TooLarge above MaxLength bytes, NotText when it holds a NUL byte (binary
// data, not a text).
Refusal Check(std::string_view sText);

// Line ends carry no meaning in a ringtone: every carriage return and line
// feed goes, joining the lines with nothing between them.
std::string JoinLines(std::string sText);

// The name as the name box shows it after a conversion: empty when blank.
std::string ShownName(const std::string& sRingToneName);

} // namespace RingToneText
