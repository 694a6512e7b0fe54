#pragma once
// The walk of tickvane-cli export over a quote folder and the folders that its MASTER lists
// ("<DIR>" entries), depth first in file order, as deep as MASTER folders nest. A folder that two
// entries (or a link back up the tree) lead to is visited once.

#include "platform/FolderFiles.h"
#include "quotes/QuoteFolder.h"

#include <functional>
#include <string>

struct FolderWalkVisitor {
    // A security of the folder that `files` lists.
    std::function<void(const CFolderFiles& files, const FolderSecurity& security)> security;
    // What went wrong with a folder, in words that start with the folder; `lost` when securities
    // may be missing because of it.
    std::function<void(const std::string& text, bool lost)> problem;
};

// `folder` is empty (the working directory) or ends in a separator.
void WalkQuoteFolders(const std::string& folder, const FolderWalkVisitor& visitor);

// The folder that `input` names: the path itself, or the folder of the index file it names
// (ending in a separator, or empty for the working directory). False for anything else.
bool QuoteFolderOf(const std::string& input, std::string& folder);
