// The text-number rules take a shortcut for texts of plain digits. These
// tables sit on the edges of that shortcut (leading zeros, empty text, four
// against five digits) and on texts just outside it, which must still get the
// full rules.

#include "engine/modNOK.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

struct SameValueCase {
    std::string sA;
    std::string sB;
    bool bSame;
};

void PrintTo(const SameValueCase& c, std::ostream* os) {
    *os << "'" << c.sA << "' '" << c.sB << "'";
}

class SameValueTest : public ::testing::TestWithParam<SameValueCase> {};

TEST_P(SameValueTest, ComparesByValue) {
    const auto& c = GetParam();
    EXPECT_EQ(modNOK::SameValue(c.sA, c.sB), c.bSame) << "'" << c.sA << "' vs '" << c.sB << "'";
    EXPECT_EQ(modNOK::SameValue(c.sB, c.sA), c.bSame) << "'" << c.sB << "' vs '" << c.sA << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Table, SameValueTest,
    ::testing::Values(SameValueCase{"000", "", true}, SameValueCase{"007", "7", true},
                      SameValueCase{"4", "40", false}, SameValueCase{"16", "61", false},
                      SameValueCase{"8", "", false}, SameValueCase{"10", "1", false},
                      SameValueCase{"8", "8.", true}, SameValueCase{" 8", "8", true},
                      SameValueCase{"8c", "8", true}, SameValueCase{"c", "0", true},
                      SameValueCase{"-4", "4", false}));

struct WholeNumberCase {
    std::string sText;
    std::optional<int> iWhole; // none: fails
    const char* sFailure;
};

void PrintTo(const WholeNumberCase& c, std::ostream* os) {
    *os << "'" << c.sText << "'";
}

class WholeNumberTest : public ::testing::TestWithParam<WholeNumberCase> {};

TEST_P(WholeNumberTest, RoundsOrFails) {
    const auto& c = GetParam();
    if (c.iWhole) {
        EXPECT_EQ(modNOK::WholeNumber(c.sText), *c.iWhole) << "'" << c.sText << "'";
        return;
    }
    try {
        modNOK::WholeNumber(c.sText);
        ADD_FAILURE() << "'" << c.sText << "' did not fail";
    } catch (const modNOK::Failure& e) {
        EXPECT_STREQ(e.what(), c.sFailure) << "'" << c.sText << "'";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, WholeNumberTest,
    ::testing::Values(WholeNumberCase{"0", 0, nullptr}, WholeNumberCase{"0000", 0, nullptr},
                      WholeNumberCase{"0032", 32, nullptr}, WholeNumberCase{"9999", 9999, nullptr},
                      WholeNumberCase{"09999", 9999, nullptr},
                      WholeNumberCase{"10000", 10000, nullptr}, WholeNumberCase{"16 ", 16, nullptr},
                      WholeNumberCase{"-8", -8, nullptr}, WholeNumberCase{"8.", 8, nullptr},
                      WholeNumberCase{"", std::nullopt, "Type mismatch"},
                      WholeNumberCase{"8c", std::nullopt, "Type mismatch"},
                      WholeNumberCase{"32768", std::nullopt, "Overflow"}));

} // namespace
