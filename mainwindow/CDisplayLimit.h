#pragma once
// How much the results box is given to show: a display text longer than
// anyone could read is left out whole, and the window says why instead.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>

class CNotes;

class CDisplayLimit {
public:
    // Some 16,000 lines of the box: far beyond any ringtone a phone holds,
    // and still shown at once.
    static constexpr std::size_t MaxLength = 1024 * 1024;

    // The notes in display form iForm, or nothing when that text would be
    // longer than MaxLength bytes; the long text is never built.
    static std::optional<QString> NotesText(const CNotes& notes, int16_t iForm);

    // For the message line, while the box stays empty.
    static QString TooLongMessage();
};
