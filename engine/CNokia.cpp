#include "engine/CNokia.h"

#include "engine/Forms.h"
#include "engine/modNOK.h"

#include <algorithm>

using namespace modNOK;

namespace {

constexpr auto npos = std::string_view::npos;

// The value of a header field: from just after its key to just before its
// terminator, both searched from the start of the working text. A terminator
// that is missing or lies before the key gives a negative length, which is
// a header failure.
std::string_view FieldValue(std::string_view sWork, size_t iKey, size_t iKeyLength,
                            char cTerminator, size_t& iEnd) {
    iEnd = sWork.find(cTerminator);
    if (iEnd == npos || iEnd < iKey + iKeyLength)
        throw Failure("Invalid header");
    return sWork.substr(iKey + iKeyLength, iEnd - iKey - iKeyLength);
}

std::string_view After(std::string_view sWork, size_t iPosition) {
    return sWork.substr(iPosition + 1);
}

} // namespace

void CNokia::Clear() {
    DefaultDuration = "4";
    DefaultOctave = "5";
    RingToneName.clear();
    FileName.clear();
    OriginalText.clear();
    Tempo = 100;
    ClearErrors();
    // Deleting from the front of a deque costs nothing per note, so this
    // stays linear however long the ringtone was.
    for (int32_t i = Notes.Count(); i > 0; --i)
        Notes.Delete(1);
}

void CNokia::Convert() {
    std::string sClean;
    std::string_view sWork;
    try {
        ClearErrors();
        PhoneDuration = "4";
        PhoneOctave = "1";
        DefaultDuration = "4";
        DefaultOctave = "5";
        RingToneName.clear();
        Tempo = 0;

        sClean = CleanNoteText(OriginalText);
        sWork = sClean;

        const size_t iColon = sWork.find(':');
        try {
            ReadNameAndHeader(sWork, iColon);
        } catch (...) {
            // "Artist: Title:Tempo=..." in Composer notation: the name runs up
            // to the colon before "Tempo=". Texts read without this stay as they were.
            const size_t iTempo =
                iColon == npos ? npos : std::string_view(sClean).find(":Tempo=", iColon + 1);
            if (SourceType != Notation::Composer || iTempo == npos)
                throw;
            sWork = sClean;
            ReadNameAndHeader(sWork, iTempo);
        }
        // The note text is what is left of the cleaned text, taken over
        // rather than copied.
        sClean.erase(0, static_cast<size_t>(sWork.data() - sClean.data()));
        NoteText = std::move(sClean);
    } catch (...) {
        AddError("CNokia.Convert", SourceType == Notation::Composer
                                       ? "This ringtone does not have valid COMPOSER header "
                                         "information."
                                       : "This ringtone does not have valid RTTTL header "
                                         "information.");
        return;
    }

    try {
        SplitNotes();
    } catch (const std::exception& e) {
        AddError("CNokia.Convert", "Keypress Conversion - ", e.what());
    } catch (...) {
        AddError("CNokia.Convert", "Keypress Conversion - ", "Unknown failure");
    }
}

// Takes the name up to the colon at iColon (none at npos), then the header.
void CNokia::ReadNameAndHeader(std::string_view& sWork, size_t iColon) {
    if (iColon != npos) {
        RingToneName = std::string(sWork.substr(0, iColon));
        if (TrimBlanks(RingToneName).empty()) {
            // The file name without its extension stands in for a blank name.
            if (FileName.size() < 4)
                throw Failure("No ringtone name");
            RingToneName = FileName.substr(0, FileName.size() - 4);
        }
        sWork = After(sWork, iColon);
    }
    ReadHeader(sWork);
}

// Each field is consumed together with everything before its terminator, so
// RTTTL fields are found only in the order d, o, b. Keys are plain substring
// searches: in RTTTL mode "o=" is also found inside "Tempo=".
void CNokia::ReadHeader(std::string_view& sWork) {
    size_t iEnd = 0;
    if (SourceType == Notation::Rtttl) {
        if (const size_t iKey = sWork.find("d="); iKey != npos) {
            DefaultDuration = std::string(FieldValue(sWork, iKey, 2, ',', iEnd));
            sWork = After(sWork, iEnd);
        }
        if (const size_t iKey = sWork.find("o="); iKey != npos) {
            DefaultOctave = std::string(FieldValue(sWork, iKey, 2, ',', iEnd));
            sWork = After(sWork, iEnd);
            if (!IsNumeric(DefaultOctave))
                throw Failure(TypeMismatch);
            if (Value(DefaultOctave) == "8")
                AddError("CNokia.Convert", "RTTTL Octave 8 Not supported by Nokia 3210.");
        }
        if (const size_t iKey = sWork.find("b="); iKey != npos) {
            Tempo = WholeNumber(FieldValue(sWork, iKey, 2, ':', iEnd));
            sWork = After(sWork, iEnd);
        }
    } else if (SourceType == Notation::Composer) {
        if (const size_t iKey = sWork.find("Tempo="); iKey != npos) {
            Tempo = WholeNumber(FieldValue(sWork, iKey, 6, ':', iEnd));
            sWork = After(sWork, iEnd);
        }
    }
}

// Walks the note text once. The note list takes the text over and each
// token is only a place in it, so no token is copied.
void CNokia::SplitNotes() {
    const char cSeparator =
        SourceType == Notation::Rtttl || NoteText.find(',') != std::string::npos ? ',' : ' ';
    const std::string_view sTrimmed = TrimBlanks(NoteText);
    if (sTrimmed.empty())
        return;
    size_t iAt = static_cast<size_t>(sTrimmed.data() - NoteText.data());
    const size_t iEnd = iAt + sTrimmed.size();
    Notes.m_Store.Reserve(static_cast<size_t>(
        std::count(NoteText.begin() + static_cast<std::ptrdiff_t>(iAt),
                   NoteText.begin() + static_cast<std::ptrdiff_t>(iEnd), cSeparator) +
        1));
    const std::string_view sText = Notes.m_Store.AdoptText(NoteText);
    CNoteStore::Batch batch(Notes.m_Store);
    // As the list's Add: a note that finds no room is recorded and skipped.
    const auto Add = [&](size_t iFrom, size_t iTo) {
        try {
            Notes.m_Store.AppendAdopted(iFrom, iTo - iFrom, SourceType);
        } catch (const std::exception& e) {
            AddError("CNotes.Add", e.what());
        }
    };
    for (;;) {
        const size_t iSeparator = sText.find(cSeparator, iAt);
        if (iSeparator == npos || iSeparator >= iEnd) {
            Add(iAt, iEnd);
            return;
        }
        Add(iAt, iSeparator);
        // The text after the separator, trimmed: its end is the text's own.
        iAt = iSeparator + 1;
        while (iAt < iEnd && sText[iAt] == ' ')
            ++iAt;
    }
}

int16_t CNokia::NoteCount() const {
    const int32_t iCount = Notes.Count();
    if (iCount > 32767)
        throw Failure(Overflow);
    return static_cast<int16_t>(iCount);
}

std::string CNokia::ShowScreen() const {
    return Notes.GetNotes(ShowType);
}
