#include "engine/CNote.h"

#include "engine/CNoteStore.h"
#include "engine/Forms.h"
#include "engine/modNOK.h"

using namespace modNOK;

namespace {

// Characters taken beyond the end of the text are empty text, so a short
// token never fails to parse.
std::string_view Mid(std::string_view s, size_t iFrom, size_t iCount) {
    if (iFrom >= s.size())
        return {};
    return s.substr(iFrom, iCount);
}

std::string_view Drop(std::string_view s, size_t iCount) {
    return iCount >= s.size() ? std::string_view{} : s.substr(iCount);
}

// Whether the text is exactly the one character; cheaper than comparing
// with a one-letter string, and every note makes several such tests.
bool Is(std::string_view s, char c) {
    return s.size() == 1 && s[0] == c;
}

// A mark ("#" or ".") at the front of the text goes into both notations'
// part and off the text.
void TakeMark(std::string_view& s, char cMark, std::string& sPart, std::string& sRPart) {
    if (Is(Mid(s, 0, 1), cMark)) {
        sPart = sRPart = std::string(1, cMark);
        s = Drop(s, 1);
    }
}

} // namespace

void CNote::setNoteBatch(const std::string& sNewNoteBatch) {
    const size_t iListSizeBefore = ErrorList.size();
    try {
        m_sNoteBatch = sNewNoteBatch;
        if (SourceType == Notation::Rtttl)
            ParseRTTTL(m_sNoteBatch);
        else if (SourceType == Notation::Composer)
            ParseComposer(m_sNoteBatch);
        BuildKeypresses();
    } catch (const std::exception& e) {
        AddError("CNote.NoteBatch", e.what());
    } catch (...) {
        AddError("CNote.NoteBatch", "Unknown failure");
    }
    KeepParseErrors(iListSizeBefore);
}

// The lines appended to the error list since the parse began are this
// note's. Without the memory to keep them the note simply keeps none: the
// list itself still holds them.
void CNote::KeepParseErrors(size_t iListSizeBefore) {
    try {
        m_ParseErrors.clear();
        if (ErrorList.size() <= iListSizeBefore)
            return;
        std::string_view sAdded = std::string_view(ErrorList).substr(iListSizeBefore);
        if (iListSizeBefore > 0 && !sAdded.empty() && sAdded.front() == '\r')
            sAdded.remove_prefix(1);
        for (;;) {
            const size_t iEnd = sAdded.find('\r');
            m_ParseErrors.emplace_back(sAdded.substr(0, iEnd));
            if (iEnd == std::string_view::npos)
                break;
            sAdded.remove_prefix(iEnd + 1);
        }
    } catch (...) {
        m_ParseErrors.clear();
    }
}

// Grammar: [duration of one or two digits] letter ["#"] ["."] [octave].
void CNote::ParseRTTTL(std::string_view s) {
    Duration_Part = DefaultDuration;
    // No guard against a dot here: "8.c" takes the duration "8.".
    if (IsNumeric(Mid(s, 0, 2))) {
        Duration_Part = std::string(Mid(s, 0, 2));
        s = Drop(s, 2);
    } else if (IsNumeric(Mid(s, 0, 1))) {
        Duration_Part = std::string(Mid(s, 0, 1));
        s = Drop(s, 1);
    }
    RDuration_Part =
        SameValue(Duration_Part, DefaultDuration) ? std::string() : Duration_Part.str();

    Note_Part = RNote_Part = std::string(Mid(s, 0, 1));
    if (Is(Note_Part, 'p'))
        Note_Part = "-";
    s = Drop(s, 1);

    TakeMark(s, '#', Sharp_Part, RSharp_Part);
    TakeMark(s, '.', Dotted_Part, RDotted_Part);

    const bool bOctave = IsNumeric(s);
    if (bOctave && !SameValue(s, DefaultOctave))
        ROctave_Part = std::string(s);
    Octave_Part = GetOctave(bOctave ? std::string(s) : DefaultOctave.str());
    if (Octave_Part.empty())
        Octave_Part = GetOctave(DefaultOctave);
}

// Grammar: [duration of one or two digits] ["."] ["#"] letter or "-" [octave].
void CNote::ParseComposer(std::string_view s) {
    size_t iTaken = 0;
    // The second character must itself be a digit, so "8." is one digit and a dot.
    if (IsNumeric(Mid(s, 0, 2)) && IsNumeric(Mid(s, 1, 1)))
        iTaken = 2;
    else if (IsNumeric(Mid(s, 0, 1)))
        iTaken = 1;
    Duration_Part = std::string(Mid(s, 0, iTaken));
    RDuration_Part =
        SameValue(Duration_Part, DefaultDuration) ? std::string() : Duration_Part.str();
    s = Drop(s, iTaken);

    TakeMark(s, '.', Dotted_Part, RDotted_Part);
    TakeMark(s, '#', Sharp_Part, RSharp_Part);

    Note_Part = RNote_Part = std::string(Mid(s, 0, 1));
    if (Is(RNote_Part, '-'))
        RNote_Part = "p";
    s = Drop(s, 1);

    const bool bOctave = IsNumeric(s);
    if (bOctave)
        Octave_Part = std::string(s);
    else
        Octave_Part = DefaultOctave;
    if (bOctave) {
        ROctave_Part = GetOctave(std::string(s));
        if (SameValue(ROctave_Part, DefaultOctave))
            ROctave_Part.clear();
    }
}

// Appends piece by piece, so that a failure leaves the keys made so far.
void CNote::BuildKeypresses() {
    const bool bDotted = Is(Dotted_Part, '.');
    if (bDotted)
        Keypresses += "(hold ";
    Keypresses += GetNoteKey(Note_Part);
    if (bDotted)
        Keypresses += ")";
    if (Duration_Part != PhoneDuration)
        Keypresses += GetDurationKeys(WholeNumber(Duration_Part));
    if (Octave_Part != PhoneOctave)
        Keypresses += GetOctaveKeys(WholeNumber(Octave_Part));
    Keypresses += Sharp_Part;
    // No piece puts a blank at either end, so this check normally copies nothing.
    if (const std::string_view sTrimmed = TrimBlanks(Keypresses);
        sTrimmed.size() != Keypresses.size())
        Keypresses = std::string(sTrimmed);

    // A pause gets its duration and octave keys but leaves the phone as it was.
    if (!Is(Note_Part, '-')) {
        PhoneDuration = Duration_Part;
        PhoneOctave = Octave_Part;
    }
}

std::string CNote::Full_ComposerNote() const {
    std::string sNote;
    CNoteStore::AppendRendering(sNote, *this, ShowForm::Composer);
    return sNote;
}

std::string CNote::Full_RTTTLNote() const {
    std::string sNote;
    CNoteStore::AppendRendering(sNote, *this, ShowForm::Rtttl);
    return sNote;
}
