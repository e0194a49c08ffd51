#pragma once
// Writes a saved ringtone file: the text as one UTF-8 line ended by CR LF.
// The file is replaced as a whole or not at all, so a save that fails (no
// folder, no permission, disk full, a name that is no plain file in the
// folder) leaves an existing file as it was.

#include <QString>

class CRingToneWriter {
public:
    // Writes sFileName in sFolder. Returns true when the file now holds
    // exactly sText + CR LF. Otherwise returns false and puts a short
    // description of the failure (for the user) into sFailure.
    static bool Write(const QString& sFolder, const QString& sFileName, const QString& sText,
                      QString& sFailure);
};
