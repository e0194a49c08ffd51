// Fit to Phone over collections of one ringtone per line: the share of tunes
// the phone can take before and after fitting, and of fitted tunes whose
// melody is kept.
//
//   fit_figures [--composer] collection.txt...
//
// A file whose name holds "composer" or ends in ".321" is read as Composer
// notation, any other as RTTTL (--composer reads all as Composer).

#include "engine/CNokia.h"
#include "engine/PhoneFit.h"
#include "engine/modNOK.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

// A note as written, read from the converter's parts: the RTTTL side for
// RTTTL (whose Composer side maps octaves 1 to 3 as if they were Composer
// ones), the Composer side for Composer.
struct Written {
    bool bPause = false;
    bool bPitched = false;
    int iPitch = 0;
    std::string sDuration;
    std::string sDotted;
};

std::vector<Written> ReadWritten(const CNokia& ringtone) {
    static const std::string Letters = "c d ef g a b";
    const bool bRTTTL = ringtone.SourceType == 0;
    // The converter's default octave in force just after its conversion.
    const std::string sDefaultOctave = modNOK::DefaultOctave;
    std::vector<Written> notes;
    for (int32_t i = 1; i <= ringtone.Notes.Count(); ++i) {
        const CNote& note = ringtone.Notes.Item(i);
        Written w;
        w.bPause = note.Note_Part == "-";
        w.sDuration = modNOK::Value(note.Duration_Part);
        w.sDotted = note.Dotted_Part;
        const std::string sLetter = bRTTTL ? note.RNote_Part : note.Note_Part;
        const std::string sSharp = bRTTTL ? note.RSharp_Part : note.Sharp_Part;
        std::string sOctave = bRTTTL ? note.ROctave_Part : note.Octave_Part.str();
        if (bRTTTL && sOctave.empty())
            sOctave = sDefaultOctave;
        if (sLetter.size() == 1 && sLetter[0] != ' ' &&
            Letters.find(sLetter[0]) != std::string::npos && sOctave.size() == 1 &&
            sOctave[0] >= '0' && sOctave[0] <= '9') {
            w.bPitched = true;
            w.iPitch = (sOctave[0] - '0' + (bRTTTL ? 0 : 4)) * 12 +
                       static_cast<int>(Letters.find(sLetter[0])) + (sSharp.empty() ? 0 : 1);
        }
        notes.push_back(w);
    }
    return notes;
}

// Whether the fitted ringtone keeps the melody: its notes are the kept ones
// of the original, each the original moved by the common shift with its
// duration and dot, except at most as many as were counted folded or mended.
bool MelodyKept(const std::vector<Written>& original, const std::vector<Written>& fitted,
                const PhoneFit::Result& r) {
    if (static_cast<int32_t>(fitted.size()) != r.Kept ||
        static_cast<int32_t>(r.Origins.size()) != r.Kept || r.Kept + r.Dropped > r.Of ||
        static_cast<int32_t>(original.size()) != r.Of)
        return false;
    int32_t iChanged = 0;
    int32_t iLastOrigin = 0;
    for (int32_t i = 0; i < r.Kept; ++i) {
        const int32_t iOrigin = r.Origins[static_cast<size_t>(i)];
        if (iOrigin <= iLastOrigin || iOrigin > r.Of)
            return false;
        iLastOrigin = iOrigin;
        const Written& was = original[static_cast<size_t>(iOrigin - 1)];
        const Written& now = fitted[static_cast<size_t>(i)];
        const bool bSame = was.sDuration == now.sDuration && was.sDotted == now.sDotted &&
                           (was.bPause ? now.bPause
                                       : was.bPitched && now.bPitched &&
                                             now.iPitch == was.iPitch + 12 * r.Octaves);
        iChanged += bSame ? 0 : 1;
    }
    return iChanged <= r.Folded + r.Mended;
}

struct Figures {
    int iLines = 0;
    int iReadable = 0;
    int iBefore = 0;
    int iAfter = 0;
    int iKept = 0;
};

double Share(int iPart, int iWhole) {
    return iWhole == 0 ? 0.0 : 100.0 * iPart / iWhole;
}

} // namespace

int main(int argc, char** argv) {
    bool bAllComposer = false;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string sArg = argv[i];
        if (sArg == "--composer")
            bAllComposer = true;
        else
            files.push_back(sArg);
    }
    if (files.empty()) {
        std::cerr << "usage: fit_figures [--composer] collection.txt...\n";
        return 2;
    }
    std::printf("%-22s %7s %9s %10s %9s %13s\n", "file", "tunes", "readable", "before", "after",
                "melody kept");
    for (const std::string& sFile : files) {
        std::ifstream in(sFile, std::ios::binary);
        if (!in) {
            std::cerr << sFile << ": cannot be read\n";
            return 2;
        }
        const bool bComposer = bAllComposer || sFile.find("composer") != std::string::npos ||
                               (sFile.size() > 4 && sFile.substr(sFile.size() - 4) == ".321");
        Figures f;
        std::string sLine;
        while (std::getline(in, sLine)) {
            if (modNOK::TrimBlanks(sLine).empty() || sLine == "\r")
                continue;
            ++f.iLines;
            CNokia original;
            original.SourceType = bComposer ? 1 : 0;
            original.OriginalText = sLine;
            original.Convert();
            const std::vector<Written> written = ReadWritten(original);
            const PhoneFit::Result r = PhoneFit::Fit(original, PhoneFit::FallbackName(""));
            if (r.Kept == 0)
                continue;
            ++f.iReadable;
            f.iBefore += PhoneFit::Enterable(original) ? 1 : 0;
            CNokia fitted;
            fitted.SourceType = original.SourceType;
            fitted.OriginalText = r.Text;
            fitted.Convert();
            const bool bClean = modNOK::GetErrors().empty();
            if (bClean && PhoneFit::Enterable(fitted))
                ++f.iAfter;
            else
                std::cerr << sFile << ": not enterable after fit: " << r.Text << "\n";
            if (MelodyKept(written, ReadWritten(fitted), r))
                ++f.iKept;
            else
                std::cerr << sFile << ": melody changed: " << sLine << "\n  -> " << r.Text << "\n";
        }
        const std::string sName = sFile.substr(sFile.find_last_of('/') + 1);
        std::printf("%-22s %7d %9d %9.1f%% %8.1f%% %12.1f%%\n", sName.c_str(), f.iLines,
                    f.iReadable, Share(f.iBefore, f.iReadable), Share(f.iAfter, f.iReadable),
                    Share(f.iKept, f.iReadable));
    }
    return 0;
}
