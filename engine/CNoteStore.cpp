#include "engine/CNoteStore.h"

#include "engine/Forms.h"
#include "engine/modNOK.h"

#include <algorithm>
#include <limits>

using namespace modNOK;

namespace {

// Record::iShape
constexpr uint8_t DurationTaken = 0x03; // characters of the token: 0 (default or none), 1, 2
constexpr uint8_t RDurationShown = 0x04;
constexpr uint8_t Dotted = 0x08;
constexpr uint8_t Sharp = 0x10;
// RTTTL: ROctave_Part is the rest of the token; Composer: Octave_Part is.
constexpr uint8_t RestShown = 0x20;
constexpr uint8_t Composer = 0x40;
constexpr uint8_t KeptWhole = 0x80;

// Record::iState
constexpr uint8_t Stars = 0x03;
constexpr uint8_t StoppedAt = 0x0c; // where the keypresses stopped, by a failure
constexpr uint8_t StoppedBeforeDurationKeys = 0x04;
constexpr uint8_t StoppedBeforeOctaveKeys = 0x08;
constexpr uint8_t StoppedBeforeAnyKey = 0x0c;
constexpr uint8_t HasErrors = 0x10;

constexpr size_t LongestToken = std::numeric_limits<uint16_t>::max();
constexpr size_t LargestOffset = std::numeric_limits<uint32_t>::max();

char NoteKey(std::string_view sNote) {
    if (sNote.size() != 1)
        return 0;
    switch (sNote[0]) {
    case 'c':
        return '1';
    case 'd':
        return '2';
    case 'e':
        return '3';
    case 'f':
        return '4';
    case 'g':
        return '5';
    case 'a':
        return '6';
    case 'b':
        return '7';
    case '-':
        return '0';
    default:
        return 0;
    }
}

// GetOctave as one character, 0 for empty text; records its error lines.
char OctaveOf(std::string_view sOctave) {
    if (sOctave.size() != 1)
        return 0;
    const char c = sOctave[0];
    if (c == '4' || c == '8')
        return GetOctave(std::string(1, c))[0];
    if (c >= '1' && c <= '3')
        return static_cast<char>(c + 4);
    if (c >= '5' && c <= '7')
        return static_cast<char>(c - 4);
    return 0;
}

int DurationPosition(int iDuration) {
    switch (iDuration) {
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

const std::string_view Pause = "-";
const std::string_view RPause = "p";

// The parts of a note, as views of its token, its defaults and its record.
struct Parts {
    std::string_view sDuration;
    std::string_view sRDuration;
    bool bDotted = false;
    bool bSharp = false;
    std::string_view sNote;
    std::string_view sRNote;
    std::string_view sOctave;
    std::string_view sROctave;
};

} // namespace

void CNoteStore::Number::Set(const CSharedText& sNew) {
    bRead = false;
    if (sNew.Shared()) {
        sLong = sNew;
        sText.clear();
    } else {
        sLong = CSharedText();
        sText = sNew.str();
    }
}

void CNoteStore::Number::Set(std::string_view sNew, int16_t iNewWhole) {
    if (sLong.Shared())
        sLong = CSharedText();
    sText.assign(sNew.data(), sNew.size());
    bRead = true;
    iWhole = iNewWhole;
    sFailure.clear();
}

int16_t CNoteStore::Number::Whole() {
    if (!bRead) {
        try {
            iWhole = WholeNumber(View());
            sFailure.clear();
        } catch (const Failure& e) {
            sFailure = e.what();
        }
        bRead = true;
    }
    if (!sFailure.empty())
        throw Failure(sFailure);
    return iWhole;
}

CNoteStore::Batch::Batch(CNoteStore& store) : m_Store(store) {
    m_Store.BeginBatch();
}

CNoteStore::Batch::~Batch() {
    m_Store.EndBatch();
}

void CNoteStore::BeginBatch() {
    if (m_iBatches > 0) {
        ++m_iBatches;
        return;
    }
    TakePhoneState();
    m_DefaultDuration.Set(DefaultDuration);
    m_DefaultOctave.Set(DefaultOctave);
    const auto Same = [](const CSharedText& a, const CSharedText& b) {
        return a.Shared() ? a.Shared() == b.Shared() : !b.Shared() && a.str() == b.str();
    };
    if (m_Defaults.empty() || !Same(m_Defaults.back().sDuration, DefaultDuration) ||
        !Same(m_Defaults.back().sOctave, DefaultOctave))
        m_Defaults.push_back(Defaults{m_Records.size(), DefaultDuration, DefaultOctave});
    ++m_iBatches;
}

void CNoteStore::EndBatch() noexcept {
    if (--m_iBatches == 0)
        LeavePhoneState();
}

void CNoteStore::TakePhoneState() {
    m_PhoneDuration.Set(PhoneDuration);
    m_PhoneOctave.Set(PhoneOctave);
}

void CNoteStore::LeavePhoneState() {
    // Short texts fit std::string's own room and long ones are shared, so
    // this takes no memory but for a long octave a Composer token wrote.
    try {
        PhoneDuration = m_PhoneDuration.Text();
        PhoneOctave = m_PhoneOctave.Text();
    } catch (const std::exception& e) {
        AddError("CNote.NoteBatch", e.what());
    }
}

void CNoteStore::Reserve(size_t iNotes) {
    m_Records.reserve(m_Records.size() + iNotes);
}

void CNoteStore::Append(std::string_view sToken, int32_t iSourceType) {
    const size_t iOffset = m_sText.size();
    m_sText.append(sToken);
    m_iAdoptedAt = 0;
    AppendToken(iOffset, sToken.size(), iSourceType);
}

std::string_view CNoteStore::AdoptText(std::string& sText) {
    if (m_sText.empty()) {
        m_iAdoptedAt = 0;
        m_sText = std::move(sText);
    } else {
        m_iAdoptedAt = m_sText.size();
        m_sText += sText;
    }
    sText.clear();
    return std::string_view(m_sText).substr(m_iAdoptedAt);
}

void CNoteStore::AppendAdopted(size_t iOffset, size_t iLength, int32_t iSourceType) {
    AppendToken(m_iAdoptedAt + iOffset, iLength, iSourceType);
}

void CNoteStore::AppendToken(size_t iOffset, size_t iLength, int32_t iSourceType) {
    Batch batch(*this);
    const size_t iNote = m_Records.size();
    m_Records.emplace_back();
    Record& record = m_Records.back();
    const std::string_view sToken = std::string_view(m_sText).substr(iOffset, iLength);
    const size_t iListSizeBefore = ErrorList.size();
    if ((iSourceType != Notation::Rtttl && iSourceType != Notation::Composer) ||
        iLength >= LongestToken || iOffset > LargestOffset) {
        try {
            KeepWhole(record, sToken, iSourceType);
        } catch (...) {
            m_Records.pop_back();
            throw;
        }
    } else {
        record.iToken = static_cast<uint32_t>(iOffset);
        record.iLength = static_cast<uint16_t>(iLength);
        try {
            Parse(record, sToken, iSourceType == Notation::Composer);
        } catch (const std::exception& e) {
            record.iState |= StoppedBeforeAnyKey;
            AddError("CNote.NoteBatch", e.what());
        }
    }
    KeepErrorLines(record, iNote, iListSizeBefore);
}

// An unusual note (another notation, a token too long for a record) is kept
// whole from the start, parsed by CNote itself.
void CNoteStore::KeepWhole(Record& record, std::string_view sToken, int32_t iSourceType) {
    auto note = std::make_shared<CNote>();
    m_Kept.push_back(note);
    record.iShape = KeptWhole;
    record.iToken = static_cast<uint32_t>(m_Kept.size() - 1);
    note->SourceType = iSourceType;
    // The note parses with the phone state in modNOK, which the batch holds.
    LeavePhoneState();
    note->setNoteBatch(std::string(sToken));
    TakePhoneState();
}

// The same steps as CNote's parse, recorded instead of copied into texts.
void CNoteStore::Parse(Record& record, std::string_view s, bool bComposer) {
    const Defaults& defaults = m_Defaults.back();
    const std::string_view sDefaultDuration = defaults.sDuration.str();
    const std::string_view sDefaultOctave = defaults.sOctave.str();
    const auto Mid = [&s](size_t iFrom, size_t iCount) {
        return iFrom >= s.size() ? std::string_view{} : s.substr(iFrom, iCount);
    };
    uint8_t iShape = bComposer ? Composer : 0;
    size_t iTaken = 0;
    if (bComposer) {
        if (IsNumeric(Mid(0, 2)) && IsNumeric(Mid(1, 1)))
            iTaken = 2;
        else if (IsNumeric(Mid(0, 1)))
            iTaken = 1;
    } else if (IsNumeric(Mid(0, 2))) {
        iTaken = std::min<size_t>(2, s.size());
    } else if (IsNumeric(Mid(0, 1))) {
        iTaken = 1;
    }
    const bool bDefaultDuration = !bComposer && iTaken == 0;
    const std::string_view sDuration = bDefaultDuration ? sDefaultDuration : s.substr(0, iTaken);
    iShape |= static_cast<uint8_t>(iTaken);
    if (!SameValue(sDuration, sDefaultDuration))
        iShape |= RDurationShown;
    size_t iAt = iTaken;
    const auto TakeMark = [&](char cMark, uint8_t iBit) {
        if (iAt < s.size() && s[iAt] == cMark) {
            iShape |= iBit;
            ++iAt;
        }
    };
    std::string_view sNote;
    const auto TakeLetter = [&] {
        sNote = Mid(iAt, 1);
        if (!bComposer && sNote == RPause)
            sNote = Pause;
        iAt = std::min(iAt + 1, s.size());
    };
    if (bComposer) {
        TakeMark('.', Dotted);
        TakeMark('#', Sharp);
        TakeLetter();
    } else {
        TakeLetter();
        TakeMark('#', Sharp);
        TakeMark('.', Dotted);
    }
    const std::string_view sRest = s.substr(iAt);
    const bool bOctave = IsNumeric(sRest);
    char cOctaveKey = 0; // Octave_Part of an RTTTL note
    std::string_view sOctave;
    bool bDefaultOctave = false;
    if (bComposer) {
        if (bOctave) {
            iShape |= RestShown;
            sOctave = sRest;
            const char cROctave = OctaveOf(sRest);
            if (cROctave != 0 && !SameValue(std::string_view(&cROctave, 1), sDefaultOctave))
                record.cOctave = static_cast<uint8_t>(cROctave);
        } else {
            sOctave = sDefaultOctave;
            bDefaultOctave = true;
        }
    } else {
        if (bOctave && !SameValue(sRest, sDefaultOctave))
            iShape |= RestShown;
        cOctaveKey = OctaveOf(bOctave ? sRest : sDefaultOctave);
        if (cOctaveKey == 0)
            cOctaveKey = OctaveOf(sDefaultOctave);
        record.cOctave = static_cast<uint8_t>(cOctaveKey);
    }
    record.iShape = iShape;
    record.cKey = NoteKey(sNote);
    if (!bComposer)
        sOctave = cOctaveKey ? std::string_view(reinterpret_cast<const char*>(&record.cOctave), 1)
                             : std::string_view{};
    BuildKeys(record, sDuration, bDefaultDuration, sNote, sOctave, bDefaultOctave);
}

// The keys beyond the note's own (which the record's parts give) and the
// phone state after the note, as CNote builds them.
void CNoteStore::BuildKeys(Record& record, std::string_view sDuration, bool bDefaultDuration,
                           std::string_view sNote, std::string_view sOctave, bool bDefaultOctave) {
    uint8_t iStopped = StoppedBeforeDurationKeys;
    try {
        const auto Differs = [](Number& phone, std::string_view sPart, bool bDefault,
                                const Number& fromDefault) {
            if (bDefault && phone.SameCopy(fromDefault))
                return false;
            return phone.View() != sPart;
        };
        const bool bNewDuration =
            Differs(m_PhoneDuration, sDuration, bDefaultDuration, m_DefaultDuration);
        int16_t iDuration = 0;
        if (bNewDuration) {
            iDuration = bDefaultDuration ? m_DefaultDuration.Whole() : WholeNumber(sDuration);
            const int iCurrent = DurationPosition(m_PhoneDuration.Whole());
            const int iNew = DurationPosition(iDuration);
            if (iCurrent >= 0 && iNew >= 0)
                record.iDurationKeys = static_cast<int8_t>(iNew - iCurrent);
        }
        iStopped = StoppedBeforeOctaveKeys;
        const bool bNewOctave = Differs(m_PhoneOctave, sOctave, bDefaultOctave, m_DefaultOctave);
        int16_t iOctave = 0;
        if (bNewOctave) {
            iOctave = bDefaultOctave ? m_DefaultOctave.Whole() : WholeNumber(sOctave);
            const int iCurrent = m_PhoneOctave.Whole();
            if (iCurrent >= 1 && iCurrent <= 3 && iOctave >= 1 && iOctave <= 3)
                record.iState |= static_cast<uint8_t>((iOctave - iCurrent + 3) % 3);
        }
        iStopped = 0;
        if (sNote != Pause) {
            if (bNewDuration) {
                if (bDefaultDuration && m_DefaultDuration.sLong.Shared()) {
                    m_PhoneDuration = m_DefaultDuration;
                } else {
                    m_PhoneDuration.Set(sDuration, iDuration);
                }
            }
            if (bNewOctave) {
                if (bDefaultOctave && m_DefaultOctave.sLong.Shared()) {
                    m_PhoneOctave = m_DefaultOctave;
                } else {
                    m_PhoneOctave.Set(sOctave, iOctave);
                }
            }
        }
    } catch (const std::exception& e) {
        AddError("CNote.NoteBatch", e.what());
    } catch (...) {
        AddError("CNote.NoteBatch", "Unknown failure");
    }
    record.iState |= iStopped;
}

void CNoteStore::KeepErrorLines(Record& record, size_t iNote, size_t iListSizeBefore) {
    if (ErrorList.size() <= iListSizeBefore)
        return;
    std::string_view sAdded = std::string_view(ErrorList).substr(iListSizeBefore);
    if (iListSizeBefore > 0 && !sAdded.empty() && sAdded.front() == '\r')
        sAdded.remove_prefix(1);
    // Without the memory to keep them the note simply keeps none: the list
    // itself still holds them.
    try {
        m_ErrorRanges.reserve(m_ErrorRanges.size() + 1);
        const size_t iBegin = m_sErrorLines.size();
        m_sErrorLines += sAdded;
        m_ErrorRanges.push_back(ErrorRange{iNote, iBegin, m_sErrorLines.size()});
        record.iState |= HasErrors;
    } catch (...) {
    }
}

void CNoteStore::Erase(size_t iIndex) {
    const size_t iNote = m_iFirst + iIndex;
    Record& record = m_Records[iNote];
    if (record.iShape & KeptWhole)
        m_Kept[record.iToken].reset();
    if (iIndex == 0) {
        // Deleting from the front costs nothing per note; the last one
        // frees the whole store at once.
        if (++m_iFirst == m_Records.size())
            Release();
        return;
    }
    m_Records.erase(m_Records.begin() + static_cast<std::ptrdiff_t>(iNote));
    m_ErrorRanges.erase(std::remove_if(m_ErrorRanges.begin(), m_ErrorRanges.end(),
                                       [iNote](const ErrorRange& r) { return r.iNote == iNote; }),
                        m_ErrorRanges.end());
    for (ErrorRange& range : m_ErrorRanges)
        if (range.iNote > iNote)
            --range.iNote;
    for (Defaults& defaults : m_Defaults)
        if (defaults.iFirst > iNote)
            --defaults.iFirst;
}

void CNoteStore::Release() noexcept {
    // The defaults of the last run stay, for the notes appended next.
    if (!m_Defaults.empty()) {
        m_Defaults.erase(m_Defaults.begin(), m_Defaults.end() - 1);
        m_Defaults.front().iFirst = 0;
    }
    std::vector<Record>().swap(m_Records);
    m_iFirst = 0;
    std::string().swap(m_sText);
    m_iAdoptedAt = 0;
    std::vector<std::shared_ptr<CNote>>().swap(m_Kept);
    std::string().swap(m_sErrorLines);
    std::vector<ErrorRange>().swap(m_ErrorRanges);
}

const CNoteStore::Defaults& CNoteStore::DefaultsOf(size_t iNote) const {
    const auto it =
        std::upper_bound(m_Defaults.begin(), m_Defaults.end(), iNote,
                         [](size_t i, const Defaults& defaults) { return i < defaults.iFirst; });
    return *(it - 1);
}

std::string_view CNoteStore::Token(const Record& record) const {
    return std::string_view(m_sText).substr(record.iToken, record.iLength);
}

std::string_view CNoteStore::ErrorLines(size_t iIndex) const {
    const size_t iNote = m_iFirst + iIndex;
    const Record& record = m_Records[iNote];
    if (!(record.iState & HasErrors))
        return {};
    const auto it = std::lower_bound(m_ErrorRanges.begin(), m_ErrorRanges.end(), iNote,
                                     [](const ErrorRange& r, size_t i) { return r.iNote < i; });
    if (it == m_ErrorRanges.end() || it->iNote != iNote)
        return {};
    return std::string_view(m_sErrorLines).substr(it->iBegin, it->iEnd - it->iBegin);
}

namespace {

Parts PartsOf(uint8_t iShape, const uint8_t& cOctave, std::string_view sToken,
              std::string_view sDefaultDuration, std::string_view sDefaultOctave) {
    Parts parts;
    const bool bComposer = iShape & Composer;
    const size_t iTaken = iShape & DurationTaken;
    parts.bDotted = iShape & Dotted;
    parts.bSharp = iShape & Sharp;
    size_t iAt = iTaken;
    parts.sDuration = !bComposer && iTaken == 0 ? sDefaultDuration : sToken.substr(0, iTaken);
    if (iShape & RDurationShown)
        parts.sRDuration = parts.sDuration;
    const auto Letter = [&] {
        if (iAt < sToken.size()) {
            parts.sNote = parts.sRNote = sToken.substr(iAt++, 1);
            if (bComposer && parts.sNote == Pause)
                parts.sRNote = RPause;
            else if (!bComposer && parts.sNote == RPause)
                parts.sNote = Pause;
        }
    };
    const std::string_view sOctaveKey =
        cOctave ? std::string_view(reinterpret_cast<const char*>(&cOctave), 1) : std::string_view{};
    if (bComposer) {
        iAt += parts.bDotted + parts.bSharp;
        Letter();
        const std::string_view sRest = sToken.substr(std::min(iAt, sToken.size()));
        parts.sOctave = (iShape & RestShown) ? sRest : sDefaultOctave;
        parts.sROctave = sOctaveKey;
    } else {
        Letter();
        iAt += parts.bDotted + parts.bSharp;
        parts.sOctave = sOctaveKey;
        if (iShape & RestShown)
            parts.sROctave = sToken.substr(std::min(iAt, sToken.size()));
    }
    return parts;
}

// The most a note's keypresses take: "(hold ", its key, ")", five duration
// keys, two stars and "#".
constexpr size_t LongestKeys = 16;

// Writes the keypresses at p and gives how many characters they took.
size_t WriteKeys(char* p, char cKey, uint8_t iShape, int8_t iDurationKeys, uint8_t iState) {
    const uint8_t iStopped = iState & StoppedAt;
    if (iStopped == StoppedBeforeAnyKey)
        return 0;
    char* const pStart = p;
    const bool bDotted = iShape & Dotted;
    if (bDotted)
        p = std::copy_n("(hold ", 6, p);
    if (cKey)
        *p++ = cKey;
    if (bDotted)
        *p++ = ')';
    if (iStopped == StoppedBeforeDurationKeys)
        return static_cast<size_t>(p - pStart);
    if (iDurationKeys > 0)
        p = std::fill_n(p, iDurationKeys, '8');
    else if (iDurationKeys < 0)
        p = std::fill_n(p, -iDurationKeys, '9');
    if (iStopped == StoppedBeforeOctaveKeys)
        return static_cast<size_t>(p - pStart);
    p = std::fill_n(p, iState & Stars, '*');
    if (iShape & Sharp)
        *p++ = '#';
    return static_cast<size_t>(p - pStart);
}

void AppendKeys(std::string& sText, char cKey, uint8_t iShape, int8_t iDurationKeys,
                uint8_t iState) {
    char sKeys[LongestKeys];
    sText.append(sKeys, WriteKeys(sKeys, cKey, iShape, iDurationKeys, iState));
}

void AppendComposer(std::string& sText, const Parts& parts) {
    sText += parts.sDuration;
    if (parts.sNote == Pause) {
        sText += parts.sNote;
        return;
    }
    if (parts.bDotted)
        sText += '.';
    if (parts.bSharp)
        sText += '#';
    sText += parts.sNote;
    sText += parts.sOctave;
}

void AppendRTTTL(std::string& sText, const Parts& parts) {
    sText += parts.sRDuration;
    if (parts.sRNote == Pause) {
        sText += parts.sRNote;
        return;
    }
    sText += parts.sRNote;
    if (parts.bSharp)
        sText += '#';
    if (parts.bDotted)
        sText += '.';
    sText += parts.sROctave;
}

} // namespace

void CNoteStore::AppendRecord(std::string& sText, const Record& record, std::string_view sToken,
                              const Defaults& defaults, int16_t iType) {
    if (iType == ShowForm::Keypresses) {
        // The keypresses need nothing of the token.
        AppendKeys(sText, record.cKey, record.iShape, record.iDurationKeys, record.iState);
        return;
    }
    const Parts parts = PartsOf(record.iShape, record.cOctave, sToken, defaults.sDuration.str(),
                                defaults.sOctave.str());
    switch (iType) {
    case ShowForm::Composer:
        AppendComposer(sText, parts);
        break;
    case ShowForm::Rtttl:
        AppendRTTTL(sText, parts);
        break;
    default:
        break;
    }
}

void CNoteStore::AppendRendering(std::string& sText, const CNote& note, int16_t iType) {
    switch (iType) {
    case ShowForm::Keypresses:
        sText += note.Keypresses;
        break;
    case ShowForm::Composer:
        sText += note.Duration_Part.str();
        if (note.Note_Part == Pause) {
            sText += note.Note_Part;
            break;
        }
        sText += note.Dotted_Part;
        sText += note.Sharp_Part;
        sText += note.Note_Part;
        sText += note.Octave_Part.str();
        break;
    case ShowForm::Rtttl:
        sText += note.RDuration_Part;
        if (note.RNote_Part == Pause) {
            sText += note.RNote_Part;
            break;
        }
        sText += note.RNote_Part;
        sText += note.RSharp_Part;
        sText += note.RDotted_Part;
        sText += note.ROctave_Part;
        break;
    default:
        break;
    }
}

void CNoteStore::Build(const Record& record, size_t iNote, CNote& note) const {
    const Defaults& defaults = DefaultsOf(iNote);
    const std::string_view sToken = Token(record);
    const Parts parts = PartsOf(record.iShape, record.cOctave, sToken, defaults.sDuration.str(),
                                defaults.sOctave.str());
    const bool bComposer = record.iShape & Composer;
    note.SourceType = bComposer ? Notation::Composer : Notation::Rtttl;
    // A default keeps its one shared copy.
    if (!bComposer && (record.iShape & DurationTaken) == 0)
        note.Duration_Part = defaults.sDuration;
    else
        note.Duration_Part = std::string(parts.sDuration);
    note.Dotted_Part = parts.bDotted ? "." : "";
    note.Sharp_Part = parts.bSharp ? "#" : "";
    note.Note_Part = parts.sNote;
    if (bComposer && !(record.iShape & RestShown))
        note.Octave_Part = defaults.sOctave;
    else
        note.Octave_Part = std::string(parts.sOctave);
    note.RDuration_Part = parts.sRDuration;
    note.RDotted_Part = note.Dotted_Part;
    note.RSharp_Part = note.Sharp_Part;
    note.RNote_Part = parts.sRNote;
    note.ROctave_Part = parts.sROctave;
    note.Keypresses.clear();
    AppendKeys(note.Keypresses, record.cKey, record.iShape, record.iDurationKeys, record.iState);
    note.m_sNoteBatch = sToken;
    note.m_ParseErrors.clear();
    std::string_view sLines = ErrorLines(iNote - m_iFirst);
    while (!sLines.empty()) {
        const size_t iEnd = sLines.find('\r');
        note.m_ParseErrors.emplace_back(sLines.substr(0, iEnd));
        if (iEnd == std::string_view::npos)
            break;
        sLines.remove_prefix(iEnd + 1);
    }
}

const std::shared_ptr<CNote>& CNoteStore::Kept(size_t iIndex) const {
    const size_t iNote = m_iFirst + iIndex;
    Record& record = m_Records[iNote];
    if (!(record.iShape & KeptWhole)) {
        auto note = std::make_shared<CNote>();
        Build(record, iNote, *note);
        m_Kept.push_back(std::move(note));
        record.iShape = KeptWhole;
        record.iToken = static_cast<uint32_t>(m_Kept.size() - 1);
    }
    return m_Kept[record.iToken];
}

std::shared_ptr<const CNote> CNoteStore::View(size_t iIndex) const {
    const size_t iNote = m_iFirst + iIndex;
    const Record& record = m_Records[iNote];
    if (record.iShape & KeptWhole)
        return m_Kept[record.iToken];
    auto note = std::make_shared<CNote>();
    Build(record, iNote, *note);
    return note;
}

std::optional<std::string> CNoteStore::Render(int16_t iType, const char* sSeparator,
                                              size_t iMaxLength,
                                              std::vector<Place>* pPlaces) const {
    const std::string_view sBetween = sSeparator;
    std::string sText;
    sText.reserve(std::min(Count() * (sBetween.size() + 4), iMaxLength));
    if (pPlaces)
        pPlaces->reserve(pPlaces->size() + Count());
    // Trailing blanks are left out at the end: iKept is where the text ends
    // without them.
    size_t iKept = 0;
    size_t iDefaults = 0;
    for (size_t iNote = m_iFirst; iNote < m_Records.size(); ++iNote) {
        const size_t iBefore = sText.size();
        const Record& record = m_Records[iNote];
        size_t iStart = iBefore;
        const bool bKeysInOne =
            iType == ShowForm::Keypresses && !(record.iShape & KeptWhole) && sBetween.size() <= 2;
        if (bKeysInOne) {
            // The commonest rendering, with its separator, in one append.
            char sPiece[2 + LongestKeys];
            size_t iLength = 0;
            if (iNote != m_iFirst)
                iLength = static_cast<size_t>(std::copy(sBetween.begin(), sBetween.end(), sPiece) -
                                              sPiece);
            iStart += iLength;
            iLength += WriteKeys(sPiece + iLength, record.cKey, record.iShape, record.iDurationKeys,
                                 record.iState);
            sText.append(sPiece, iLength);
        } else if (iNote != m_iFirst) {
            sText += sBetween;
            iStart = sText.size();
        }
        if (bKeysInOne) {
            // Written above.
        } else if (record.iShape & KeptWhole) {
            if (const CNote* pNote = m_Kept[record.iToken].get())
                AppendRendering(sText, *pNote, iType);
        } else {
            while (iDefaults + 1 < m_Defaults.size() && m_Defaults[iDefaults + 1].iFirst <= iNote)
                ++iDefaults;
            AppendRecord(sText, record, Token(record), m_Defaults[iDefaults], iType);
        }
        if (pPlaces)
            pPlaces->push_back(
                Place{static_cast<uint32_t>(iStart), static_cast<uint32_t>(sText.size() - iStart)});
        size_t iEnd = sText.size();
        while (iEnd > iBefore && sText[iEnd - 1] == ' ')
            --iEnd;
        if (iEnd > iBefore)
            iKept = iEnd;
        if (iKept > iMaxLength)
            return std::nullopt;
    }
    sText.resize(iKept);
    return sText;
}
