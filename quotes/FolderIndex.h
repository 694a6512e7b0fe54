#pragma once
// The index files of one quote folder read as one directory: the MASTER entries (with the long
// names of an EMASTER that agrees with MASTER), or EMASTER's own entries when the folder is read
// without MASTER, then the securities of XMASTER. Every reader of a folder's securities, the
// chart's directory and the export alike, lists them through this one.
//
// MASTER is read and checked (MasterCheck.h) before anything else, and the caller decides then,
// before EMASTER or XMASTER are opened, whether it is used: a damaged MASTER may be repaired in
// between, or set aside.

#include "quotes/IndexFiles.h"
#include "quotes/MasterFile.h"
#include "quotes/PriceFile.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

enum class IndexFileKind { kMaster, kEmaster, kXmaster };

// One entry of the directory. The texts are the stored bytes and stay valid only during the
// callback.
struct FolderEntry {
    IndexFileKind file;
    PriceSource source;
    // MASTER: as the directory lists it (the first word, or a damaged entry's name); EMASTER and
    // XMASTER: as stored, maybe empty.
    std::string_view symbol;
    // MASTER: its 16 bytes with their blanks; EMASTER: its 16-byte name; XMASTER: the name.
    std::string_view name;
    // MASTER: the long name of an agreeing EMASTER, or empty; EMASTER: its own, maybe empty;
    // XMASTER: the name.
    std::string_view longName;
    const MasterRecord* record; // the MASTER entry (a "<DIR>" entry too); null for the others
    // The index's dates of the first and last records, (C)YYMMDD as the records store them.
    float firstDate = 0;
    float lastDate = 0;
};

enum class MasterState {
    kAbsent,     // no file of that name
    kUnreadable, // not a regular file, or it cannot be opened
    kNotAMaster, // read, but no MASTER (MasterCheck.h)
    kRead,
};

struct MasterFound {
    MasterState state = MasterState::kAbsent;
    std::string name;    // kUnreadable: the name under which the file exists
    std::string problem; // kUnreadable: why (UnreadableReason); kNotAMaster: WhyNotAMaster's text
    std::size_t entries = 0; // kRead: the entries, "<DIR>" entries too
    bool damaged = false;    // kRead: some entry's symbol is empty, so it is listed by its name
};

// EMASTER once its entries are given (and before the MASTER entries are), XMASTER after its own.
struct IndexFileRead {
    IndexFileKind file;
    IndexFileState state;
    bool agrees; // EMASTER: MASTER is used and takes its long names
};

struct FolderIndexVisitor {
    // Once MASTER is read and checked and closed, before anything else. Gives false to read the
    // folder without it; a MASTER that is not kRead is never used, whatever it gives.
    std::function<bool(const MasterFound&)> master;
    std::function<void(const FolderEntry&)> entry;
    std::function<void(const IndexFileRead&)> indexFile;
};

struct FolderIndexResult {
    bool masterUsed = false;
    IndexFileState emaster = IndexFileState::kAbsent;
    IndexFileState xmaster = IndexFileState::kAbsent;
};

// Reads the index files of `folder` (empty or ending in a separator) in directory order. The
// MASTER read is the file `masterPath`, or, when that is empty, the folder's MASTER found by name
// in any case. Entries of an index file that fails on the way have been given before its state
// says so.
FolderIndexResult ReadFolderIndex(const std::string& folder, const std::string& masterPath,
                                  const FolderIndexVisitor& visitor);
