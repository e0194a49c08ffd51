#pragma once
// The numbers that name a ringtone's notations and display forms, as the
// converter, the option groups, the settings and the saved files share them.

#include <cstdint>

// The notation a ringtone is read in: the converter's SourceType.
namespace Notation {
constexpr int32_t Rtttl = 0;
constexpr int32_t Composer = 1;
constexpr int32_t Count = 2;
} // namespace Notation

// The form the notes are shown and saved in: the converter's ShowType.
namespace ShowForm {
constexpr int16_t Keypresses = 0;
constexpr int16_t Composer = 1;
constexpr int16_t Rtttl = 2;
constexpr int16_t Count = 3;
} // namespace ShowForm
