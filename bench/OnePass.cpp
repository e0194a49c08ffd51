#include "bench/OnePass.h"

#include <algorithm>

namespace OnePass {

namespace {

struct Note {
    uint32_t iToken; // offset of the token in the cleaned text
    uint8_t iLength; // of the token (longer tokens are cut to 255)
    uint8_t iTaken;  // duration characters, 0 for the default
    uint8_t iRestAt; // where the octave text begins
    uint8_t cOctave; // Composer octave, 0 for none
    int8_t iDurationKeys;
    uint8_t iStars;
    uint8_t iFlags;
    uint8_t iStopped; // 0 complete, 1 before duration keys, 2 before octave keys
};
static_assert(sizeof(Note) == 12);

constexpr uint8_t Sharp = 1, Dot = 2, RDuration = 4, ROctave = 8;

bool Digit(char c) {
    return c >= '0' && c <= '9';
}

// The numeric rule of the engine: blanks at both ends, a sign, digits and
// at most one point, at least one digit.
bool Numeric(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    bool bDigit = false, bPoint = false;
    for (; i < s.size(); ++i) {
        if (Digit(s[i]))
            bDigit = true;
        else if (s[i] == '.' && !bPoint)
            bPoint = true;
        else
            return false;
    }
    return bDigit;
}

// A number's value as sign, integer and fraction digits without the zeros
// that do not count.
std::string Value(std::string_view s) {
    size_t i = 0;
    const auto Blanks = [&] {
        while (i < s.size() && s[i] == ' ')
            ++i;
    };
    Blanks();
    bool bNegative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        bNegative = s[i++] == '-';
    std::string sInteger, sFraction;
    bool bPoint = false;
    for (;; ++i) {
        Blanks();
        if (i >= s.size())
            break;
        if (Digit(s[i]))
            (bPoint ? sFraction : sInteger) += s[i];
        else if (s[i] == '.' && !bPoint)
            bPoint = true;
        else
            break;
    }
    sInteger.erase(0, std::min(sInteger.find_first_not_of('0'), sInteger.size()));
    const size_t iLast = sFraction.find_last_not_of('0');
    sFraction.erase(iLast == std::string::npos ? 0 : iLast + 1);
    if (sInteger.empty() && sFraction.empty())
        bNegative = false;
    return (bNegative ? "-" : "") + (sInteger.empty() ? "0" : sInteger) +
           (sFraction.empty() ? "" : "." + sFraction);
}

bool PlainDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), Digit);
}

bool SameValue(std::string_view a, std::string_view b) {
    if (PlainDigits(a) && PlainDigits(b)) {
        while (!a.empty() && a.front() == '0')
            a.remove_prefix(1);
        while (!b.empty() && b.front() == '0')
            b.remove_prefix(1);
        return a == b;
    }
    return Value(a) == Value(b);
}

// The whole number of a short numeric text, half to even; none when it is
// not numeric or does not fit 16 bits.
std::optional<int> Whole(std::string_view s) {
    if (!Numeric(s))
        return std::nullopt;
    const std::string sValue = Value(s);
    const bool bNegative = sValue[0] == '-';
    const std::string_view sNumber = std::string_view(sValue).substr(bNegative);
    const size_t iPoint = sNumber.find('.');
    const std::string_view sInteger = sNumber.substr(0, iPoint);
    if (sInteger.size() > 5)
        return std::nullopt;
    long iWhole = std::stol(std::string(sInteger));
    if (iPoint != std::string_view::npos) {
        const std::string_view sFraction = sNumber.substr(iPoint + 1);
        if (sFraction[0] > '5' || (sFraction[0] == '5' && (sFraction.size() > 1 || iWhole % 2)))
            ++iWhole;
    }
    if (bNegative)
        iWhole = -iWhole;
    if (iWhole < -32768 || iWhole > 32767)
        return std::nullopt;
    return static_cast<int>(iWhole);
}

char OctaveOf(std::string_view s) {
    if (s.size() != 1 || s[0] < '1' || s[0] > '8')
        return 0;
    return s[0] <= '3' ? static_cast<char>(s[0] + 4) : static_cast<char>(s[0] - 4);
}

int DurationPosition(int i) {
    switch (i) {
    case 1:
        return 0;
    case 2:
        return 1;
    case 4:
        return 2;
    case 8:
        return 3;
    case 16:
        return 4;
    case 32:
        return 5;
    default:
        return -1;
    }
}

char NoteKey(char c) {
    static constexpr std::string_view Letters = "cdefgab";
    const size_t i = Letters.find(c);
    if (i != std::string_view::npos)
        return static_cast<char>('1' + i);
    return c == 'p' || c == '-' ? '0' : 0;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::string_view TrimEnd(std::string& s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

} // namespace

std::optional<Forms> Convert(std::string_view sRaw, bool bKeysOnly) {
    std::string sText;
    sText.reserve(sRaw.size());
    for (const char c : sRaw)
        if (c != '\r' && c != '\n')
            sText += c;
    std::string_view s = Trim(sText);
    if (!s.empty() && s.back() == ',')
        s.remove_suffix(1);

    std::string_view sDuration = "4", sOctave = "5", sName;
    if (const size_t iColon = s.find(':'); iColon != std::string_view::npos) {
        if (Trim(s.substr(0, iColon)).empty())
            return std::nullopt; // the name comes from a file name
        sName = s.substr(0, iColon);
        s.remove_prefix(iColon + 1);
    }
    const auto Field = [&](std::string_view sKey, char cEnd, std::string_view& sValue) {
        const size_t iKey = s.find(sKey);
        if (iKey == std::string_view::npos)
            return true;
        const size_t iEnd = s.find(cEnd);
        if (iEnd == std::string_view::npos || iEnd < iKey + 2)
            return false;
        sValue = s.substr(iKey + 2, iEnd - iKey - 2);
        s.remove_prefix(iEnd + 1);
        return true;
    };
    std::string_view sTempo;
    if (!Field("d=", ',', sDuration) || !Field("o=", ',', sOctave) || !Field("b=", ':', sTempo))
        return std::nullopt;
    // A tempo that is no whole number fails the header: no notes.
    const std::optional<int> iTempo = sTempo.data() ? Whole(sTempo) : 0;
    if (!iTempo) {
        Forms failed;
        failed.bTempoFailed = true;
        return failed;
    }
    if (!PlainDigits(sDuration) || !PlainDigits(sOctave) || sOctave.empty() || sOctave == "4" ||
        sOctave == "8" || sOctave.size() > 4 || sDuration.size() > 4)
        return std::nullopt;
    s = Trim(s);

    const char cDefaultOctave = OctaveOf(sOctave);
    const std::optional<int> iDefaultDuration = Whole(sDuration);
    std::vector<Note> notes;
    notes.reserve(static_cast<size_t>(std::count(s.begin(), s.end(), ',')) + 1);
    std::string_view sPhoneDuration = "4";
    int iPhoneDuration = 4;
    char cPhoneOctave = '1';
    const char* pBase = s.data();
    bool bLastEmpty = false;
    while (!s.empty() || bLastEmpty) {
        bLastEmpty = false;
        const size_t iComma = s.find(',');
        const std::string_view t = s.substr(0, iComma);
        Note note{};
        note.iToken = static_cast<uint32_t>(t.data() - pBase);
        note.iLength = static_cast<uint8_t>(std::min<size_t>(t.size(), 255));
        if (Numeric(t.substr(0, 2)))
            note.iTaken = static_cast<uint8_t>(std::min<size_t>(2, t.size()));
        else if (Numeric(t.substr(0, 1)))
            note.iTaken = 1;
        const std::string_view sNoteDuration = note.iTaken ? t.substr(0, note.iTaken) : sDuration;
        if (!SameValue(sNoteDuration, sDuration))
            note.iFlags |= RDuration;
        size_t i = note.iTaken;
        const char cLetter = i < t.size() ? t[i++] : 0;
        if (i < t.size() && t[i] == '#') {
            note.iFlags |= Sharp;
            ++i;
        }
        if (i < t.size() && t[i] == '.') {
            note.iFlags |= Dot;
            ++i;
        }
        note.iRestAt = static_cast<uint8_t>(i);
        const std::string_view sRest = t.substr(i);
        const bool bOctave = Numeric(sRest);
        if (bOctave && !SameValue(sRest, sOctave))
            note.iFlags |= ROctave;
        note.cOctave = static_cast<uint8_t>(bOctave ? OctaveOf(sRest) : cDefaultOctave);
        if (note.cOctave == 0)
            note.cOctave = static_cast<uint8_t>(cDefaultOctave);

        note.iStopped = 1;
        int iNewDuration = iPhoneDuration;
        if (sNoteDuration != sPhoneDuration) {
            const std::optional<int> iWhole = note.iTaken ? Whole(sNoteDuration) : iDefaultDuration;
            if (iWhole) {
                iNewDuration = *iWhole;
                const int iFrom = DurationPosition(iPhoneDuration);
                const int iTo = DurationPosition(iNewDuration);
                if (iFrom >= 0 && iTo >= 0)
                    note.iDurationKeys = static_cast<int8_t>(iTo - iFrom);
                note.iStopped = 2;
            }
        } else {
            note.iStopped = 2;
        }
        if (note.iStopped == 2) {
            const char cOctave = static_cast<char>(note.cOctave);
            if (cOctave == 0 && cPhoneOctave != 0) {
                notes.push_back(note); // an empty octave is no number
                if (iComma == std::string_view::npos)
                    break;
                s = Trim(s.substr(iComma + 1));
                bLastEmpty = s.empty();
                continue;
            }
            if (cOctave != cPhoneOctave) {
                if (cOctave >= '1' && cOctave <= '3' && cPhoneOctave >= '1' && cPhoneOctave <= '3')
                    note.iStars = static_cast<uint8_t>((cOctave - cPhoneOctave + 3) % 3);
            }
            note.iStopped = 0;
            if (cLetter != 'p' && cLetter != '-') {
                sPhoneDuration = sNoteDuration;
                iPhoneDuration = iNewDuration;
                cPhoneOctave = cOctave;
            }
        }
        notes.push_back(note);
        if (iComma == std::string_view::npos)
            break;
        s = Trim(s.substr(iComma + 1));
        if (s.empty()) {
            // Only blanks after the last separator: an empty last note.
            s = std::string_view(s.data(), 0);
            bLastEmpty = true;
        }
    }

    Forms forms;
    forms.iNotes = notes.size();
    forms.iTempo = *iTempo;
    forms.sName = sName;
    forms.sKeys.reserve(notes.size() * 6);
    if (!bKeysOnly) {
        forms.sComposer.reserve(notes.size() * 5);
        forms.sRTTTL.reserve(notes.size() * 5);
    }
    bool bFirst = true;
    for (const Note& note : notes) {
        if (!bFirst)
            forms.sKeys += ", ";
        const std::string_view t(pBase + note.iToken, note.iLength);
        const char cLetter = note.iTaken < t.size() ? t[note.iTaken] : 0;
        const bool bDot = note.iFlags & Dot, bSharp = note.iFlags & Sharp;
        if (bDot)
            forms.sKeys += "(hold ";
        if (const char cKey = NoteKey(cLetter))
            forms.sKeys += cKey;
        if (bDot)
            forms.sKeys += ')';
        if (note.iStopped != 1) {
            forms.sKeys.append(static_cast<size_t>(std::max<int>(note.iDurationKeys, 0)), '8');
            forms.sKeys.append(static_cast<size_t>(std::max<int>(-note.iDurationKeys, 0)), '9');
            if (note.iStopped == 0) {
                forms.sKeys.append(note.iStars, '*');
                if (bSharp)
                    forms.sKeys += '#';
            }
        }
        if (bKeysOnly) {
            bFirst = false;
            continue;
        }
        if (!bFirst) {
            forms.sComposer += ' ';
            forms.sRTTTL += ',';
        }
        bFirst = false;
        const std::string_view sNoteDuration = note.iTaken ? t.substr(0, note.iTaken) : sDuration;
        forms.sComposer += sNoteDuration;
        if (cLetter == 'p' || cLetter == '-') {
            forms.sComposer += '-';
        } else {
            if (bDot)
                forms.sComposer += '.';
            if (bSharp)
                forms.sComposer += '#';
            if (cLetter)
                forms.sComposer += cLetter;
            if (note.cOctave)
                forms.sComposer += static_cast<char>(note.cOctave);
        }
        if (note.iFlags & RDuration)
            forms.sRTTTL += sNoteDuration;
        if (cLetter)
            forms.sRTTTL += cLetter;
        if (cLetter != '-') {
            if (bSharp)
                forms.sRTTTL += '#';
            if (bDot)
                forms.sRTTTL += '.';
            if (note.iFlags & ROctave)
                forms.sRTTTL += t.substr(note.iRestAt);
        }
    }
    TrimEnd(forms.sKeys);
    TrimEnd(forms.sComposer);
    TrimEnd(forms.sRTTTL);
    return forms;
}

} // namespace OnePass
