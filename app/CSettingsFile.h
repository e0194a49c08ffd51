#pragma once
// Keeps the settings store a plain file. A pipe, a device or a broken link
// in its place can hold no settings, and reading one would block start-up
// or closing for ever; it counts as no settings and is removed, so that the
// settings can be written as a plain file again.

#include <QString>

class CSettingsFile {
public:
    // Whether the store may be opened now: the user has a home folder, and
    // a plain file, or nothing yet, stands in the store's place. False
    // without a home (HOME unset or naming no folder), where the store would
    // fall back on the root folder, and when something else is there and
    // cannot be removed.
    static bool Prepare();

    // Where the store keeps its values for this user.
    static QString Path();
};
