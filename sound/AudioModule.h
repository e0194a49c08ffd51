#pragma once
// Loads the audio module, which brings in Qt Multimedia and the desktop's
// sound libraries, on first use rather than at start-up.

#include "sound/CAudioOutput.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace AudioModule {

// Where the module is looked for, in order: beside the installed program,
// then, for a program run from the build tree, where the build put it.
QStringList Places();

// The module's entry from the first of places that loads, or null with the
// reason in sError.
MakeAudioOutput Load(const QStringList& places, QString& sError);

// An output from the module at Places() (loaded once), or null with the
// reason in sError.
std::unique_ptr<CAudioOutput> Make(std::function<void()> fnLost, QString& sError);

} // namespace AudioModule
