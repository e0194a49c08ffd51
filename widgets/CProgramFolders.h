#pragma once
// The folders the program finds its own files in, worked out from the folder
// its executable runs from.

#include <QString>

// A value made once at start-up from the running executable's folder and
// handed to the windows and dialogs that need it, rather than asked of the
// application where it is used: a test or a benchmark hands in a folder of
// its own, and the program keeps no setting aside for that.
struct CProgramFolders {
    // The folder of the running executable.
    QString OwnFolder;

    // Where the program's own files (the user guide) lie: beside the program
    // in a build, <prefix>/share/ringwright once installed.
    QString DataFolder() const;

    // The ringtone folder a first run starts in: the program's own folder
    // while the user may write there, else the user's home folder (an
    // installed program lives in a system folder that saves could not use).
    QString RingToneFolder() const;
};
