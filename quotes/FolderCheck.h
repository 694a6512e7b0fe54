#pragma once
// The health of one quote folder: every index file, every price file and every record checked,
// each thing found wrong given as a Finding (Finding.h). The codes:
//
//   index-damaged          an index file that cannot be used (or a MASTER whose symbols are lost)
//   emaster-disagrees      an EMASTER that does not list what MASTER lists
//   symbol-duplicate       a symbol that two entries share
//   price-file-missing     an entry whose F<n>.DAT or F<n>.MWD is absent
//   price-file-unreadable  one that is there but no regular file
//   price-file-unlisted    an F<n>.DAT or F<n>.MWD that no index file lists
//   record-length          a record length that no price file has, or a file that is no whole
//                          number of records of it
//   record-count           a header count that disagrees with the records the file holds
//   fields-undeterminable  no F<n>.DOP, no field bits, and a record length that says nothing
//   dop-damaged            an F<n>.DOP that cannot be read or names no date or fields beyond
//                          the records
//   date-invalid, date-order, date-duplicate, price-not-positive, price-not-finite,
//   high-below-low, close-outside-range, open-outside-range, volume-negative   (RecordCheck.h)
//   last-date-stale        the index's last date later than the file's last record
//   first-date-disagrees   the index's first date other than the file's first record
//
// Errors are data that cannot be read or is read wrongly; warnings are data that reads but is
// suspect. Nothing is written.

#include "quotes/Finding.h"

#include <cstddef>
#include <string>

// Checks the folder `folder` (empty or ending in a separator) and gives each finding to `report`
// in the order index files, entries in directory order (their files, then their records), files
// no index lists. The number of findings.
std::size_t CheckFolder(const std::string& folder, const FindingSink& report);
