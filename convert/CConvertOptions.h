#pragma once
// What the command line of ringwright-convert asks for.

#include "convert/COutputForm.h"

#include <cstdint>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

struct CConvertOptions {
    std::vector<std::string> Files; // empty: standard input
    bool bLines = false;
    std::optional<int32_t> iFrom; // the notation, unless found by extension
    COutputForm Form;
    std::string sOutput; // empty: standard output
    bool bJson = false;
    bool bCheck = false;

    // Whether sPath is the very file of an input (the same device and inode,
    // whatever the names): an output never replaces its own input.
    bool IsInput(const std::string& sPath) const {
        struct stat output {};
        if (::stat(sPath.c_str(), &output) != 0)
            return false;
        for (const std::string& sInput : Files) {
            struct stat input {};
            if (sInput != "-" && ::stat(sInput.c_str(), &input) == 0 &&
                input.st_dev == output.st_dev && input.st_ino == output.st_ino)
                return true;
        }
        return false;
    }
};
