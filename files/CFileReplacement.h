#pragma once
// Writes a file whole or not at all: a temporary file beside the one it
// replaces, every write, the size and the sync checked, the old file's
// permissions kept, and only then the rename. A pipe or device that the
// command line names is written as it is.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CFileReplacement {
public:
    CFileReplacement() = default;
    CFileReplacement(const CFileReplacement&) = delete;
    CFileReplacement& operator=(const CFileReplacement&) = delete;
    // Whatever was not committed is abandoned.
    ~CFileReplacement();

    // Starts writing sPath, refusing what SaveTarget refuses; bDirect lets a
    // pipe or device be written as it is. False with Reason().
    bool Open(const std::string& sPath, bool bDirect);
    // Writes onto an open descriptor (standard output), which stays open.
    void Attach(int fd);
    // A file of its own in sFolder, unnamed from the start, for output that
    // must be made whole before it is copied on.
    bool OpenUnnamed(const std::string& sFolder);
    // Whether the output can seek: a file, as opposed to a pipe or device.
    bool Seekable() const { return !m_bDirect; }

    // At the position, moving it on. False once anything has failed.
    bool Write(const void* pBytes, size_t iCount);
    bool Write(std::string_view sBytes) { return Write(sBytes.data(), sBytes.size()); }
    // For encoders that go back to fill in a header; -1 where the output
    // cannot seek (a pipe).
    int64_t Seek(int64_t iOffset, int iWhence);
    int64_t Read(void* pBytes, size_t iCount);
    int64_t Position() const { return m_iPosition; }
    int64_t Length() const { return m_iLength; }

    // A failure found by the writer itself (an encoder's): the commit fails.
    void Fail(const std::string& sReason);
    bool Failed() const { return !m_sReason.empty(); }
    // The system's reason for the first failure ("No space left on device").
    const std::string& Reason() const { return m_sReason; }

    // Flushes, checks the size, syncs and renames into place (a device is
    // flushed and closed). On failure the old file stays and the new one goes.
    bool Commit();
    // Removes the new file; the old one stays as it was.
    void Abandon();

private:
    void Reset();
    bool Flush();
    bool Put(const char* pBytes, size_t iCount);
    void FailWith(int iError);

    int m_fd = -1;
    bool m_bOwned = false;  // closed here
    bool m_bDirect = false; // written as it is, no rename
    std::string m_sTarget;
    std::string m_sTemporary;
    std::string m_Buffer;
    int64_t m_iPosition = 0; // where the next write goes
    int64_t m_iFlushed = 0;  // where the buffer starts
    int64_t m_iLength = 0;
    std::string m_sReason;
};
