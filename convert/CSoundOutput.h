#pragma once
// Writes a ringtone's sound where the command line says: a file, replaced
// only once the new one is complete; a device or pipe as it is; or standard
// output.

#include "tune/CSoundFile.h"

#include <string>

class CTune;

class CSoundOutput {
public:
    // False with a message naming the output when it could not be written;
    // an existing file is then as it was.
    static bool ToPath(const CTune& tune, CSoundFile::Kind iKind, const std::string& sPath,
                       const std::string& sTitle, std::string& sError);
    static bool ToStandardOutput(const CTune& tune, CSoundFile::Kind iKind,
                                 const std::string& sTitle, std::string& sError);
};
