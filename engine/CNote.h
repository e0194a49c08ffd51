#pragma once
// One note of a ringtone, parsed once from a token in RTTTL or Composer
// notation into two parallel sets of parts, with the keys that enter it on
// the phone's Composer.

#include "engine/CSharedText.h"
#include "engine/Forms.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CNote {
public:
    int32_t SourceType = Notation::Rtttl; // or Notation::Composer
    // The two parts that may take a header default share its one copy.
    CSharedText Duration_Part;
    std::string Dotted_Part;
    std::string Sharp_Part;
    std::string Note_Part;
    CSharedText Octave_Part;
    std::string RDuration_Part;
    std::string RDotted_Part;
    std::string RSharp_Part;
    std::string RNote_Part;
    std::string ROctave_Part;
    std::string Keypresses;

    std::string Full_ComposerNote() const;
    std::string Full_RTTTLNote() const;

    const std::string& NoteBatch() const { return m_sNoteBatch; }
    // Parses the token, builds Keypresses and advances the phone state.
    // Never throws: a failure ends the parse and becomes an error line.
    void setNoteBatch(const std::string& sNewNoteBatch);

    // The error-list lines that this note's own parse added, in order; the
    // process-wide list keeps them as well.
    const std::vector<std::string>& ParseErrors() const { return m_ParseErrors; }

private:
    friend class CNoteStore;

    void ParseRTTTL(std::string_view s);
    void ParseComposer(std::string_view s);
    void BuildKeypresses();

    void KeepParseErrors(size_t iListSizeBefore);

    std::string m_sNoteBatch;
    std::vector<std::string> m_ParseErrors;
};
