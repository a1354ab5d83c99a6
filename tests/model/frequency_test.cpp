#include "model/frequency.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

constexpr int k5k = 0, k625 = 1, k10k = 2, k125 = 3, k25k = 4;

struct NormCase {
    const char* name;
    const char* text;
    const char* range;
    int step;
    const char* expected;  // nullptr: skipped
};

class Normalise : public ::testing::TestWithParam<NormCase> {};

TEST_P(Normalise, GivesTheNineCharacterForm)
{
    const auto& c = GetParam();
    const auto result = normaliseFrequency(c.text, c.range, c.step);
    if (c.expected == nullptr) {
        EXPECT_FALSE(result.has_value()) << *result;
    } else {
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(*result, c.expected);
    }
}

const NormCase kCases[] = {
    {"six_point_twenty_five_raster_is_padded", "462.5625", "400-470MHz", k25k, "462.56250"},
    {"whole_number_gets_point_and_zeros", "450", "400-470MHz", k25k, "450.00000"},
    {"rises_to_next_5k_before_next_6k25", "462.5631", "400-470MHz", k25k, "462.56500"},
    {"rises_to_next_6k25_before_next_5k", "400.0123", "400-470MHz", k25k, "400.01250"},
    {"below_low_edge_becomes_low_edge", "399", "400-470MHz", k25k, "400.00000"},
    {"fraction_below_low_edge_becomes_low_edge", "399.99999", "400-470MHz", k25k, "400.00000"},
    {"above_high_edge_is_high_minus_25k", "480", "400-470MHz", k25k, "469.97500"},
    {"inverted_range_raises_to_low_then_cuts_below_high", "420", "470-400MHz", k25k, "399.97500"},
    {"inverted_range_above_both_edges_cuts_below_high", "480", "470-400MHz", k25k, "399.97500"},
    {"above_high_edge_is_high_minus_12k5", "471", "400-470MHz", k125, "469.98750"},
    {"above_high_edge_is_high_minus_10k", "471", "400-470MHz", k10k, "469.99000"},
    {"above_high_edge_is_high_minus_5k", "471", "400-470MHz", k5k, "469.99500"},
    {"above_high_edge_is_high_minus_6k25", "471", "400-470MHz", k625, "469.99375"},
    {"just_above_high_edge_counts_as_above", "470.00001", "400-470MHz", k25k, "469.97500"},
    {"exactly_high_edge_stays", "470", "400-470MHz", k25k, "470.00000"},
    {"on_6k25_raster_stays", "446.00625", "400-470MHz", k25k, "446.00625"},
    {"digits_below_100hz_are_cut", "446.006249", "400-470MHz", k25k, "446.00625"},
    {"trailing_point_is_a_whole_number", "450.", "400-470MHz", k25k, "450.00000"},
    {"five_digit_text_is_megahertz_then_clamped", "46255", "400-470MHz", k25k, "469.97500"},
    {"no_limits_from_empty_range_no_clamp", "399", "", k25k, "399.00000"},
    {"no_limits_from_unprogrammed_range", "480.0031", "FFF-FFFMHz", k25k, "480.00500"},
    {"no_limits_still_raster", "430.0001", "", k25k, "430.00500"},
    {"huge_number_without_limits_stays_finite", "99999999999999999999", "", k25k, "999999999999."},
    {"above_550_mhz_no_raster", "600.0001", "", k25k, "600.00010"},
    {"small_number_gets_at_most_six_zeros", "5", "", k25k, "5.000000"},
    {"four_digit_megahertz_is_padded_to_nine", "1000", "", k25k, "1000.0000"},
    {"empty_text_is_skipped", "", "400-470MHz", k25k, nullptr},
    {"lone_point_is_skipped", ".", "400-470MHz", k25k, nullptr},
    {"two_points_are_skipped", "446.0.1", "400-470MHz", k25k, nullptr},
    {"letters_are_skipped", "abc", "400-470MHz", k25k, nullptr},
    {"alias_text_is_skipped", "CH-1", "400-470MHz", k25k, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Examples, Normalise, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qx
