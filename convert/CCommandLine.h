#pragma once
// Reads the command line of ringwright-convert, GNU style.

#include "convert/CConvertOptions.h"

#include <optional>

class CCommandLine {
public:
    // Fills options, or gives the exit status when the program is done
    // already: 0 after --help or --version, 2 after a usage error (with its
    // message on standard error).
    static std::optional<int> Parse(int argc, const char* const* argv, CConvertOptions& options);
};
