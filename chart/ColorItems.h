#pragma once
// The colourable items of the chart, in the order the stored "Colors" text and the View Options
// list give them, and the eight basic colours they are painted in.

constexpr int kPaletteSize = 8;
constexpr int kColorItemCount = 10;

enum ColorItem {
    kItemBackground,
    kItemAxes,
    kItemHighLowBar,
    kItemCloseTick,
    kItemNormalText,
    kItemTitleText,
    kItemCloseTickText,
    kItemMovingAverage1,
    kItemMovingAverage2,
    kItemVolume,
};
