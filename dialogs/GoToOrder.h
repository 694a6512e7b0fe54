#pragma once
// The orders of the Go To list: directory order, by symbol or by name. Keys compare byte by byte
// as unsigned values with the letters A to Z taken as a to z; a key that is a prefix of another is
// the smaller. Entries with equal keys keep their directory order.

#include <string_view>
#include <vector>

class CBars;

enum GoToSorting { kSortMasterOrder, kSortSymbol, kSortName, kSortingCount };

bool FoldedLess(std::string_view a, std::string_view b);

// Directory indexes of the entries in the order `sorting`; directory order for an unknown one.
std::vector<int> SortedEntries(const CBars& bars, int sorting);
