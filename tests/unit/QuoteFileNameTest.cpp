// The names of the files that make up a quote folder.

#include "quotes/QuoteFileName.h"

#include <gtest/gtest.h>

namespace {

TEST(QuoteFileNameTest, NamesTheFilesOfAQuoteFolderInAnyCase) {
    for (const char* name : {"MASTER", "emaster", "XMaster", "F1.DAT", "f12.dop", "F300.mwd"})
        EXPECT_TRUE(IsQuoteFileName(name)) << name;
    for (const char* name : {"MASTER.bak", "F.DAT", "FX.DAT", "F1.CSV", "G1.DAT", "F1DAT", "",
                             "chart.png", "F1.DAT.part"})
        EXPECT_FALSE(IsQuoteFileName(name)) << name;
}

} // namespace
