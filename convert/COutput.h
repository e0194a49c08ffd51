#pragma once
// Where written bytes go: standard output, or a file that is written under a
// temporary name beside its place and renamed into place only once complete,
// so that a failed write leaves an existing file as it was. A device or a
// pipe named as the file is written directly.

#include <cstdio>
#include <string>
#include <string_view>

class COutput {
public:
    COutput() = default; // standard output
    COutput(const COutput&) = delete;
    COutput& operator=(const COutput&) = delete;
    // A file never committed is removed.
    ~COutput();

    // Starts the file sPath. False with a message naming it.
    bool Open(const std::string& sPath, std::string& sError);
    void Write(std::string_view sBytes);
    // Flushes; a file is synced and renamed into place. False with a message
    // naming the output when anything written did not arrive.
    bool Commit(std::string& sError);

private:
    std::string Named() const;

    std::FILE* m_pFile = stdout;
    std::string m_sPath;   // as named
    std::string m_sTarget; // the file replaced
    std::string m_sTemporary;
    bool m_bDirect = false; // a device or pipe, written as it is
    int m_iError = 0;
};
