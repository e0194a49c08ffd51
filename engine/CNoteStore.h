#pragma once
// The notes of one ringtone kept compactly: a small record per note in one
// contiguous store, rendered straight from the records.

#include "engine/CNote.h"
#include "engine/CSharedText.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A note is parsed once into a 12-byte record: where its token lies in the
// store's text, how many characters its duration took, its marks, its one
// octave character, its own key, the keys it made and where its keypresses
// stopped. Every
// part of the note is a piece of its token, a header default or one
// character, so the record rebuilds the whole CNote whenever one is asked
// for. A CNote is therefore not kept per note: a caller that asks for one by
// position gets a CNote built from the record and kept from then on (so what
// it writes through the members is what is rendered), and walking the list
// gives read-only CNotes built as they are read. Keeping every note whole
// would cost some 400 bytes and a dozen texts a note; the record costs 12,
// and rendering reads nothing but the record and the token.
class CNoteStore {
public:
    // Where a note's rendering stands in the rendered text, in bytes.
    struct Place {
        uint32_t iStart = 0;
        uint32_t iLength = 0; // 0 for a note rendered as nothing
    };

    // Notes appended while a Batch lives carry the phone state from one to
    // the next here, and leave it in modNOK when the batch ends; the
    // defaults in force must not change meanwhile.
    class Batch {
    public:
        explicit Batch(CNoteStore& store);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        CNoteStore& m_Store;
    };

    // Appends a note's rendering in form iType from its members.
    static void AppendRendering(std::string& sText, const CNote& note, int16_t iType);

    // Parses a copy of the token into a new record at the end; throws only
    // when there is no room for it (nothing is added then).
    void Append(std::string_view sToken, int32_t iSourceType);
    // Takes over a text whose tokens AppendAdopted then appends: the store
    // keeps it as its text when it has none yet, instead of a copy. The
    // view stays valid until a note is next appended otherwise.
    std::string_view AdoptText(std::string& sText);
    // The token at iOffset of the text last adopted, as Append.
    void AppendAdopted(size_t iOffset, size_t iLength, int32_t iSourceType);
    // Room for iNotes more notes.
    void Reserve(size_t iNotes);

    size_t Count() const { return m_Records.size() - m_iFirst; }
    // Positions count from 0 here.
    void Erase(size_t iIndex);
    // The note kept whole from now on, the same object at every call.
    const std::shared_ptr<CNote>& Kept(size_t iIndex) const;
    // The kept note, or a note built from the record and not kept.
    std::shared_ptr<const CNote> View(size_t iIndex) const;
    // The error lines the note's parse added, joined by carriage returns.
    std::string_view ErrorLines(size_t iIndex) const;

    // Appends every note's rendering in form iType, joined by sSeparator,
    // without trailing blanks; nothing once the text would grow beyond
    // iMaxLength. Each note's place is appended to pPlaces when given.
    std::optional<std::string> Render(int16_t iType, const char* sSeparator, size_t iMaxLength,
                                      std::vector<Place>* pPlaces) const;

private:
    struct Record {
        uint32_t iToken = 0;      // offset in m_sText; index in m_Kept when kept
        uint16_t iLength = 0;     // of the token
        uint8_t cOctave = 0;      // RTTTL: Octave_Part; Composer: ROctave_Part; 0 when empty
        uint8_t iShape = 0;       // the Shape bits
        int8_t iDurationKeys = 0; // "8" presses, or "9" presses when negative
        uint8_t iState = 0;       // stars, where the keypresses stopped, error lines
        char cKey = 0;            // the note's own key, 0 for none
    };
    static_assert(sizeof(Record) == 12, "a record is 12 bytes");
    // The defaults a run of notes was parsed with, from note iFirst on.
    struct Defaults {
        size_t iFirst = 0;
        CSharedText sDuration;
        CSharedText sOctave;
    };
    struct ErrorRange {
        size_t iNote = 0;
        size_t iBegin = 0;
        size_t iEnd = 0;
    };
    // A text of the phone state or a default, with its whole number read
    // at most once.
    struct Number {
        std::string sText;
        CSharedText sLong; // a long text, shared rather than copied
        bool bRead = false;
        int16_t iWhole = 0;
        std::string sFailure;

        std::string_view View() const { return sLong.Shared() ? sLong.str() : sText; }
        bool SameCopy(const Number& other) const {
            return sLong.Shared() && sLong.Shared() == other.sLong.Shared();
        }
        void Set(const CSharedText& sNew);
        void Set(std::string_view sNew, int16_t iWhole);
        CSharedText Text() const { return sLong.Shared() ? sLong : CSharedText(sText); }
        int16_t Whole();
    };

    void BeginBatch();
    void EndBatch() noexcept;
    void TakePhoneState();
    void LeavePhoneState();
    void AppendToken(size_t iOffset, size_t iLength, int32_t iSourceType);
    void Parse(Record& record, std::string_view sToken, bool bComposer);
    void BuildKeys(Record& record, std::string_view sDuration, bool bDefaultDuration,
                   std::string_view sNote, std::string_view sOctave, bool bDefaultOctave);
    void KeepWhole(Record& record, std::string_view sToken, int32_t iSourceType);
    void KeepErrorLines(Record& record, size_t iNote, size_t iListSizeBefore);
    void Release() noexcept;
    const Defaults& DefaultsOf(size_t iNote) const;
    std::string_view Token(const Record& record) const;
    void Build(const Record& record, size_t iNote, CNote& note) const;
    static void AppendRecord(std::string& sText, const Record& record, std::string_view sToken,
                             const Defaults& defaults, int16_t iType);

    // A CNote asked for by position turns its record into a kept one.
    mutable std::vector<Record> m_Records;
    size_t m_iFirst = 0; // records before this one are deleted notes
    std::string m_sText;
    mutable std::vector<std::shared_ptr<CNote>> m_Kept;
    std::vector<Defaults> m_Defaults;
    std::string m_sErrorLines;
    std::vector<ErrorRange> m_ErrorRanges;
    size_t m_iAdoptedAt = 0; // where the text last adopted begins in m_sText

    // The state of the notes being appended.
    int m_iBatches = 0;
    Number m_PhoneDuration;
    Number m_PhoneOctave;
    Number m_DefaultDuration;
    Number m_DefaultOctave;
};
