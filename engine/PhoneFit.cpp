#include "engine/PhoneFit.h"

#include "engine/CNokia.h"
#include "engine/Forms.h"
#include "engine/RingToneText.h"
#include "engine/modNOK.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace PhoneFit {

namespace {

constexpr std::array<int, 6> PhoneDurations = {1, 2, 4, 8, 16, 32};
// The phone's octaves in RTTTL's numbering (its Composer's 1 to 3); every
// pitch below is kept in that numbering.
constexpr int LowestOctave = 5;
constexpr int HighestOctave = 7;
constexpr int ComposerOffset = 4;

// One note as Fit reads it from its token, whatever the notation's quirks.
struct Tone {
    int32_t iOrigin = 0;
    bool bPause = false;
    int iPitch = 0; // semitones above the c of octave 0
    int iDuration = 4;
    bool bDotted = false;
    bool bMended = false; // written in a form the phone lacks
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsMark(char c) {
    return c == '#' || c == '_' || c == '.';
}

// Up to two digits at position i, or nothing.
std::optional<int> TakeNumber(std::string_view s, size_t& i) {
    if (i >= s.size() || !IsDigit(s[i]))
        return std::nullopt;
    int iValue = s[i++] - '0';
    if (i < s.size() && IsDigit(s[i]))
        iValue = iValue * 10 + (s[i++] - '0');
    return iValue;
}

// A text that is only digits (blanks around allowed), as the header
// defaults normally are.
std::optional<int> WholeDigits(std::string_view s) {
    s = modNOK::TrimBlanks(s);
    size_t i = 0;
    const std::optional<int> iValue = TakeNumber(s, i);
    return i == s.size() ? iValue : std::nullopt;
}

bool IsPhoneDuration(int iDuration) {
    return std::find(PhoneDurations.begin(), PhoneDurations.end(), iDuration) !=
           PhoneDurations.end();
}

// The phone's duration nearest on the musical (doubling) scale: 3 is 4, 64 is 32.
int NearestDuration(int iDuration) {
    if (iDuration <= PhoneDurations.front())
        return PhoneDurations.front();
    for (size_t i = 1; i < PhoneDurations.size(); ++i) {
        const int iLow = PhoneDurations[i - 1];
        const int iHigh = PhoneDurations[i];
        if (iDuration <= iHigh)
            return iDuration * iDuration > iLow * iHigh ? iHigh : iLow;
    }
    return PhoneDurations.back();
}

int PitchClass(char cLetter) {
    switch (cLetter) {
    case 'c':
        return 0;
    case 'd':
        return 2;
    case 'e':
        return 4;
    case 'f':
        return 5;
    case 'g':
        return 7;
    case 'a':
        return 9;
    default: // 'b', and 'h' as German notation writes it
        return 11;
    }
}

int FloorOctave(int iPitch) {
    return iPitch >= 0 ? iPitch / 12 : -((-iPitch + 11) / 12);
}

// Reads a token leniently: duration, marks ("#", "_" or ".") before or after
// the letter, letter, octave. Anything beyond the notation's own order and
// values marks the note mended; a token that still is no note gives nothing.
std::optional<Tone> Read(const CNote& note, int32_t iSourceType) {
    const bool bRTTTL = iSourceType == Notation::Rtttl;
    const std::string& sToken = note.NoteBatch();
    Tone tone;
    // Blanks within a token throw the converter off ("8g5 " loses its
    // octave), and so do broken characters at its end (a no-break space in
    // another encoding): both go.
    std::string sKept;
    for (const char c : sToken)
        if (c != ' ' && c != '\t')
            sKept += c;
    while (!sKept.empty() && static_cast<unsigned char>(sKept.back()) >= 0x80)
        sKept.pop_back();
    tone.bMended = sKept.size() != sToken.size();
    const std::string_view s = sKept;

    size_t i = 0;
    const std::optional<int> iDuration = TakeNumber(s, i);
    // The marks as met, "O" for the octave, to compare with the notation's order.
    std::string sBefore, sAfter;
    bool bSharp = false;
    auto takeMark = [&](char c, std::string& sOrder) {
        const char cMark = c == '_' ? '#' : c;
        if ((cMark == '#' && bSharp) || (cMark == '.' && tone.bDotted))
            return false;
        (cMark == '#' ? bSharp : tone.bDotted) = true;
        tone.bMended |= c == '_';
        sOrder += cMark;
        return true;
    };
    while (i < s.size() && IsMark(s[i]))
        if (!takeMark(s[i++], sBefore))
            return std::nullopt;
    if (i >= s.size())
        return std::nullopt;

    const char cWritten = s[i++];
    const char cLetter =
        static_cast<char>(cWritten >= 'A' && cWritten <= 'Z' ? cWritten + 32 : cWritten);
    if (cLetter == 'p' || cLetter == '-') {
        tone.bPause = true;
        tone.bMended |= cWritten != (bRTTTL ? 'p' : '-');
    } else if ((cLetter >= 'a' && cLetter <= 'g') || cLetter == 'h') {
        tone.bMended |= cWritten != cLetter || cLetter == 'h';
    } else {
        return std::nullopt;
    }

    std::optional<int> iOctave;
    while (i < s.size()) {
        if (IsDigit(s[i])) {
            if (iOctave)
                return std::nullopt;
            iOctave = TakeNumber(s, i);
            sAfter += 'O';
        } else if (!IsMark(s[i]) || !takeMark(s[i++], sAfter)) {
            return std::nullopt;
        }
    }
    if (bRTTTL)
        tone.bMended |= !sBefore.empty() ||
                        (sAfter != "" && sAfter != "#" && sAfter != "." && sAfter != "O" &&
                         sAfter != "#." && sAfter != "#O" && sAfter != ".O" && sAfter != "#.O");
    else
        tone.bMended |= (sBefore != "" && sBefore != "." && sBefore != "#" && sBefore != ".#") ||
                        (sAfter != "" && sAfter != "O") || (!tone.bPause && sAfter != "O");

    if (iDuration) {
        tone.iDuration = *iDuration;
    } else if (const std::optional<int> iDefault = WholeDigits(note.Duration_Part);
               bRTTTL && iDefault) {
        tone.iDuration = *iDefault;
    } else {
        tone.iDuration = 4;
        tone.bMended = true;
    }
    if (!IsPhoneDuration(tone.iDuration)) {
        tone.iDuration = NearestDuration(tone.iDuration);
        tone.bMended = true;
    }

    if (tone.bPause) {
        tone.bMended |= bSharp;
        return tone;
    }
    int iRTTTLOctave = LowestOctave;
    if (iOctave) {
        iRTTTLOctave = bRTTTL ? *iOctave : *iOctave + ComposerOffset;
    } else if (const std::optional<int> iComposer = WholeDigits(note.Octave_Part);
               bRTTTL && iComposer && *iComposer <= 4) {
        // The header's default octave, as the note took it in Composer numbering.
        iRTTTLOctave = *iComposer + ComposerOffset;
    } else {
        tone.bMended = true;
    }
    const int iClass = PitchClass(cLetter);
    // The phone has no e# or b#: they are f and the next octave's c.
    tone.bMended |= bSharp && (iClass == 4 || iClass == 11);
    tone.iPitch = iRTTTLOctave * 12 + iClass + (bSharp ? 1 : 0);
    return tone;
}

bool InPhoneOctaves(int iPitch) {
    const int iOctave = FloorOctave(iPitch);
    return iOctave >= LowestOctave && iOctave <= HighestOctave;
}

void DropEndPauses(std::vector<Tone>& tones, int32_t& iCount) {
    while (!tones.empty() && tones.back().bPause) {
        tones.pop_back();
        ++iCount;
    }
}

// The phone's length: the longest beginning of at most 50 notes that a
// pause follows, if it keeps at least 40 notes; else the first 50.
void Cut(std::vector<Tone>& tones) {
    constexpr size_t Most = RingToneText::PhoneNotes;
    constexpr size_t Fewest = 40;
    int32_t iIgnored = 0;
    for (size_t k = Most; k >= Fewest; --k) {
        if (!tones[k].bPause)
            continue;
        std::vector<Tone> phrase(tones.begin(), tones.begin() + static_cast<std::ptrdiff_t>(k));
        DropEndPauses(phrase, iIgnored);
        if (phrase.size() >= Fewest) {
            tones = std::move(phrase);
            return;
        }
        break;
    }
    tones.resize(Most);
    DropEndPauses(tones, iIgnored);
}

// The shift that puts the most notes in the phone's octaves; on a tie the
// smaller, then the upward one.
int ChooseShift(const std::vector<Tone>& tones) {
    int iBest = 0;
    size_t iBestCount = 0;
    for (const int iShift : {0, 1, -1, 2, -2, 3, -3}) {
        const size_t iCount =
            static_cast<size_t>(std::count_if(tones.begin(), tones.end(), [&](const Tone& t) {
                return !t.bPause && InPhoneOctaves(t.iPitch + 12 * iShift);
            }));
        if (iCount > iBestCount) {
            iBest = iShift;
            iBestCount = iCount;
        }
    }
    return iBest;
}

// The value met most often (the lowest on a tie), or the fallback for none.
int MostCommon(const std::vector<int>& values, int iFallback) {
    int iBest = iFallback;
    std::ptrdiff_t iBestCount = 0;
    for (const int iValue : values) {
        const std::ptrdiff_t iCount = std::count(values.begin(), values.end(), iValue);
        if (iCount > iBestCount || (iCount == iBestCount && iValue < iBest)) {
            iBest = iValue;
            iBestCount = iCount;
        }
    }
    return iBest;
}

constexpr const char* Letters[12] = {"c",  "c#", "d",  "d#", "e",  "f",
                                     "f#", "g",  "g#", "a",  "a#", "b"};

std::string Token(const Tone& t, int32_t iSourceType, int iDefaultDuration, int iDefaultOctave) {
    const std::string sDot = t.bDotted ? "." : "";
    const std::string_view sLetter = Letters[((t.iPitch % 12) + 12) % 12];
    const int iOctave = FloorOctave(t.iPitch);
    if (iSourceType == Notation::Rtttl) {
        std::string s = t.iDuration == iDefaultDuration ? "" : std::to_string(t.iDuration);
        if (t.bPause)
            return s + "p" + sDot;
        s += sLetter;
        s += sDot;
        return iOctave == iDefaultOctave ? s : s + std::to_string(iOctave);
    }
    std::string s = std::to_string(t.iDuration) + sDot;
    if (t.bPause)
        return s + "-";
    if (sLetter.size() == 2)
        s += '#';
    s += sLetter.front();
    return s + std::to_string(iOctave - ComposerOffset);
}

std::string Text(const std::string& sName, int16_t iTempo, int32_t iSourceType,
                 const std::vector<Tone>& tones) {
    std::vector<int> durations, octaves;
    for (const Tone& t : tones) {
        durations.push_back(t.iDuration);
        if (!t.bPause)
            octaves.push_back(FloorOctave(t.iPitch));
    }
    const int iDefaultDuration = MostCommon(durations, 4);
    const int iDefaultOctave = MostCommon(octaves, LowestOctave);
    // The tempo is always written: a Composer name may hold a colon, which
    // only a following "Tempo=" reads back, and "0" reads as no tempo.
    std::string sText = sName;
    if (iSourceType == Notation::Rtttl) {
        // An RTTTL name ends at its first colon (one may come from a file
        // name), so a colon in it is written as a dash.
        std::replace(sText.begin(), sText.end(), ':', '-');
        sText += ":d=" + std::to_string(iDefaultDuration) + ",o=" + std::to_string(iDefaultOctave) +
                 ",b=" + std::to_string(iTempo) + ":";
    } else {
        sText += ":Tempo=" + std::to_string(iTempo) + ":";
    }
    const char* sSeparator = iSourceType == Notation::Rtttl ? "," : " ";
    for (size_t i = 0; i < tones.size(); ++i) {
        if (i > 0)
            sText += sSeparator;
        sText += Token(tones[i], iSourceType, iDefaultDuration, iDefaultOctave);
    }
    return sText;
}

std::string Count(int32_t iCount, const char* sOne, const char* sMany) {
    return std::to_string(iCount) + " " + (iCount == 1 ? sOne : sMany);
}

std::vector<Tone> ReadAll(const CNokia& ringtone, int32_t& iDropped) {
    std::vector<Tone> tones;
    const int32_t iCount = ringtone.Notes.Count();
    for (int32_t i = 1; i <= iCount; ++i) {
        if (std::optional<Tone> tone = Read(ringtone.Notes.Item(i), ringtone.SourceType)) {
            tone->iOrigin = i;
            tones.push_back(*tone);
        } else {
            ++iDropped;
        }
    }
    return tones;
}

} // namespace

std::string FallbackName(const std::string& sFileName) {
    if (sFileName.empty())
        return "Ringtone";
    const size_t iDot = sFileName.rfind('.');
    return iDot == std::string::npos || iDot == 0 ? sFileName : sFileName.substr(0, iDot);
}

Result Fit(const CNokia& ringtone, const std::string& sFallbackName) {
    Result result;
    result.Of = ringtone.Notes.Count();
    std::vector<Tone> tones = ReadAll(ringtone, result.Dropped);
    DropEndPauses(tones, result.EndPauses);
    if (tones.size() > static_cast<size_t>(RingToneText::PhoneNotes)) {
        result.Cut = true;
        Cut(tones);
    }

    result.Octaves = ChooseShift(tones);
    for (Tone& t : tones) {
        result.Origins.push_back(t.iOrigin);
        result.Mended += t.bMended ? 1 : 0;
        if (t.bPause)
            continue;
        t.iPitch += 12 * result.Octaves;
        const int iOctave = FloorOctave(t.iPitch);
        const int iInside = std::clamp(iOctave, LowestOctave, HighestOctave);
        if (iInside != iOctave) {
            t.iPitch += 12 * (iInside - iOctave);
            ++result.Folded;
        }
    }
    result.Kept = static_cast<int32_t>(tones.size());

    const bool bBlank = modNOK::TrimBlanks(ringtone.RingToneName).empty();
    result.Text = Text(bBlank ? sFallbackName : ringtone.RingToneName, ringtone.Tempo,
                       ringtone.SourceType, tones);
    return result;
}

std::string Summary(const Result& r) {
    static const char* const Words[] = {"", "one", "two", "three"};
    std::vector<std::string> done;
    if (r.Octaves != 0) {
        const int iOctaves = std::abs(r.Octaves);
        done.push_back(std::string(r.Octaves > 0 ? "moved up " : "moved down ") +
                       Words[std::min(iOctaves, 3)] + (iOctaves == 1 ? " octave" : " octaves"));
    }
    if (r.Folded > 0)
        done.push_back("folded " + Count(r.Folded, "note", "notes") + " into the phone's octaves");
    if (r.Mended > 0)
        done.push_back("mended " + Count(r.Mended, "note", "notes"));
    if (r.Dropped > 0)
        done.push_back("dropped " +
                       Count(r.Dropped, "token that is no note", "tokens that are no notes"));
    if (r.Cut)
        done.push_back("kept the first " + std::to_string(r.Kept) + " of " + std::to_string(r.Of) +
                       " notes");
    else if (r.EndPauses > 0)
        done.push_back(r.EndPauses == 1 ? "dropped the pause at the end"
                                        : "dropped the pauses at the end");
    if (done.empty())
        return r.Kept == 0 ? "There is no note to fit." : "The ringtone already fits the phone.";
    std::string sText;
    for (const std::string& sDone : done)
        sText += (sText.empty() ? "" : "; ") + sDone;
    sText.front() = static_cast<char>(sText.front() - 'a' + 'A');
    return sText + ".";
}

bool Enterable(const CNokia& ringtone) {
    const int32_t iCount = ringtone.Notes.Count();
    if (iCount > RingToneText::PhoneNotes)
        return false;
    for (int32_t i = 1; i <= iCount; ++i) {
        const std::optional<Tone> tone = Read(ringtone.Notes.Item(i), ringtone.SourceType);
        if (!tone || tone->bMended || (!tone->bPause && !InPhoneOctaves(tone->iPitch)))
            return false;
    }
    return true;
}

bool NeedsFitting(const CNokia& ringtone) {
    return !Enterable(ringtone);
}

} // namespace PhoneFit
