// The command table: the status bar's prompt and the tooltip taken apart, and the Chart menu's
// commands agreeing with what the chart layer does for them.

#include "platform/Commands.h"
#include "chart/ChartCommands.h"

#include <gtest/gtest.h>

#include <variant>

namespace {

TEST(CommandsTest, PromptAndTooltipSplitAtTheFirstLineBreak) {
    const struct {
        const char* prompt;
        const char* status;
        const char* tooltip;
    } cases[] = {
        {"Viewing Options\nViewing Options", "Viewing Options", "Viewing Options"},
        {"Open this document", "Open this document", ""},
        {"Go To Specific Chart\\Go To", "Go To Specific Chart\\Go To", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prompt);
        const CommandInfo command{0, "", c.prompt};
        EXPECT_EQ(PromptOf(command), c.status);
        EXPECT_EQ(TooltipOf(command), c.tooltip);
    }
}

TEST(CommandsTest, FindsTheRowOfAnIdAndNoneForOthers) {
    EXPECT_EQ(FindCommand(ID_CHART_GRID)->id, ID_CHART_GRID);
    EXPECT_EQ(FindCommand(0), nullptr);
}

// A style or a period chosen is a radio item of its group; a flag toggled is a check item.
TEST(CommandsTest, ChartCommandsMarkWhatTheyDo) {
    for (const ChartCommand& chart : kChartCommands) {
        const CommandInfo* command = FindCommand(chart.nId);
        ASSERT_NE(command, nullptr) << chart.nId;
        const CommandGroup group =
            std::holds_alternative<ChartStyle>(chart.action)    ? CommandGroup::ChartStyle
            : std::holds_alternative<ChartPeriod>(chart.action) ? CommandGroup::ChartPeriod
                                                                : CommandGroup::None;
        EXPECT_EQ(command->group, group) << command->text;
        EXPECT_EQ(command->check,
                  group == CommandGroup::None ? CommandCheck::Check : CommandCheck::Radio)
            << command->text;
    }
    for (const CommandInfo& command : Commands()) {
        if (command.group == CommandGroup::ChartStyle ||
            command.group == CommandGroup::ChartPeriod) {
            EXPECT_NE(FindChartCommand(command.id), nullptr) << command.text;
        }
    }
}

// Every style and every period can be chosen, each by one command.
TEST(CommandsTest, EachChartChoiceHasOneCommand) {
    for (const ChartAction choice :
         {ChartAction{ChartStyle::Bars}, ChartAction{ChartStyle::Ohlc},
          ChartAction{ChartStyle::Candles}, ChartAction{ChartStyle::Line},
          ChartAction{ChartPeriod::Stored}, ChartAction{ChartPeriod::Daily},
          ChartAction{ChartPeriod::Weekly}, ChartAction{ChartPeriod::Monthly}}) {
        int count = 0;
        for (const ChartCommand& chart : kChartCommands)
            count += chart.action == choice ? 1 : 0;
        EXPECT_EQ(count, 1) << choice.index();
    }
}

} // namespace
