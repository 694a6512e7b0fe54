#pragma once
// All securities of one quote folder, as a reader of the whole folder sees them: the MASTER
// entries (with the long names of an EMASTER that agrees with MASTER), or EMASTER's own entries
// when there is no usable MASTER, then the entries of XMASTER. Unlike the chart's directory, it
// never repairs a MASTER and takes each entry's price file from the entry itself, so that every
// security is read from its own files.

#include "quotes/PriceFile.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One security; the texts are the stored bytes and stay valid only during the callback.
struct FolderSecurity {
    PriceSource source;
    std::string_view symbol; // MASTER: the symbol as the directory lists it (its first word)
    std::string_view name;   // the long name when there is one, else the name, trailing blanks cut
    std::string_view shortName; // the entry's own name, trailing blanks cut
    std::string_view longName;  // the long name of EMASTER, empty when there is none
};

enum class FolderNoteKind {
    kIgnored, // an index file is not used, but no security is lost by it
    kLost,    // an index file cannot be used, so securities of the folder may be missing
};

struct FolderVisitor {
    std::function<void(const FolderSecurity&)> security;
    std::function<void(FolderNoteKind, const std::string&)> note;
};

// Visits the securities of `folder` (empty or ending in a separator) in directory order and gives
// the names of the subdirectories that its MASTER lists, in file order. False when the folder
// has no usable index file at all.
bool ReadQuoteFolder(const std::string& folder, const FolderVisitor& visitor,
                     std::vector<std::string>& subdirectories);
