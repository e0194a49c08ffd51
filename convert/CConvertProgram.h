#pragma once
// ringwright-convert from start to exit status: reads the command line, then
// converts every ringtone of every input into the report asked for.

class CConvertProgram {
public:
    // Never throws; running out of memory ends with status 2 and a message.
    static int Run(int argc, const char* const* argv);
};
