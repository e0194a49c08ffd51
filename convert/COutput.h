#pragma once
// Where written text goes: standard output, or a file replaced whole or not
// at all (a device or pipe named as the file is written directly).

#include "files/CFileReplacement.h"

#include <string>
#include <string_view>

class COutput {
public:
    COutput(); // standard output
    COutput(const COutput&) = delete;
    COutput& operator=(const COutput&) = delete;

    // Starts the file sPath. False with a message naming it.
    bool Open(const std::string& sPath, std::string& sError);
    void Write(std::string_view sBytes) { m_File.Write(sBytes); }
    // Everything written arrived: a file is synced and renamed into place.
    // False with a message naming the output otherwise.
    bool Commit(std::string& sError);

private:
    CFileReplacement m_File;
    std::string m_sPath; // empty for standard output
};
