#pragma once
// Writes a saved ringtone file: the text as one UTF-8 line ended by CR LF.
// The file is replaced as a whole or not at all, so a save that fails (no
// folder, no permission, disk full) leaves an existing file as it was.

#include <QString>

class CRingToneWriter {
public:
    // Returns true when the file now holds exactly sText + CR LF. Otherwise
    // returns false and puts a short description of the failure (for the
    // user) into sFailure.
    static bool Write(const QString& sPath, const QString& sText, QString& sFailure);
};
