#pragma once
// Whether a file read as a MASTER can be one. A text, a picture or random bytes saved under the
// name MASTER would otherwise be listed as entries with blank symbols and offered for the repair,
// which rewrites the file: so nothing is listed or repaired before the file passes this check.
//
// A MASTER is a 53-byte header and whole 53-byte records (a piece shorter than a record may
// follow), as many as its header counts; each record is a subdirectory entry ("<DIR>") or names a
// price file by a file number from 1 to 255 that no other entry uses, with a record length of 4 to
// 76 bytes and 1 to 19 fields, as price files have them. Every real folder we know of passes.

#include "quotes/MasterFile.h"

#include <string>

// Why `contents` cannot be a MASTER ("its header counts 4 entries, but it holds 3"), or an empty
// text when it can.
std::string WhyNotAMaster(const MasterContents& contents);

// The message that refuses the file at `path`: "The file\n<path>\nis not a MASTER file: <why>."
std::string NotAMasterMessage(const std::string& path, const std::string& why);
