#pragma once
// The ordered notes of one ringtone and the display text of each form.

#include "engine/CNote.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

class CNotes {
public:
    using Container = std::deque<std::shared_ptr<CNote>>;

    // Creates, appends and parses a note; null only when creating it failed.
    std::shared_ptr<CNote> Add(const std::string& strNoteBatch, int32_t sSourceType);
    int32_t Count() const;
    // Positions count from 1; outside 1..Count these throw std::out_of_range.
    void Delete(int32_t Index);
    CNote& Item(int32_t Index) const;
    // Renders every note in one display form: 0 keypresses, 1 Composer, 2 RTTTL.
    std::string GetNotes(int16_t iType) const;
    // The same text, but nothing once it would grow beyond iMaxLength: a
    // text no one could read is never built whole.
    std::optional<std::string> GetNotesWithin(int16_t iType, size_t iMaxLength) const;

    // What GetNotes puts between two notes of a form (null for a number that
    // names no form), and how it appends the note's own rendering in it.
    static const char* Separator(int16_t iType);
    static void AppendRendering(std::string& sText, const CNote& note, int16_t iType);

    Container::const_iterator begin() const { return m_Notes.begin(); }
    Container::const_iterator end() const { return m_Notes.end(); }

private:
    std::optional<std::string> Render(int16_t iType, size_t iMaxLength) const;

    Container m_Notes;
};
