#include "engine/modNOK.h"

#include <algorithm>
#include <array>

namespace modNOK {

CSharedText DefaultDuration;
CSharedText DefaultOctave;
CSharedText PhoneDuration;
CSharedText PhoneOctave;
std::string ErrorList;

const char* const TypeMismatch = "Type mismatch";
const char* const Overflow = "Overflow";

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The pieces of a decimal number as written: sign, integer digits and
// fraction digits. Kept as text so that any number of digits stays exact.
struct Decimal {
    bool bNegative = false;
    std::string sInteger;
    std::string sFraction;
};

// Drops leading zeros of the integer part and trailing zeros of the fraction.
Decimal Normalised(Decimal d) {
    const auto iFirst = d.sInteger.find_first_not_of('0');
    d.sInteger.erase(0, iFirst == std::string::npos ? d.sInteger.size() : iFirst);
    const auto iLast = d.sFraction.find_last_not_of('0');
    d.sFraction.erase(iLast == std::string::npos ? 0 : iLast + 1);
    if (d.sInteger.empty() && d.sFraction.empty())
        d.bNegative = false;
    return d;
}

// Plain digits, without blanks, sign or point: how nearly every number in a
// ringtone is written, and readable without building any text.
bool AllDigits(std::string_view s) {
    for (const char c : s)
        if (!IsDigit(c))
            return false;
    return true;
}

std::string_view WithoutLeadingZeros(std::string_view s) {
    const auto iFirst = s.find_first_not_of('0');
    return iFirst == std::string_view::npos ? std::string_view{} : s.substr(iFirst);
}

} // namespace

std::string_view TrimBlanks(std::string_view sText) {
    const auto iFirst = sText.find_first_not_of(' ');
    if (iFirst == std::string_view::npos)
        return {};
    const auto iLast = sText.find_last_not_of(' ');
    return sText.substr(iFirst, iLast - iFirst + 1);
}

std::string_view TrimTrailingBlanks(std::string_view sText) {
    const auto iLast = sText.find_last_not_of(' ');
    return iLast == std::string_view::npos ? std::string_view{} : sText.substr(0, iLast + 1);
}

bool IsNumeric(std::string_view sText) {
    const std::string_view s = TrimBlanks(sText);
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    bool bDigit = false;
    bool bPoint = false;
    for (; i < s.size(); ++i) {
        if (IsDigit(s[i])) {
            bDigit = true;
        } else if (s[i] == '.' && !bPoint) {
            bPoint = true;
        } else {
            return false;
        }
    }
    return bDigit;
}

std::string Value(std::string_view sText) {
    Decimal d;
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < sText.size() && sText[i] == ' ')
            ++i;
    };
    skipBlanks();
    if (i < sText.size() && (sText[i] == '+' || sText[i] == '-')) {
        d.bNegative = sText[i] == '-';
        ++i;
    }
    bool bPoint = false;
    for (;; ++i) {
        skipBlanks();
        if (i >= sText.size())
            break;
        const char c = sText[i];
        if (IsDigit(c)) {
            (bPoint ? d.sFraction : d.sInteger) += c;
        } else if (c == '.' && !bPoint) {
            bPoint = true;
        } else {
            break;
        }
    }
    d = Normalised(std::move(d));
    std::string sResult = d.bNegative ? "-" : "";
    sResult += d.sInteger.empty() ? "0" : d.sInteger;
    if (!d.sFraction.empty())
        sResult += "." + d.sFraction;
    return sResult;
}

bool SameValue(std::string_view sA, std::string_view sB) {
    // The very same characters, as a note's default duration and the
    // default itself: no need to read them.
    if (sA.data() == sB.data() && sA.size() == sB.size())
        return true;
    // Plain digits (empty text included, whose value is 0) are equal in
    // value exactly when they are equal without their leading zeros.
    if (AllDigits(sA) && AllDigits(sB))
        return WithoutLeadingZeros(sA) == WithoutLeadingZeros(sB);
    return Value(sA) == Value(sB);
}

int16_t WholeNumber(std::string_view sText) {
    // Up to four plain digits always fit; everything else takes the full rules.
    if (!sText.empty() && sText.size() <= 4 && AllDigits(sText)) {
        int iWhole = 0;
        for (const char c : sText)
            iWhole = iWhole * 10 + (c - '0');
        return static_cast<int16_t>(iWhole);
    }
    if (!IsNumeric(sText))
        throw Failure(TypeMismatch);
    const std::string_view s = TrimBlanks(sText);
    Decimal d;
    size_t i = 0;
    if (s[i] == '+' || s[i] == '-')
        d.bNegative = s[i++] == '-';
    const auto iPoint = s.find('.', i);
    d.sInteger = std::string(s.substr(i, iPoint == std::string_view::npos ? s.npos : iPoint - i));
    if (iPoint != std::string_view::npos)
        d.sFraction = std::string(s.substr(iPoint + 1));
    d = Normalised(std::move(d));

    // Six digits already exceed 16 bits, whatever the fraction does.
    if (d.sInteger.size() > 5)
        throw Failure(Overflow);
    long iWhole = d.sInteger.empty() ? 0 : std::stol(d.sInteger);
    if (!d.sFraction.empty()) {
        const char cFirst = d.sFraction[0];
        const bool bBeyondHalf = d.sFraction.size() > 1; // trailing zeros are gone
        if (cFirst > '5' || (cFirst == '5' && bBeyondHalf) ||
            (cFirst == '5' && !bBeyondHalf && iWhole % 2 == 1))
            ++iWhole;
    }
    if (d.bNegative)
        iWhole = -iWhole;
    if (iWhole < -32768 || iWhole > 32767)
        throw Failure(Overflow);
    return static_cast<int16_t>(iWhole);
}

int16_t WholeNumber(const CSharedText& sText) {
    if (!sText.Shared())
        return WholeNumber(std::string_view(sText));
    // The last long text read, held so that its copy stays the same text.
    static std::shared_ptr<const std::string> pLast;
    static int16_t iLast = 0;
    static std::string sLastFailure;
    if (sText.Shared() != pLast) {
        try {
            iLast = WholeNumber(std::string_view(sText));
            sLastFailure.clear();
        } catch (const Failure& e) {
            sLastFailure = e.what();
        }
        pLast = sText.Shared();
    }
    if (!sLastFailure.empty())
        throw Failure(sLastFailure);
    return iLast;
}

std::string GetNoteKey(const std::string& sNote) {
    if (sNote.size() != 1)
        return {};
    switch (sNote[0]) {
    case 'c':
        return "1";
    case 'd':
        return "2";
    case 'e':
        return "3";
    case 'f':
        return "4";
    case 'g':
        return "5";
    case 'a':
        return "6";
    case 'b':
        return "7";
    case '-':
        return "0";
    default:
        return {};
    }
}

namespace {
int DurationPosition(int iDuration) {
    static constexpr std::array<int, 6> Durations{1, 2, 4, 8, 16, 32};
    for (size_t i = 0; i < Durations.size(); ++i)
        if (Durations[i] == iDuration)
            return static_cast<int>(i);
    return -1;
}
} // namespace

std::string GetDurationKeys(int16_t iNewDuration) {
    const int iCurrent = DurationPosition(WholeNumber(PhoneDuration));
    const int iNew = DurationPosition(iNewDuration);
    if (iCurrent < 0 || iNew < 0)
        return {};
    const int iSteps = iNew - iCurrent;
    return iSteps >= 0 ? std::string(static_cast<size_t>(iSteps), '8')
                       : std::string(static_cast<size_t>(-iSteps), '9');
}

std::string GetOctaveKeys(int16_t iNewOctave) {
    const int iCurrent = WholeNumber(PhoneOctave);
    if (iCurrent < 1 || iCurrent > 3 || iNewOctave < 1 || iNewOctave > 3)
        return {};
    return std::string(static_cast<size_t>((iNewOctave - iCurrent + 3) % 3), '*');
}

std::string GetOctave(const std::string& sOctave) {
    if (sOctave.size() != 1)
        return {};
    switch (sOctave[0]) {
    case '1':
        return "5";
    case '2':
        return "6";
    case '3':
        return "7";
    case '4':
        AddError("modNok.GetOctave", "RTTTL Octave 4 Not supported by Nokia 3210.  Please "
                                     "increase the default octave by 1 in Nokring (use octave "
                                     "5,6,7 only).");
        return "0";
    case '5':
        return "1";
    case '6':
        return "2";
    case '7':
        return "3";
    case '8':
        AddError("modNok.GetOctave",
                 "RTTTL Octave 8 is not a valid octave and is not supported by the Nokia 3210.");
        return "4";
    default:
        return {};
    }
}

namespace {
// Room for one error line beyond those recorded, taken while memory is there.
constexpr size_t ErrorReserve = 512;

void KeepErrorReserve() noexcept {
    try {
        if (ErrorList.capacity() - ErrorList.size() < ErrorReserve)
            ErrorList.reserve(ErrorList.size() + ErrorReserve);
    } catch (...) {
        // Without memory the line goes into what room is left.
    }
}

// Appends without allocating: whatever does not fit the room left is cut.
void AppendWithin(std::string_view sPiece) noexcept {
    ErrorList.append(sPiece.substr(0, ErrorList.capacity() - ErrorList.size()));
}
} // namespace

void AddError(std::string_view sSource, std::string_view sMessage,
              std::string_view sDetail) noexcept {
    const size_t iLine = 1 + 1 + sSource.size() + 2 + sMessage.size() + sDetail.size();
    try {
        if (ErrorList.capacity() - ErrorList.size() < iLine)
            ErrorList.reserve(ErrorList.size() + iLine);
    } catch (...) {
        // Recorded in the reserve below.
    }
    if (!ErrorList.empty())
        AppendWithin("\r");
    AppendWithin("[");
    AppendWithin(sSource);
    AppendWithin("] ");
    AppendWithin(sMessage);
    AppendWithin(sDetail);
    KeepErrorReserve();
}

void ClearErrors() noexcept {
    ErrorList.clear();
    KeepErrorReserve();
}

std::string GetErrors() {
    return ErrorList;
}

std::string CleanNoteText(std::string sText) {
    // Works in place on its own copy. Removing every line end first and
    // trimming once at the end leaves the same text as trimming before and
    // after each removal: a trim only ever takes blanks from the ends, and
    // the last one takes those anyway.
    sText.erase(
        std::remove_if(sText.begin(), sText.end(), [](char c) { return c == '\n' || c == '\r'; }),
        sText.end());
    const size_t iFirst = sText.find_first_not_of(' ');
    if (iFirst == std::string::npos) {
        sText.clear();
    } else {
        sText.erase(sText.find_last_not_of(' ') + 1);
        sText.erase(0, iFirst);
    }
    if (!sText.empty() && sText.back() == ',')
        sText.pop_back();
    return sText;
}

} // namespace modNOK
