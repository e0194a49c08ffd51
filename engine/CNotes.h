#pragma once
// The ordered notes of one ringtone and the display text of each form.

#include "engine/CNote.h"
#include "engine/CNoteStore.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CNokia;

class CNotes {
public:
    // Walks the notes in order, each a read-only note (see CNoteStore).
    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = std::shared_ptr<const CNote>;
        using difference_type = std::ptrdiff_t;
        using pointer = const value_type*;
        using reference = value_type;

        const_iterator(const CNoteStore* pStore, size_t iIndex)
            : m_pStore(pStore), m_iIndex(iIndex) {}
        value_type operator*() const { return m_pStore->View(m_iIndex); }
        const_iterator& operator++() {
            ++m_iIndex;
            return *this;
        }
        bool operator==(const const_iterator& other) const { return m_iIndex == other.m_iIndex; }
        bool operator!=(const const_iterator& other) const { return m_iIndex != other.m_iIndex; }

    private:
        const CNoteStore* m_pStore;
        size_t m_iIndex;
    };

    using Place = CNoteStore::Place;

    // Creates, appends and parses a note; null only when creating it failed.
    std::shared_ptr<CNote> Add(const std::string& strNoteBatch, int32_t sSourceType);
    int32_t Count() const;
    // Positions count from 1; outside 1..Count these throw std::out_of_range.
    void Delete(int32_t Index);
    // The note itself: what is written through its members is what the
    // list renders from then on.
    CNote& Item(int32_t Index) const;
    // Renders every note in one display form: 0 keypresses, 1 Composer, 2 RTTTL.
    std::string GetNotes(int16_t iType) const;
    // The same text, but nothing once it would grow beyond iMaxLength: a
    // text no one could read is never built whole.
    std::optional<std::string> GetNotesWithin(int16_t iType, size_t iMaxLength) const;
    // The same, with where each note stands in the text, in bytes, in note
    // order (places is emptied first; none for a number that names no
    // form). A note at the end may stand partly beyond the text, which
    // leaves out trailing blanks.
    std::optional<std::string> GetNotesWithin(int16_t iType, size_t iMaxLength,
                                              std::vector<Place>& places) const;
    // The error lines that the note's own parse added, joined by carriage
    // returns as in the error list; empty for a clean note.
    std::string_view ParseErrorLines(int32_t Index) const;

    // What GetNotes puts between two notes of a form (null for a number that
    // names no form), and how it appends the note's own rendering in it.
    static const char* Separator(int16_t iType);
    static void AppendRendering(std::string& sText, const CNote& note, int16_t iType);

    const_iterator begin() const { return const_iterator(&m_Store, 0); }
    const_iterator end() const { return const_iterator(&m_Store, m_Store.Count()); }

private:
    friend class CNokia;

    std::optional<std::string> Render(int16_t iType, size_t iMaxLength,
                                      std::vector<Place>* pPlaces) const;
    size_t Position(int32_t Index) const;

    CNoteStore m_Store;
};
