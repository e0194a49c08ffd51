#pragma once
// What the command line of ringwright-convert asks for.

#include "convert/COutputForm.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CConvertOptions {
    std::vector<std::string> Files; // empty: standard input
    bool bLines = false;
    std::optional<int32_t> iFrom; // the notation, unless found by extension
    COutputForm Form;
    std::string sOutput; // empty: standard output
    bool bJson = false;
    bool bCheck = false;
};
