#include "files/SaveTarget.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace SaveTarget {

namespace {

std::string FolderOf(const std::string& sPath) {
    const auto iSlash = sPath.rfind('/');
    if (iSlash == std::string::npos)
        return ".";
    return iSlash == 0 ? "/" : sPath.substr(0, iSlash);
}

std::string Resolved(const std::string& sPath) {
    char* pReal = ::realpath(sPath.c_str(), nullptr);
    if (!pReal)
        return sPath;
    std::string sReal = pReal;
    std::free(pReal);
    return sReal;
}

} // namespace

Place Examine(const std::string& sPath) {
    Place place;
    place.sTarget = sPath;
    struct stat link {};
    if (::lstat(sPath.c_str(), &link) != 0)
        return place;
    struct stat target = link;
    if (S_ISLNK(link.st_mode)) {
        if (::stat(sPath.c_str(), &target) != 0) {
            place.iKind = errno == ELOOP ? Kind::LinkLoop : Kind::DanglingLink;
            return place;
        }
        place.sTarget = Resolved(sPath);
    }
    if (S_ISREG(target.st_mode))
        place.iKind = Kind::File;
    else if (S_ISDIR(target.st_mode))
        place.iKind = Kind::Folder;
    else if (S_ISFIFO(target.st_mode))
        place.iKind = Kind::Pipe;
    else if (S_ISCHR(target.st_mode) || S_ISBLK(target.st_mode))
        place.iKind = Kind::Device;
    else
        place.iKind = Kind::Other;
    return place;
}

bool IsWritable(const std::string& sPath) {
    struct stat info {};
    return ::access(sPath.c_str(), W_OK) == 0 && ::stat(sPath.c_str(), &info) == 0 &&
           (info.st_mode & 0222) != 0;
}

std::string KindRefusal(const Place& place, bool bDirect) {
    switch (place.iKind) {
    case Kind::Nothing:
    case Kind::File:
        break;
    case Kind::Folder:
        return "A folder of that name exists";
    case Kind::Pipe:
        return bDirect ? "" : "The name is a pipe, not a plain file";
    case Kind::Device:
        return bDirect ? "" : "The name is a device, not a plain file";
    case Kind::DanglingLink:
        return "The name is a symbolic link to something that does not exist";
    case Kind::LinkLoop:
        return "The name is a symbolic link that leads round in a loop";
    case Kind::Other:
        return "The name is not a plain file";
    }
    return {};
}

std::string Refusal(const Place& place, bool bDirect) {
    if (std::string sRefusal = KindRefusal(place, bDirect); !sRefusal.empty())
        return sRefusal;
    if (place.iKind == Kind::Pipe || place.iKind == Kind::Device)
        return {};
    if (place.iKind == Kind::File && !IsWritable(place.sTarget))
        return "The file is read-only";
    const std::string sFolder = FolderOf(place.sTarget);
    struct stat folder {};
    if (::stat(sFolder.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))
        return "The folder does not exist";
    if (!IsWritable(sFolder))
        return "The folder is read-only";
    return {};
}

} // namespace SaveTarget
