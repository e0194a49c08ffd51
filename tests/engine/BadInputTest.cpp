// Texts that are not ringtones, or barely: whatever arrives, the engine
// converts without failing towards its caller and reports problems as
// error-list lines.

#include "engine/CNokia.h"
#include "engine/modNOK.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace std::string_literals;

namespace {

struct CleanCase {
    std::string sRaw;
    std::string sClean;
};

void PrintTo(const CleanCase& c, std::ostream* os) {
    *os << ::testing::PrintToString(c.sRaw);
}

class CleanNoteTextTest : public ::testing::TestWithParam<CleanCase> {};

TEST_P(CleanNoteTextTest, RemovesLineEndsAndOuterBlanks) {
    EXPECT_EQ(modNOK::CleanNoteText(GetParam().sRaw), GetParam().sClean);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CleanNoteTextTest,
    ::testing::Values(CleanCase{"  4c1,\r\n8d1,  ", "4c1,8d1"}, CleanCase{"4c1\r\n8d1", "4c18d1"},
                      CleanCase{"a,,", "a,"}, CleanCase{"", ""}, CleanCase{"\r\n\r\n\n\r", ""},
                      CleanCase{"\na\rb\nc\r", "abc"}, CleanCase{"\n\n  a  \r\r", "a"},
                      CleanCase{" \n \r ,", ""}, CleanCase{"a\0b\n\0"s, "a\0b\0"s},
                      CleanCase{"\nc,\r", "c"}, CleanCase{"   ", ""},
                      CleanCase{" \r \n x \n \r ", "x"}, CleanCase{"a \n b", "a  b"},
                      CleanCase{"c,,\n", "c,"}));

} // namespace
