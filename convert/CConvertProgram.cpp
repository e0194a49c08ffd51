#include "convert/CConvertProgram.h"

#include "convert/CCheckReport.h"
#include "convert/CCommandLine.h"
#include "convert/CConversion.h"
#include "convert/CDiagnostics.h"
#include "convert/CFolderReport.h"
#include "convert/CFormReport.h"
#include "convert/CInputReader.h"
#include "convert/CJsonReport.h"
#include "convert/COutput.h"
#include "convert/CSoundReport.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace {

// Why a sound cannot go to standard output; empty when it can, or goes to a
// file.
std::string StandardOutputRefusal(const CConvertOptions& options) {
    if (!options.sOutput.empty())
        return {};
    if (options.Files.size() > 1 || options.bLines)
        return "several ringtones give several sounds: name a folder for them with -o";
    if (::isatty(STDOUT_FILENO))
        return "not writing sound to a terminal: name a file with -o, or redirect standard output";
    return {};
}

int Convert(const CConvertOptions& options, CDiagnostics& diagnostics) {
    // Several results, or a folder named, give a file per ringtone; a
    // report always goes to one place.
    const bool bReport = options.bJson || options.bCheck;
    std::error_code error;
    const bool bIsFolder = std::filesystem::is_directory(options.sOutput, error);
    const bool bFolder = !bReport && !options.sOutput.empty() &&
                         (options.Files.size() > 1 || options.bLines || bIsFolder);

    // A sound is written whole by itself, once its ringtone is converted.
    const bool bSound = !bReport && !options.Form.IsText();

    COutput output;
    std::string sError;
    // Said once, rather than once for every ringtone.
    if (bFolder && !bIsFolder) {
        diagnostics.Failure("cannot write into " + options.sOutput + ": not a folder");
        return diagnostics.ExitStatus();
    }
    if (!bFolder && !options.sOutput.empty() && options.IsInput(options.sOutput)) {
        diagnostics.Failure("not writing " + options.sOutput + ": it is one of the inputs");
        return diagnostics.ExitStatus();
    }
    if (const std::string sRefusal = bSound ? StandardOutputRefusal(options) : "";
        !sRefusal.empty()) {
        diagnostics.Failure(sRefusal);
        return diagnostics.ExitStatus();
    }
    if (!bFolder && !bSound && !options.sOutput.empty() && !output.Open(options.sOutput, sError)) {
        diagnostics.Failure(sError);
        return diagnostics.ExitStatus();
    }
    std::unique_ptr<CReport> report;
    if (options.bCheck)
        report = std::make_unique<CCheckReport>(output);
    else if (options.bJson)
        report = std::make_unique<CJsonReport>(output);
    else if (bFolder)
        report = std::make_unique<CFolderReport>(options, diagnostics);
    else if (bSound)
        report =
            std::make_unique<CSoundReport>(options.Form.SoundKind(), options.sOutput, diagnostics);
    else
        report = std::make_unique<CFormReport>(options.Form, output, !options.sOutput.empty());

    CConversion conversion(options.Form);
    const CInputReader reader(options.bLines, options.iFrom);
    const auto onRingTone = [&](const CRingToneInput& input) {
        const CConversionResult result = conversion.Run(input);
        diagnostics.Report(result);
        report->Add(result);
    };
    const std::vector<std::string> inputs =
        options.Files.empty() ? std::vector<std::string>{"-"} : options.Files;
    for (const std::string& sInput : inputs)
        if (!reader.Read(sInput, onRingTone, sError))
            diagnostics.Failure(sError);

    report->Finish();
    if (!bFolder && report->HasOutput() && !output.Commit(sError))
        diagnostics.Failure(sError);
    return diagnostics.ExitStatus();
}

} // namespace

int CConvertProgram::Run(int argc, const char* const* argv) {
    // Into files and pipes, whole buffers rather than a write per line: a
    // collection gives thousands of lines. A terminal shows each line as it
    // comes.
    static char outputBuffer[1 << 16];
    static char errorBuffer[1 << 16];
    if (!::isatty(STDOUT_FILENO))
        std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    if (!::isatty(STDERR_FILENO))
        std::setvbuf(stderr, errorBuffer, _IOFBF, sizeof errorBuffer);

    // The messages of the last resort need no memory of their own.
    const auto fail = [](const char* sMessage) {
        std::fputs("ringwright-convert: ", stderr);
        std::fputs(sMessage, stderr);
        std::fputc('\n', stderr);
        return CDiagnostics::Failed;
    };
    int iStatus = 0;
    try {
        CDiagnostics diagnostics;
        CConvertOptions options;
        if (const std::optional<int> iDone = CCommandLine::Parse(argc, argv, options))
            iStatus = *iDone;
        else
            iStatus = Convert(options, diagnostics);
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
