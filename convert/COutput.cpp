#include "convert/COutput.h"

#include "files/CFileReplacement.h"
#include "midi/MidiExport.h"
#include "tune/CSoundFile.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Counted(int64_t iCount, const char* sOne, const char* sMany) {
    return std::to_string(iCount) + " " + (iCount == 1 ? sOne : sMany);
}

bool Refused(const CConversion::Result& result) {
    return result.iRefusal != RingToneText::Refusal::None;
}

std::string CannotWrite(const std::string& sPath, const std::string& sReason) {
    return "cannot write " + (sPath.empty() ? "standard output" : sPath) + ": " + sReason;
}

// Standard output, or the one file named, written whole at the end.
class CStream {
public:
    CStream() { m_File.Attach(STDOUT_FILENO); }
    bool Open(const std::string& sPath) {
        m_sPath = sPath;
        return m_File.Open(sPath, true);
    }
    void Write(std::string_view sBytes) { m_File.Write(sBytes); }
    // Empty when everything written arrived, else the message.
    std::string Commit() { return m_File.Commit() ? "" : CannotWrite(m_sPath, m_File.Reason()); }
    std::string Failure() const { return CannotWrite(m_sPath, m_File.Reason()); }
    bool IsFile() const { return !m_sPath.empty(); }

private:
    CFileReplacement m_File;
    std::string m_sPath;
};

// A report or a text form, all of it into one stream.
class CStreamOutput : public COutput {
public:
    CStreamOutput(const COutput::Plan& plan, const Failure& onFailure)
        : COutput(onFailure), m_Plan(plan) {}
    bool Open() { return m_Plan.sPath.empty() || m_Stream.Open(m_Plan.sPath); }
    std::string OpenFailure() const { return m_Stream.Failure(); }

    void Add(const CConversion::Result& result) override {
        m_bAny = true;
        if (m_Plan.bCheck)
            AddCheck(result);
        else if (m_Plan.bJson)
            m_Stream.Write(JsonLine(result));
        else {
            // A refused ringtone keeps its line empty, so that the results
            // stay in step with the input lines. A file ends lines as Save does.
            if (!Refused(result))
                m_Stream.Write(result.sOutput);
            m_Stream.Write(m_Stream.IsFile() ? "\r\n" : "\n");
        }
    }
    void Finish() override {
        if (m_Plan.bCheck) {
            m_Stream.Write("Total: " + Counted(m_iRingTones, "ringtone", "ringtones") + ", " +
                           std::to_string(m_iFit) + " fit the phone, " +
                           std::to_string(m_iTooLong) + " too long, " +
                           std::to_string(m_iWithProblems) + " with problems, " +
                           std::to_string(m_iRefused) + " not converted\n");
        }
        // A report is kept even when it has no ringtone.
        m_bAny = m_bAny || m_Plan.bCheck || m_Plan.bJson;
        // Nothing converted: an existing file stays as it was.
        if (!m_bAny)
            return;
        if (const std::string sFailure = m_Stream.Commit(); !sFailure.empty())
            Fail(sFailure);
    }

private:
    void AddCheck(const CConversion::Result& result) {
        std::string sLine = result.Where() + ": ";
        ++m_iRingTones;
        if (Refused(result)) {
            ++m_iRefused;
            m_Stream.Write(sLine + result.RefusalText() + "\n");
            return;
        }
        const ConversionSummary::Summary& summary = result.Summary;
        sLine += (summary.sName.empty() ? "(no name)" : summary.sName) + ": ";
        sLine += Counted(summary.iNotes, "note", "notes");
        sLine += summary.Fits() ? ", fits (" + std::to_string(summary.Remaining()) + " left), "
                                : ", too long for the phone (50 at most), ";
        const auto iProblems = static_cast<int64_t>(summary.Errors.size());
        m_Stream.Write(sLine + Counted(iProblems, "problem", "problems") + "\n");
        ++(summary.Fits() ? m_iFit : m_iTooLong);
        if (iProblems > 0)
            ++m_iWithProblems;
    }

    // One JSON object on one line. Bytes that are not UTF-8 become U+FFFD
    // rather than stop the output; a sound form describes the sound.
    static std::string JsonLine(const CConversion::Result& result) {
        nlohmann::ordered_json object;
        object["source"] = result.sSource;
        if (result.iLine > 0)
            object["line"] = result.iLine;
        if (Refused(result)) {
            object["refused"] = result.RefusalText();
        } else {
            const ConversionSummary::Summary& summary = result.Summary;
            object["name"] = summary.sName;
            object["tempo"] = summary.iTempo;
            object["notes"] = summary.iNotes;
            if (summary.Fits())
                object["remaining"] = summary.Remaining();
            else
                object["remaining"] = nullptr;
            if (result.Tune) {
                object["text"] = nullptr;
                const double dSeconds = static_cast<double>(result.Tune->TotalSamples()) /
                                        static_cast<double>(CTune::SampleRate);
                object["sound"] = {{"tempo", result.Tune->Tempo()},
                                   {"seconds", std::round(dSeconds * 1000.0) / 1000.0}};
            } else {
                object["text"] = result.sOutput;
            }
            object["errors"] = summary.Errors;
            if (const std::optional<PhoneFit::Result>& fit = result.Fit)
                object["fit"] = {{"octaves", fit->Octaves}, {"folded", fit->Folded},
                                 {"mended", fit->Mended},   {"dropped", fit->Dropped},
                                 {"kept", fit->Kept},       {"of", fit->Of}};
        }
        return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
    }

    COutput::Plan m_Plan;
    CStream m_Stream;
    bool m_bAny = false;
    int64_t m_iRingTones = 0;
    int64_t m_iFit = 0;
    int64_t m_iTooLong = 0;
    int64_t m_iWithProblems = 0;
    int64_t m_iRefused = 0;
};

// Writes a sound or a MIDI file into the place named (a file replaced
// whole, a device or pipe as it is) or onto standard output; the message
// when it failed.
std::string WriteTune(const CConversion::Result& result, const COutputForm& form,
                      const std::string& sPath) {
    CFileReplacement output;
    if (sPath.empty())
        output.Attach(STDOUT_FILENO);
    else if (!output.Open(sPath, true))
        return CannotWrite(sPath, output.Reason());
    if (form.IsMidi()) {
        output.Write(MidiExport::Bytes(*result.Tune, result.Summary.sName));
        return output.Commit() ? "" : CannotWrite(sPath, output.Reason());
    }
    const std::string sReason =
        CSoundFile::Write(*result.Tune, form.SoundKind(), output, {result.Summary.sName, {}});
    return sReason.empty() ? "" : CannotWrite(sPath, sReason);
}

// The one sound asked for, to the file named or to standard output.
class CSoundOutput : public COutput {
public:
    CSoundOutput(const COutput::Plan& plan, const Failure& onFailure)
        : COutput(onFailure), m_Plan(plan) {}
    void Add(const CConversion::Result& result) override {
        if (!result.Tune)
            return;
        if (const std::string sFailure = WriteTune(result, m_Plan.Form, m_Plan.sPath);
            !sFailure.empty())
            Fail(sFailure);
    }

private:
    COutput::Plan m_Plan;
};

// Each ringtone into a file of its own in one folder, named after its input
// with the extension of the form: "tone.txt" gives "tone.KEY" (or
// "tone.mp3"), line 7 of "tunes.txt" with --lines "tunes-7.KEY", standard
// input "stdin.KEY".
class CFolderOutput : public COutput {
public:
    CFolderOutput(const COutput::Plan& plan, const Failure& onFailure)
        : COutput(onFailure), m_Plan(plan) {}
    void Add(const CConversion::Result& result) override {
        if (Refused(result))
            return;
        const std::string sPath = (std::filesystem::path(m_Plan.sPath) / FileName(result)).string();
        // Two inputs of one name in different folders would meet here: the
        // second must not silently replace the first.
        if (!m_Written.insert(sPath).second) {
            Fail("not writing " + sPath + " again for " + result.Where() +
                 ": an earlier input has the same name");
            return;
        }
        if (IsOneOf(sPath, m_Plan.Inputs)) {
            Fail("not writing " + sPath + " for " + result.Where() + ": it is one of the inputs");
            return;
        }
        if (result.Tune) {
            if (const std::string sFailure = WriteTune(result, m_Plan.Form, sPath);
                !sFailure.empty())
                Fail(sFailure);
            return;
        }
        CFileReplacement file;
        if (file.Open(sPath, true)) {
            file.Write(result.sOutput + "\r\n");
            file.Commit();
        }
        if (file.Failed())
            Fail(CannotWrite(sPath, file.Reason()));
    }

private:
    std::string FileName(const CConversion::Result& result) const {
        std::string sStem =
            result.sSource == "-" ? "stdin" : std::filesystem::path(result.sSource).stem().string();
        if (result.iLine > 0)
            sStem += "-" + std::to_string(result.iLine);
        return sStem + m_Plan.Form.Extension();
    }

    COutput::Plan m_Plan;
    std::set<std::string> m_Written;
};

} // namespace

std::unique_ptr<COutput> COutput::For(const Plan& plan, const Failure& onFailure) {
    const bool bReport = plan.bJson || plan.bCheck;
    if (!plan.sPath.empty() && !plan.bFolder && IsOneOf(plan.sPath, plan.Inputs)) {
        onFailure("not writing " + plan.sPath + ": it is one of the inputs");
        return nullptr;
    }
    if (!bReport && plan.bFolder)
        return std::make_unique<CFolderOutput>(plan, onFailure);
    // A sound is written whole by itself, once its ringtone is converted.
    if (!bReport && !plan.Form.IsText())
        return std::make_unique<CSoundOutput>(plan, onFailure);
    auto output = std::make_unique<CStreamOutput>(plan, onFailure);
    if (!output->Open()) {
        onFailure(output->OpenFailure());
        return nullptr;
    }
    return output;
}

bool IsOneOf(const std::string& sPath, const std::vector<std::string>& inputs) {
    struct stat output {};
    if (::stat(sPath.c_str(), &output) != 0)
        return false;
    for (const std::string& sInput : inputs) {
        struct stat input {};
        if (sInput != "-" && ::stat(sInput.c_str(), &input) == 0 && input.st_dev == output.st_dev &&
            input.st_ino == output.st_ino)
            return true;
    }
    return false;
}
