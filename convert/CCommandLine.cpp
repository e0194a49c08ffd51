#include "convert/CCommandLine.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <string>
#include <vector>

#ifndef RINGWRIGHT_VERSION
#define RINGWRIGHT_VERSION "unknown"
#endif

std::optional<int> CCommandLine::Parse(int argc, const char* const* argv,
                                       CConvertOptions& options) {
    CLI::App app("Converts Nokia 3210 ringtones between RTTTL, Composer notation and "
                 "keypresses,\n"
                 "and makes their sound.\n"
                 "Each FILE is one ringtone; no FILE, or \"-\", reads standard input.",
                 "ringwright-convert");
    app.set_version_flag("--version", "ringwright-convert " RINGWRIGHT_VERSION);
    app.get_formatter()->column_width(30);

    const std::vector<std::string> notations = {"rtttl", "composer"};
    std::vector<std::string> forms;
    for (const COutputForm& form : COutputForm::All())
        forms.push_back(form.Name());
    const auto joined = [](const std::vector<std::string>& names) {
        std::string sJoined;
        for (const std::string& sName : names)
            sJoined += (sJoined.empty() ? "" : "|") + sName;
        return sJoined;
    };

    app.add_option("FILE", options.Files, "Ringtone files (default: standard input)")
        ->option_text(" ");
    app.add_flag("--lines", options.bLines, "Every line is one ringtone, as if pasted");
    std::string sFrom;
    app.add_option("-f,--from", sFrom, "Notation read (default: by extension)")
        ->check(CLI::IsMember(notations))
        ->option_text(joined(notations));
    std::string sTo = COutputForm().Name();
    app.add_option("-t,--to", sTo, "Form written (default: keys)")
        ->check(CLI::IsMember(forms))
        ->option_text(joined(forms));
    app.add_option("-o,--output", options.sOutput, "Write to PATH (a folder for several)")
        ->option_text("PATH");
    app.add_flag("--json", options.bJson, "One JSON object per ringtone per line");
    app.add_flag("--check", options.bCheck, "Note counts and problems only, with totals");
    app.footer("The notation is Composer for \".321\" files and RTTTL otherwise, in any letter\n"
               "case. Text forms write one line per ringtone. Sound forms (wav, flac, ogg,\n"
               "mp3) play the tune at its tempo, or at 63 beats per minute when it has no\n"
               "tempo from 25 to 900; without -o a single ringtone's sound goes to standard\n"
               "output, but never to a terminal. With -o, several inputs or --lines write\n"
               "one file per ringtone into the folder PATH, named after its input. With\n"
               "--json or --check no sound is written; --json describes it. Problems go to\n"
               "standard error. Exit status: 0 converted without errors, 1 some ringtone\n"
               "had conversion errors, 2 a usage error or an input or output that could not\n"
               "be read or written.");

    try {
        app.parse(argc, argv);
        if (options.bJson && options.bCheck)
            throw CLI::ExcludesError("--json", "--check");
    } catch (const CLI::ParseError& e) {
        const int iStatus = app.exit(e, std::cout, std::cerr);
        return iStatus == 0 ? 0 : 2;
    }
    options.Form = *COutputForm::ByName(sTo);
    if (!sFrom.empty())
        options.iFrom = sFrom == "composer" ? 1 : 0;
    return std::nullopt;
}
