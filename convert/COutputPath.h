#pragma once
// What an output named on the command line is: a folder, a device or pipe
// that is written as it is, or a file that is replaced (through a link, the
// file the link names).

#include <string>

class COutputPath {
public:
    enum Kind { Folder, Device, File };

    explicit COutputPath(const std::string& sPath);

    Kind Is() const { return m_iKind; }
    // The file to replace, or the device, as the system names it.
    const std::string& Target() const { return m_sTarget; }

private:
    Kind m_iKind = File;
    std::string m_sTarget;
};
