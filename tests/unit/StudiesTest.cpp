// The studies: the worked values users compare against, each study's first bar and a later value
// on a ramp, flat stretches, bars that are not numbers, and specs that are refused.

#include "chart/studies/StudyEngine.h"
#include "chart/studies/StudySpec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

// Bars over columns of their own, as a record source shows them.
class CBars {
public:
    CBars(std::vector<float> close, std::vector<float> high, std::vector<float> low,
          std::vector<float> volume = {})
        : m_close(std::move(close)), m_high(std::move(high)), m_low(std::move(low)),
          m_volume(std::move(volume)) {
        if (m_volume.empty())
            m_volume.assign(m_close.size(), 10);
    }
    // Closes with highs one above and lows one below.
    static CBars Closes(const std::vector<float>& close) {
        std::vector<float> high, low;
        for (const float c : close) {
            high.push_back(c + 1);
            low.push_back(c - 1);
        }
        return CBars(close, high, low);
    }
    CRecordSource Source() const {
        CRecordSource source;
        source.nCount = static_cast<int>(m_close.size());
        source.close = {m_close.data(), 1};
        source.high = {m_high.data(), 1};
        source.low = {m_low.data(), 1};
        source.open = {m_close.data(), 1};
        source.volume = {m_volume.data(), 1};
        return source;
    }
    // Output `output` of the study `spec` at bar `bar`.
    double At(const std::string& spec, std::size_t output, int bar) const {
        StudySpec parsed;
        std::string problem;
        EXPECT_TRUE(ParseStudySpec(spec, parsed, problem)) << problem;
        return ComputeStudy(parsed, Source()).outputs.at(output).at(static_cast<std::size_t>(bar));
    }
    // The first bar with a value of output `output`, -1 when none has one.
    int First(const std::string& spec, std::size_t output = 0) const {
        StudySpec parsed;
        std::string problem;
        EXPECT_TRUE(ParseStudySpec(spec, parsed, problem)) << problem;
        const std::vector<double> values = ComputeStudy(parsed, Source()).outputs.at(output);
        for (std::size_t i = 0; i < values.size(); ++i)
            if (!std::isnan(values[i]))
                return static_cast<int>(i);
        return -1;
    }

private:
    std::vector<float> m_close, m_high, m_low, m_volume;
};

std::vector<float> Ramp(int count) {
    std::vector<float> closes;
    for (int i = 1; i <= count; ++i)
        closes.push_back(float(i));
    return closes;
}

TEST(StudiesTest, WorkedValues) {
    const CBars bars = CBars::Closes({44.34f, 44.09f, 44.15f, 43.61f, 44.33f, 44.83f, 45.10f,
                                      45.42f, 45.84f, 46.08f, 45.89f, 46.03f, 45.61f, 46.28f,
                                      46.28f, 46.00f, 46.03f, 46.41f, 46.22f, 45.64f});
    EXPECT_NEAR(bars.At("rsi:14", 0, 14), 70.4641350, 5e-8);
    EXPECT_NEAR(bars.At("rsi:14", 0, 15), 66.2496186, 5e-8);
    EXPECT_NEAR(bars.At("ema:3", 0, 2), 44.1933333, 5e-8);
    EXPECT_NEAR(bars.At("macd:3,6,2", 0, 6), 0.2033333, 5e-8);
    EXPECT_EQ(bars.First("macd:3,6,2", 2), 6);
    EXPECT_EQ(bars.First("macd:6,3,2", 1), 6); // F > S is taken as S,F
}

// On closes 1, 2, 3, ... with highs one above and lows one below, volume 10 a bar.
TEST(StudiesTest, FirstBarAndALaterValueOfEach) {
    const CBars ramp = CBars::Closes(Ramp(12));
    const struct {
        const char* spec;
        std::size_t output;
        int first;
        double atFirst;
        int later;
        double atLater;
    } cases[] = {
        {"sma:3", 0, 2, 2, 9, 9},
        {"ema:3", 0, 2, 2, 9, 9},
        {"wma:3", 0, 2, 14.0 / 6, 9, 56.0 / 6},
        {"bbands:3,2", 0, 2, 2 + 2 * std::sqrt(2.0 / 3), 9, 9 + 2 * std::sqrt(2.0 / 3)},
        {"bbands:3,2", 1, 2, 2, 9, 9},
        {"bbands:3,2", 2, 2, 2 - 2 * std::sqrt(2.0 / 3), 9, 9 - 2 * std::sqrt(2.0 / 3)},
        {"rsi:3", 0, 3, 100, 11, 100},
        {"macd:2,3,2", 2, 3, 0, 11, 0},
        {"stoch:3,1,1", 0, 2, 75, 11, 75},
        {"stoch:3,2,2", 1, 4, 75, 11, 75},
        {"atr:3", 0, 3, 2, 11, 2},
        {"obv", 0, 0, 10, 11, 120},
        {"roc:3", 0, 3, 300, 11, 100 * (12.0 / 9 - 1)},
        {"mom:3", 0, 3, 3, 11, 3},
        {"willr:3", 0, 2, -25, 11, -25},
        {"cci:3", 0, 2, 100, 11, 100},
        {"dmi:3", 0, 3, 50, 11, 50},
        {"dmi:3", 1, 3, 0, 11, 0},
        {"dmi:3", 2, 5, 100, 11, 100},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ramp.First(c.spec, c.output), c.first) << c.spec << " " << c.output;
        EXPECT_NEAR(ramp.At(c.spec, c.output, c.first), c.atFirst, 1e-9) << c.spec;
        EXPECT_NEAR(ramp.At(c.spec, c.output, c.later), c.atLater, 1e-9) << c.spec;
    }
}

TEST(StudiesTest, ParabolicSarFollowsAndTurns) {
    const CBars bars({9, 10, 11, 8}, {10, 11, 12, 9}, {8, 9, 10, 7});
    EXPECT_TRUE(std::isnan(bars.At("sar:0.02,0.2", 0, 0)));
    EXPECT_DOUBLE_EQ(bars.At("sar:0.02,0.2", 0, 1), 8);
    EXPECT_DOUBLE_EQ(bars.At("sar:0.02,0.2", 0, 2), 8.06);
    EXPECT_DOUBLE_EQ(bars.At("sar:0.02,0.2", 0, 3), 12); // the low of 7 turned it short
}

// Equal highs and lows leave no range: the studies that divide by one give 0.
TEST(StudiesTest, FlatStretchesGiveZero) {
    const CBars flat({5, 5, 5, 5, 5, 5}, {5, 5, 5, 5, 5, 5}, {5, 5, 5, 5, 5, 5});
    for (const char* spec : {"stoch:3,1,1", "willr:3", "cci:3", "rsi:3"})
        EXPECT_EQ(flat.At(spec, 0, 5), 0) << spec;
}

// A bar that is not a number has no value; the study goes on over the bars around it.
TEST(StudiesTest, BarsThatAreNoNumbersAreLeftOut) {
    const CBars bars = CBars::Closes({1, 2, std::numeric_limits<float>::quiet_NaN(), 4, 5});
    EXPECT_DOUBLE_EQ(bars.At("sma:2", 0, 1), 1.5);
    EXPECT_TRUE(std::isnan(bars.At("sma:2", 0, 2)));
    EXPECT_DOUBLE_EQ(bars.At("sma:2", 0, 3), 3);
    EXPECT_DOUBLE_EQ(bars.At("sma:2", 0, 4), 4.5);
    // A study longer than the bars has no value anywhere.
    EXPECT_EQ(bars.First("sma:50"), -1);
}

TEST(StudiesTest, SpecsThatAreRefused) {
    const struct {
        const char* spec;
        const char* problem;
    } cases[] = {
        {"nosuch:3", "unknown study 'nosuch'"},
        {"sma", "sma takes 1 parameter (sma:Length)"},
        {"sma:10,2", "sma takes 1 parameter (sma:Length)"},
        {"bbands:20", "bbands takes 2 parameters (bbands:Length,Deviations)"},
        {"obv:3", "obv takes 0 parameters (obv)"},
        {"sma:0", "sma: Length must be a whole number of bars from 1 to 1000, not '0'"},
        {"sma:2.5", "sma: Length must be a whole number of bars from 1 to 1000, not '2.5'"},
        {"ema:1001", "ema: Length must be a whole number of bars from 1 to 1000, not '1001'"},
        {"rsi:abc", "rsi: Length must be a whole number of bars from 1 to 1000, not 'abc'"},
        {"sar:0.02,", "sar: Maximum must be a number from 0.0001 to 10, not ''"},
    };
    for (const auto& c : cases) {
        StudySpec spec;
        std::string problem;
        EXPECT_FALSE(ParseStudySpec(c.spec, spec, problem)) << c.spec;
        EXPECT_EQ(problem, c.problem);
    }
    StudySpec spec;
    std::string problem;
    ASSERT_TRUE(ParseStudySpec("BBands: 20, 2.0", spec, problem)) << problem;
    EXPECT_EQ(SpecText(spec), "bbands:20,2");
    EXPECT_EQ(OutputName(spec, 0), "bbands(20,2).upper");
    ASSERT_TRUE(ParseStudySpec("sar:0.02,0.2", spec, problem));
    EXPECT_EQ(OutputName(spec, 0), "sar(0.02,0.2)");
}

} // namespace
