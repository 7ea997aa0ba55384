#include <cmath>
#include <limits>
#include <ostream>

#include <gtest/gtest.h>

#include "calculators.h"
#include "support/fake_window.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct RatioCase {
    const char* currentPower;
    const char* currentDistance;
    const char* proposedPower;
    const char* proposedDistance;
    double CalculatorForm::*result;
    double expected;  // NaN: any not-a-number
    const char* shown;
};

void PrintTo(const RatioCase& c, std::ostream* os)
{
    *os << c.currentPower << " W at " << c.currentDistance << " mi, proposed "
        << c.proposedPower << " W / " << c.proposedDistance << " mi";
}

class RatioCalculator : public ::testing::TestWithParam<RatioCase> {};

TEST_P(RatioCalculator, FillsTheEmptyProposedValueBitForBit)
{
    const RatioCase& c = GetParam();
    CalculatorForm form;
    FakeWindow window(form);
    window.Type(IDC_CURRENT_POWER, c.currentPower);
    window.Type(IDC_CURRENT_DISTANCE, c.currentDistance);
    window.Type(IDC_PROPOSED_POWER, c.proposedPower);
    window.Type(IDC_PROPOSED_DISTANCE, c.proposedDistance);

    OnCalculateRatio(form, window);

    if (std::isnan(c.expected))
        EXPECT_TRUE(std::isnan(form.*c.result));
    else
        EXPECT_EQ(Bits(form.*c.result), Bits(c.expected)) << form.*c.result;
    EXPECT_EQ(window.reads, 1);
    EXPECT_EQ(window.writes, 1);
    const int shownIn = c.result == &CalculatorForm::m_proposedDistance
                            ? IDC_PROPOSED_DISTANCE
                            : IDC_PROPOSED_POWER;
    EXPECT_EQ(window.texts[shownIn], c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RatioCalculator,
    ::testing::Values(
        // 100 W reaches 10 miles; 400 W reaches twice as far.
        RatioCase{"100", "10", "400", "0", &CalculatorForm::m_proposedDistance, 20.0, "20"},
        RatioCase{"5", "2", "0", "4", &CalculatorForm::m_proposedPower, 20.0, "20"},
        // The step order rounds differently from 5 * sqrt(75 / 3), which is 25.
        RatioCase{"3", "5", "75", "0", &CalculatorForm::m_proposedDistance,
                  25.000000000000004, "25.000000000000004"},
        RatioCase{"3", "7", "5", "0", &CalculatorForm::m_proposedDistance,
                  9.03696114115064, "9.03696114115064"},
        // No current power: the ratio is infinite.
        RatioCase{"0", "10", "400", "0", &CalculatorForm::m_proposedDistance, kInfinity, "inf"},
        RatioCase{"0", "10", "0", "5", &CalculatorForm::m_proposedPower, 0.0, "0"},
        // No current distance: the ratio is zero.
        RatioCase{"100", "0", "400", "0", &CalculatorForm::m_proposedDistance, 0.0, "0"},
        RatioCase{"100", "0", "0", "5", &CalculatorForm::m_proposedPower, kInfinity, "inf"},
        // Nothing current at all: 0 / 0.
        RatioCase{"0", "0", "400", "0", &CalculatorForm::m_proposedDistance, NAN, "nan"},
        RatioCase{"0", "0", "0", "5", &CalculatorForm::m_proposedPower, NAN, "nan"},
        // The square root of a negative number, with no message.
        RatioCase{"100", "10", "-400", "0", &CalculatorForm::m_proposedDistance, NAN, "nan"},
        // A proposed field holding not-a-number, or minus zero, counts as empty.
        RatioCase{"100", "10", "400", "nan", &CalculatorForm::m_proposedDistance, 20.0, "20"},
        RatioCase{"5", "2", "-nan", "4", &CalculatorForm::m_proposedPower, 20.0, "20"},
        RatioCase{"100", "10", "400", "-0", &CalculatorForm::m_proposedDistance, 20.0, "20"}));

TEST(RatioCalculatorSteps, DifferFromTheClosedFormInTheLastBit)
{
    // The shortcut formula would hide a wrong step order: it gives exactly 25.
    EXPECT_EQ(5.0 * std::sqrt(75.0 / 3.0), 25.0);
    CalculatorForm form;
    FakeWindow window(form);
    window.Type(IDC_CURRENT_POWER, "3");
    window.Type(IDC_CURRENT_DISTANCE, "5");
    window.Type(IDC_PROPOSED_POWER, "75");
    window.Type(IDC_PROPOSED_DISTANCE, "0");
    OnCalculateRatio(form, window);
    EXPECT_NE(form.m_proposedDistance, 25.0);
    // The scratch fields hold the last steps' values.
    EXPECT_EQ(form.m_scale, 10.0);
    EXPECT_EQ(form.m_ratio, 10.0 / (3.0 / 25.0));
    EXPECT_EQ(form.m_workPower, 75.0);
    EXPECT_EQ(form.m_workDistance, form.m_proposedDistance);
}

TEST(RatioCalculatorNoResult, BothOrNeitherProposedValueMakesNoWritePass)
{
    const char* pairs[][2] = {{"0", "0"}, {"400", "20"}, {"nan", "-0"}, {" ", ""}};
    for (const auto& pair : pairs) {
        CalculatorForm form;
        FakeWindow window(form);
        window.Type(IDC_CURRENT_POWER, "100");
        window.Type(IDC_CURRENT_DISTANCE, "10");
        window.Type(IDC_PROPOSED_POWER, pair[0]);
        window.Type(IDC_PROPOSED_DISTANCE, pair[1]);
        OnCalculateRatio(form, window);
        EXPECT_EQ(window.reads, 1) << pair[0] << " / " << pair[1];
        EXPECT_EQ(window.writes, 0) << pair[0] << " / " << pair[1];
        EXPECT_EQ(window.texts[IDC_PROPOSED_POWER], pair[0]);
        EXPECT_EQ(window.texts[IDC_PROPOSED_DISTANCE], pair[1]);
    }
}

TEST(RatioCalculatorNoResult, SecondClickAfterAResultChangesNothing)
{
    CalculatorForm form;
    FakeWindow window(form);
    window.Type(IDC_CURRENT_POWER, "100");
    window.Type(IDC_CURRENT_DISTANCE, "10");
    window.Type(IDC_PROPOSED_POWER, "400");
    OnCalculateRatio(form, window);
    ASSERT_EQ(window.texts[IDC_PROPOSED_DISTANCE], "20");
    OnCalculateRatio(form, window);
    EXPECT_EQ(window.reads, 2);
    EXPECT_EQ(window.writes, 1);
}

TEST(RatioCalculatorBadField, CalculatesOnWhatTheFormHoldsAndRepairsTheText)
{
    CalculatorForm form;
    FakeWindow window(form);
    window.Type(IDC_CURRENT_POWER, "100");
    window.Type(IDC_CURRENT_DISTANCE, "10");
    window.Type(IDC_PROPOSED_POWER, "400");
    window.UpdateData(true);

    window.Type(IDC_CURRENT_DISTANCE, "5");
    window.Type(IDC_CURRENT_POWER, "abc");
    window.Type(IDC_PROPOSED_POWER, "900");
    OnCalculateRatio(form, window);

    EXPECT_EQ(window.messages, 1);
    // Row 1 (distance) was read, row 2 (power) stopped the pass, so the
    // proposed power 900 never reached the form.
    EXPECT_EQ(form.m_currentDistance, 5.0);
    EXPECT_EQ(form.m_currentPower, 100.0);
    EXPECT_EQ(form.m_proposedPower, 400.0);
    EXPECT_EQ(form.m_proposedDistance, 10.0);  // 5 * sqrt(400 / 100)
    EXPECT_EQ(window.texts[IDC_CURRENT_POWER], "100");
    EXPECT_EQ(window.texts[IDC_PROPOSED_POWER], "400");
}

struct FrequencyCase {
    const char* frequency;
    std::int32_t waveFactor;
    double expected;
    const char* shown;
};

void PrintTo(const FrequencyCase& c, std::ostream* os)
{
    *os << c.frequency << " MHz, wave factor " << c.waveFactor;
}

class WavelengthCalculator : public ::testing::TestWithParam<FrequencyCase> {};

TEST_P(WavelengthCalculator, Divides984ByTheFrequency)
{
    const FrequencyCase& c = GetParam();
    CalculatorForm form;
    FakeWindow window(form);
    window.Type(IDC_WAVELENGTH_FREQUENCY, c.frequency);
    OnCalculateWavelength(form, window);
    EXPECT_EQ(Bits(form.m_wavelength), Bits(c.expected)) << form.m_wavelength;
    EXPECT_EQ(window.texts[IDC_WAVELENGTH], c.shown);
    EXPECT_EQ(window.writes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WavelengthCalculator,
    ::testing::Values(FrequencyCase{"146.52", -1, 6.715806715806715, "6.715806715806715"},
                      FrequencyCase{"0.5", -1, 1968.0, "1968"},
                      FrequencyCase{"-984", -1, -1.0, "-1"},
                      FrequencyCase{"inf", -1, 0.0, "0"},
                      FrequencyCase{"1e-308", -1, kInfinity, "inf"}));

class AntennaCalculator : public ::testing::TestWithParam<FrequencyCase> {};

TEST_P(AntennaCalculator, DividesTheWaveFactorConstantByTheFrequency)
{
    const FrequencyCase& c = GetParam();
    CalculatorForm form;
    FakeWindow window(form);
    window.Type(IDC_ANTENNA_FREQUENCY, c.frequency);
    window.Choose(c.waveFactor);
    OnCalculateAntenna(form, window);
    EXPECT_EQ(Bits(form.m_antennaLength), Bits(c.expected)) << form.m_antennaLength;
    EXPECT_EQ(window.texts[IDC_ANTENNA_LENGTH], c.shown);
    EXPECT_EQ(window.selection, c.waveFactor);
    EXPECT_EQ(window.writes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AntennaCalculator,
    ::testing::Values(FrequencyCase{"146.52", 2, 1.597051597051597, "1.597051597051597"},
                      FrequencyCase{"7.2", 1, 65.0, "65"},
                      FrequencyCase{"146", 0, 4.006849315068493, "4.006849315068493"},
                      FrequencyCase{"28.4", 3, 4.119718309859155, "4.119718309859155"}));

TEST(FrequencyCalculatorsNoResult, EmptyFrequencyOrNoWaveFactorLeavesTheResultShown)
{
    for (const char* frequency : {"0", "-0", "", "nan"}) {
        CalculatorForm form;
        FakeWindow window(form);
        form.m_wavelength = 12.5;
        form.m_antennaLength = 3.25;
        window.Type(IDC_WAVELENGTH, "12.5");
        window.Type(IDC_ANTENNA_LENGTH, "3.25");
        window.Type(IDC_WAVELENGTH_FREQUENCY, frequency);
        window.Type(IDC_ANTENNA_FREQUENCY, frequency);
        window.Choose(1);
        OnCalculateWavelength(form, window);
        OnCalculateAntenna(form, window);
        EXPECT_EQ(window.reads, 2) << frequency;
        EXPECT_EQ(window.writes, 0) << frequency;
        EXPECT_EQ(form.m_wavelength, 12.5);
        EXPECT_EQ(form.m_antennaLength, 3.25);
    }
    for (std::int32_t factor : {-1, 4, 100, -2}) {
        CalculatorForm form;
        FakeWindow window(form);
        window.Type(IDC_ANTENNA_FREQUENCY, "10");
        window.Type(IDC_ANTENNA_LENGTH, "7");
        window.Choose(factor);
        OnCalculateAntenna(form, window);
        EXPECT_EQ(window.writes, 0) << factor;
        EXPECT_EQ(window.texts[IDC_ANTENNA_LENGTH], "7");
    }
}

}  // namespace
