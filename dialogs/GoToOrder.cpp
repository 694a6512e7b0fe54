#include "dialogs/GoToOrder.h"

#include "chart/Bars.h"

#include <algorithm>
#include <numeric>

namespace {

unsigned char Fold(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

} // namespace

bool FoldedLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Fold(x) < Fold(y); });
}

std::vector<int> SortedEntries(const CBars& bars, int sorting) {
    std::vector<int> order(static_cast<std::size_t>(std::max(bars.GetSymbolCount(), 0)));
    std::iota(order.begin(), order.end(), 0);
    if (sorting != kSortSymbol && sorting != kSortName)
        return order;
    std::vector<std::string_view> keys(order.size());
    for (int i : order) {
        const char* text = sorting == kSortSymbol ? bars.GetSymbol(i) : bars.GetName(i);
        keys[static_cast<std::size_t>(i)] = text ? text : "";
    }
    // Stable: the same as inserting each entry in front of the first strictly greater one.
    std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
        return FoldedLess(keys[static_cast<std::size_t>(a)], keys[static_cast<std::size_t>(b)]);
    });
    return order;
}
