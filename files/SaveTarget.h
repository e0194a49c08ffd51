#pragma once
// What is at a path a save is about to write, and whether the save may
// write it: the one answer for Save, Save as Sound and the command line.

#include <string>

namespace SaveTarget {

enum class Kind {
    Nothing,      // the save creates the file
    File,         // a plain file, or a symbolic link to one
    Folder,       // a folder, or a link to one
    Pipe,         // a FIFO
    Device,       // a character or block device
    DanglingLink, // a symbolic link to nothing
    LinkLoop,     // symbolic links that lead round in a loop
    Other         // a socket, or anything else that is no plain file
};

struct Place {
    Kind iKind = Kind::Nothing;
    // The file a save replaces: the path itself, or through symbolic links
    // the file they name.
    std::string sTarget;
};

Place Examine(const std::string& sPath);

// Whether a file or folder may be written: the system allows it and some
// write permission is set (root is allowed anything, but a file marked
// read-only is left alone all the same).
bool IsWritable(const std::string& sPath);

// Why a save may not write whatever is at the place, empty when it may: a
// pipe or device is refused unless bDirect.
std::string KindRefusal(const Place& place, bool bDirect);

// Why a save may not write the place, empty when it may. A pipe or device
// is refused unless bDirect (the command line writes it as it is). A plain
// file must be writable, and a new one needs a writable folder.
std::string Refusal(const Place& place, bool bDirect);

} // namespace SaveTarget
