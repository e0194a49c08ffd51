#pragma once
// Where each converted ringtone goes: every output of ringwright-convert
// (the form written to one place, a file per ringtone in a folder, a sound,
// JSON Lines, the check lines) is one of these.

#include "convert/CConversion.h"
#include "convert/COutputForm.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class COutput {
public:
    // What the command line asks of the output.
    struct Plan {
        COutputForm Form;
        std::string sPath; // empty: standard output
        bool bFolder = false;
        bool bJson = false;
        bool bCheck = false;
        std::vector<std::string> Inputs; // never replaced by an output
    };
    // Told each output that could not be written, in a message naming it.
    using Failure = std::function<void(const std::string& sMessage)>;

    // The output the plan asks for; null with the failure told when its one
    // file cannot be started.
    static std::unique_ptr<COutput> For(const Plan& plan, const Failure& onFailure);

    virtual ~COutput() = default;
    virtual void Add(const CConversion::Result& result) = 0;
    // After the last ringtone: a file written whole is put in place, unless
    // nothing worth keeping was written.
    virtual void Finish() {}

protected:
    explicit COutput(Failure onFailure) : m_OnFailure(std::move(onFailure)) {}
    void Fail(const std::string& sMessage) const { m_OnFailure(sMessage); }

private:
    Failure m_OnFailure;
};

// Whether sPath is the very file of one of the inputs (the same device and
// inode, whatever the names).
bool IsOneOf(const std::string& sPath, const std::vector<std::string>& inputs);
