#pragma once
// The main window's settings kept between runs: the keys under "Settings",
// their defaults and value texts, read once at start-up and written once at
// closing, in a store kept a plain file.

#include "engine/Forms.h"

#include <QString>
#include <cstdint>
#include <optional>

struct CProgramFolders;

namespace CConverterSettings {
struct Values {
    int32_t SourceType = Notation::Rtttl;
    int16_t ShowType = ShowForm::Keypresses;
    // Empty when no folder is remembered under either key: a first run.
    QString RingToneFolder;
    // "True" or "False" as stored; nothing for any other text.
    std::optional<bool> FromFile;
};

// The current option numbers are the defaults for a store that holds
// none. A stored number that is no whole number, or names no option,
// gives the first option.
Values Read(int32_t iSourceType, int16_t iShowType);

// Every key is written, one after the other; one that cannot be stored
// keeps neither the others from being written nor the window open. An
// unknown FromFile is written as "False".
void Write(const Values& values);

// The remembered folder while it still holds an ordinary file; otherwise
// the folder a first run starts in.
QString StartFolder(const QString& sRemembered, const CProgramFolders& folders);

// Whether the store may be opened now: a plain file, or nothing yet,
// stands in its place. A pipe, a device or a broken link there can hold
// no settings, and reading one would block start-up or closing for ever;
// it counts as no settings and is removed. False only when something
// else is there and cannot be removed.
bool PrepareFile();

// Where the store keeps its values for this user.
QString FilePath();
} // namespace CConverterSettings
