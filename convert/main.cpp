// ringwright-convert from start to exit status: the options and their
// parsing, what is said on standard error, and the run that converts every
// ringtone of every input into the output asked for.
#include "convert/CConversion.h"
#include "convert/CInputReader.h"
#include "convert/COutput.h"
#include "convert/COutputForm.h"
#include "engine/Forms.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#ifndef RINGWRIGHT_VERSION
#define RINGWRIGHT_VERSION "unknown"
#endif

namespace {

enum ExitStatus {
    Clean = 0,      // every ringtone converted without an error line
    ErrorLines = 1, // some ringtone had conversion errors
    Failed = 2      // a usage error, or an input or output not read or written
};

struct Options {
    std::vector<std::string> Files; // empty: standard input
    bool bLines = false;
    std::optional<int32_t> iFrom; // the notation, unless found by extension
    bool bMidi = false;           // --from midi: every input is a MIDI file
    int iTrack = 0;               // the line of a MIDI file; 0 for its default
    bool bListTracks = false;
    COutputForm Form;
    std::string sOutput; // empty: standard output
    bool bJson = false;
    bool bCheck = false;
    bool bFit = false;
    bool bFormGiven = false; // --to was given
};

// Fills options, or gives the exit status when the program is done already:
// after --help or --version, or a usage error (with its message).
std::optional<int> Parse(int argc, const char* const* argv, Options& options) {
    CLI::App app("Converts Nokia 3210 ringtones between RTTTL, Composer notation and "
                 "keypresses,\n"
                 "and makes their sound; reads and writes MIDI files.\n"
                 "Each FILE is one ringtone; no FILE, or \"-\", reads standard input.",
                 "ringwright-convert");
    app.set_version_flag("--version", "ringwright-convert " RINGWRIGHT_VERSION);
    app.get_formatter()->column_width(30);

    const std::vector<std::string> notations = {"rtttl", "composer", "midi"};
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
    CLI::Option* pTo =
        app.add_option("-t,--to", sTo, "Form written (default: keys, or as -o's extension)")
            ->check(CLI::IsMember(forms))
            ->option_text(joined(forms));
    app.add_option("-o,--output", options.sOutput, "Write to PATH (a folder for several)")
        ->option_text("PATH");
    app.add_flag("--json", options.bJson, "One JSON object per ringtone per line");
    app.add_option("--track", options.iTrack, "The line of a MIDI file (default: the most notes)")
        ->check(CLI::PositiveNumber)
        ->option_text("N");
    app.add_flag("--list-tracks", options.bListTracks, "List the lines of MIDI files, and exit");
    app.add_flag("--check", options.bCheck, "Note counts and problems only, with totals");
    app.add_flag("--fit", options.bFit, "Fit every ringtone to the phone first");
    app.footer(
        "The notation is Composer for \".321\" files, MIDI for \".mid\" and \".midi\" files\n"
        "and RTTTL otherwise, in any letter case. A MIDI file gives the melody of one\n"
        "line (a track's channel, drums left out) as RTTTL. Text forms write one line\n"
        "per ringtone. Sound forms (wav, flac, ogg, mp3) and midi play the tune at\n"
        "its tempo, or at 63 beats per minute when it has no tempo from 25 to 900;\n"
        "without -o a single ringtone's sound or MIDI file goes to standard output,\n"
        "but never to a terminal. With -o, several inputs or --lines write one file\n"
        "per ringtone into the folder PATH, named after its input. With --json or\n"
        "--check no sound is written; --json describes it. --fit rewrites each\n"
        "ringtone as the window's Fit to Phone does (octave shift, mended notes, the\n"
        "first phrase of at most 50 notes) and writes the fitted one. Problems go to\n"
        "standard error. Exit status: 0 converted without errors, 1 some ringtone\n"
        "written had conversion errors, 2 a usage error or an input or output that\n"
        "could not be read or written.");

    try {
        app.parse(argc, argv);
        if (options.bJson && options.bCheck)
            throw CLI::ExcludesError("--json", "--check");
        if (sFrom == "midi" && options.bLines)
            throw CLI::ExcludesError("--from midi", "--lines");
    } catch (const CLI::ParseError& e) {
        // Every message of the program begins with its name.
        std::ostringstream error;
        const int iStatus = app.exit(e, std::cout, error);
        if (!error.str().empty())
            std::cerr << "ringwright-convert: " << error.str();
        return iStatus == 0 ? Clean : Failed;
    }
    options.Form = *COutputForm::ByName(sTo);
    options.bFormGiven = pTo->count() > 0;
    options.bMidi = sFrom == "midi";
    if (!sFrom.empty() && !options.bMidi)
        options.iFrom = sFrom == "composer" ? Notation::Composer : Notation::Rtttl;
    return std::nullopt;
}

// What is said on standard error, and the exit status it adds up to.
class CDiagnostics {
public:
    // Every error-list line of the ringtone, the 50-note message, the tempo
    // a sound plays at instead of its own, or why it was refused, each as
    // "SOURCE[:LINE]: " + the line, standard input named as such. A fitted
    // ringtone: the problems as read, what Fit did, then any left.
    void Report(const CConversion::Result& result) {
        const std::string sWhere =
            (result.sSource == "-" ? "standard input" + result.Where().substr(1) : result.Where()) +
            ": ";
        if (result.iRefusal != RingToneText::Refusal::None) {
            Line(sWhere + result.RefusalText());
            Raise(Failed);
            return;
        }
        Problems(sWhere, result.AsRead ? *result.AsRead : result.Summary);
        if (result.Fit)
            Line(sWhere + PhoneFit::Summary(*result.Fit));
        if (result.AsRead)
            Problems(sWhere, result.Summary);
        if (!result.Summary.Errors.empty())
            Raise(ErrorLines);
        if (result.Tune && result.Tune->TempoReplaced())
            Line(sWhere + result.TempoText());
    }
    void Failure(const std::string& sMessage) {
        Line("ringwright-convert: " + sMessage);
        Raise(Failed);
    }
    ExitStatus Status() const { return m_iStatus; }

private:
    static void Problems(const std::string& sWhere, const ConversionSummary::Summary& summary) {
        for (const std::string& sError : summary.Errors)
            Line(sWhere + sError);
        if (!summary.Fits())
            Line(sWhere + RingToneText::TooManyNotes);
    }
    static void Line(const std::string& sText) {
        std::fwrite(sText.data(), 1, sText.size(), stderr);
        std::fputc('\n', stderr);
    }
    void Raise(ExitStatus iStatus) {
        if (iStatus > m_iStatus)
            m_iStatus = iStatus;
    }

    ExitStatus m_iStatus = Clean;
};

// Why a sound cannot go to standard output; empty when it can, or goes to
// a file.
std::string StandardOutputRefusal(const Options& options) {
    if (!options.sOutput.empty())
        return {};
    const bool bMidi = options.Form.IsMidi();
    if (options.Files.size() > 1 || options.bLines)
        return std::string("several ringtones give several ") + (bMidi ? "MIDI files" : "sounds") +
               ": name a folder for them with -o";
    if (::isatty(STDOUT_FILENO))
        return std::string("not writing ") + (bMidi ? "MIDI" : "sound") +
               " to a terminal: name a file with -o, or redirect standard output";
    return {};
}

ExitStatus Run(const Options& options, bool bFolder, CDiagnostics& diagnostics);

// Every input read as a MIDI file, a line of standard output for each of
// its lines: "SOURCE: N: "NAME", track T, channel C, instrument I, K
// notes", the default marked.
ExitStatus ListTracks(const Options& options) {
    CDiagnostics diagnostics;
    const std::vector<std::string> inputs =
        options.Files.empty() ? std::vector<std::string>{"-"} : options.Files;
    std::string sList;
    for (const std::string& sInput : inputs) {
        CMidiFile file;
        std::string sError;
        if (!CInputReader::ReadMidi(sInput, file, sError)) {
            diagnostics.Failure(sError);
            continue;
        }
        const std::string sSource = (sInput == "-" ? "standard input" : sInput) + ": ";
        for (size_t i = 0; i < file.Lines().size(); ++i) {
            const CMidiLine& line = file.Lines()[i];
            sList += sSource + std::to_string(i + 1) + ": " +
                     (line.TrackName.empty() ? "(no name)" : "\"" + line.TrackName + "\"") +
                     ", track " + std::to_string(line.Track) + ", channel " +
                     std::to_string(line.Channel) + ", " +
                     (line.Program < 0 ? "no instrument"
                                       : "instrument " + std::to_string(line.Program + 1)) +
                     ", " + std::to_string(line.Melody.size()) +
                     (line.Melody.size() == 1 ? " note" : " notes") +
                     (i == file.DefaultLine() ? ", the default\n" : "\n");
        }
    }
    std::fwrite(sList.data(), 1, sList.size(), stdout);
    if (std::fflush(stdout) != 0)
        diagnostics.Failure("cannot write standard output: " + std::string(std::strerror(errno)));
    return diagnostics.Status();
}

ExitStatus Convert(const Options& options) {
    if (options.bListTracks)
        return ListTracks(options);
    CDiagnostics diagnostics;
    // Several results, or a folder named, give a file per ringtone; a
    // report always goes to one place.
    const bool bReport = options.bJson || options.bCheck;
    std::error_code error;
    const bool bIsFolder = std::filesystem::is_directory(options.sOutput, error);
    const bool bFolder = !bReport && !options.sOutput.empty() &&
                         (options.Files.size() > 1 || options.bLines || bIsFolder);
    // Said once, rather than once for every ringtone.
    if (bFolder && !bIsFolder) {
        const bool bExists = std::filesystem::exists(options.sOutput, error);
        diagnostics.Failure("cannot write into " + options.sOutput +
                            (bExists ? ": not a folder" : ": the folder does not exist"));
        return diagnostics.Status();
    }
    // One file named: its extension names the form, unless --to says it.
    Options chosen = options;
    if (const std::optional<COutputForm> named = COutputForm::ByExtension(options.sOutput);
        named && !bReport && !bFolder && !options.sOutput.empty()) {
        if (options.bFormGiven && named->Id() != options.Form.Id()) {
            diagnostics.Failure("--to " + options.Form.Name() + " contradicts the extension of " +
                                options.sOutput);
            return diagnostics.Status();
        }
        chosen.Form = *named;
    }
    return Run(chosen, bFolder, diagnostics);
}

ExitStatus Run(const Options& options, bool bFolder, CDiagnostics& diagnostics) {
    const bool bReport = options.bJson || options.bCheck;
    if (const std::string sRefusal =
            !bReport && !options.Form.IsText() ? StandardOutputRefusal(options) : "";
        !sRefusal.empty()) {
        diagnostics.Failure(sRefusal);
        return diagnostics.Status();
    }
    const std::vector<std::string> inputs =
        options.Files.empty() ? std::vector<std::string>{"-"} : options.Files;
    const COutput::Plan plan{options.Form,  options.sOutput, bFolder,
                             options.bJson, options.bCheck,  inputs};
    const std::unique_ptr<COutput> output =
        COutput::For(plan, [&](const std::string& sMessage) { diagnostics.Failure(sMessage); });
    if (!output)
        return diagnostics.Status();

    CConversion conversion(options.Form, options.bFit);
    const CInputReader reader(options.bLines, options.iFrom, options.bMidi, options.iTrack);
    const auto onRingTone = [&](const CInputReader::RingTone& input) {
        const CConversion::Result result = conversion.Run(input);
        diagnostics.Report(result);
        output->Add(result);
    };
    std::string sError;
    for (const std::string& sInput : inputs)
        if (!reader.Read(sInput, onRingTone, sError))
            diagnostics.Failure(sError);
    output->Finish();
    return diagnostics.Status();
}

} // namespace

int main(int argc, char** argv) {
    // Into files and pipes, whole buffers rather than a write per line: a
    // collection gives thousands of lines. A terminal shows each line as it
    // comes.
    static char errorBuffer[1 << 16];
    if (!::isatty(STDERR_FILENO))
        std::setvbuf(stderr, errorBuffer, _IOFBF, sizeof errorBuffer);

    // The messages of the last resort need no memory of their own.
    const auto fail = [](const char* sMessage) {
        std::fputs("ringwright-convert: ", stderr);
        std::fputs(sMessage, stderr);
        std::fputc('\n', stderr);
        return Failed;
    };
    int iStatus = Clean;
    try {
        Options options;
        if (const std::optional<int> iDone = Parse(argc, argv, options))
            iStatus = *iDone;
        else
            iStatus = Convert(options);
    } catch (const std::bad_alloc&) {
        iStatus = fail("out of memory");
    } catch (const std::exception& e) {
        iStatus = fail(e.what());
    } catch (...) {
        iStatus = fail("unknown failure");
    }
    std::fflush(stderr);
    return iStatus;
}
