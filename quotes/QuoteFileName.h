#pragma once
// The names of the files that make up a quote folder.

#include <string_view>

// True for MASTER, EMASTER, XMASTER and the price files F<n>.DAT, F<n>.DOP and F<n>.MWD, in any
// case: the files a quote folder is read from.
bool IsQuoteFileName(std::string_view name);
