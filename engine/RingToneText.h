#pragma once
// The written forms of a ringtone, as saved to a file or copied to the
// clipboard.

#include <cstdint>
#include <string>

namespace RingToneText {

// name + header of the form + body. The RTTTL header takes the defaults in
// force; any show type other than 0 and 1 is written as RTTTL.
std::string Format(const std::string& sName, const std::string& sTempo, int16_t iShowType,
                   const std::string& sBody);

// ".KEY", ".321" or ".TXT" (the last for any other show type too).
std::string Extension(int16_t iShowType);

} // namespace RingToneText
