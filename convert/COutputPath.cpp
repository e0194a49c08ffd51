#include "convert/COutputPath.h"

#include <filesystem>

COutputPath::COutputPath(const std::string& sPath) : m_sTarget(sPath) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(sPath, error);
    if (!std::filesystem::exists(status))
        return;
    if (std::filesystem::is_directory(status)) {
        m_iKind = Folder;
    } else if (!std::filesystem::is_regular_file(status)) {
        // Renaming a file onto a device or a pipe (/dev/stdout, a FIFO)
        // would replace it.
        m_iKind = Device;
    } else {
        const std::filesystem::path target = std::filesystem::canonical(sPath, error);
        if (!target.empty())
            m_sTarget = target.string();
    }
}
