#pragma once
// A chart object over a scratch directory, with settings in memory and scripted messages: the
// common ground of the tests of its symbol directory.

#include "chart/Bars.h"
#include "platform/MemorySettings.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

class CChartFixture : public ::testing::Test {
protected:
    // The last close of the loaded rows, which the tests' price files make tell them apart.
    float LastClose() const {
        const QuoteBuffer& quotes = m_bars.GetQuotes();
        return quotes.close.Value(quotes.count - 1);
    }

    CTempDir m_dir;
    CMemorySettings m_settings;
    CScriptedMessages m_messages;
    CBars m_bars{m_settings, m_messages};
};
