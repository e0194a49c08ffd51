#pragma once
// State and helpers shared by the whole conversion engine: the RTTTL defaults
// in force, the setting the phone's Composer is left in by the keypresses made
// so far, the error list, the key tables and the rules by which the engine
// reads the numbers it keeps as text.

#include "engine/CSharedText.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace modNOK {

// Process-wide state; empty until the converter first sets it. The defaults
// and the phone state are shared texts: every note that takes them holds the
// one copy.
extern CSharedText DefaultDuration;
extern CSharedText DefaultOctave;
extern CSharedText PhoneDuration;
extern CSharedText PhoneOctave;
extern std::string ErrorList;

// The failure raised by the text-number rules. Its what() is the description
// that ends up in an error line ("Type mismatch", "Overflow").
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
extern const char* const TypeMismatch;
extern const char* const Overflow;

// Text-number rules. Blanks are the space character only.
// Numeric: trimmed text is [+-]digits with at most one '.', at least one digit.
bool IsNumeric(std::string_view sText);
// Value: the number formed by the leading sign, digits and one '.', spaces
// skipped; returned exactly, in a canonical decimal form ("16", "-5", "2.5",
// "0"), so two values are equal exactly when their texts are.
std::string Value(std::string_view sText);
bool SameValue(std::string_view sA, std::string_view sB);
// Whole number: numeric text rounded half to even into 16 bits; throws Failure.
int16_t WholeNumber(std::string_view sText);
// The same for a text the notes share: a long one is read once, however
// many notes ask.
int16_t WholeNumber(const CSharedText& sText);

std::string GetNoteKey(const std::string& sNote);
std::string GetDurationKeys(int16_t iNewDuration);
std::string GetOctaveKeys(int16_t iNewOctave);
std::string GetOctave(const std::string& sOctave);

// Appends "[source] message" + sDetail. Never throws: it keeps room for a
// line in reserve, so that even running out of memory is recorded (cut
// short if that room is not enough).
void AddError(std::string_view sSource, std::string_view sMessage,
              std::string_view sDetail = {}) noexcept;
// Empties the list and makes sure that room is there.
void ClearErrors() noexcept;
std::string GetErrors();

std::string CleanNoteText(std::string sText);

// Space-only trims, as every "blank" in the engine is the space character.
std::string_view TrimBlanks(std::string_view sText);
std::string_view TrimTrailingBlanks(std::string_view sText);

} // namespace modNOK
