#pragma once
// A study (a technical indicator): its parameters, its outputs and a pure computation over a
// security's bars. Each study is one small unit (Sma.cpp, Rsi.cpp, ...) that defines a StudyType;
// StudyTable.cpp registers them all. Values follow the conventions of the most widely used
// open-source technical-analysis library, so that they agree with what users compare against.
//
// A computation sees only the bars whose inputs are finite numbers (StudyInputs), oldest first,
// in double precision; the engine (StudyEngine.h) gives the bars left out no value and puts the
// rest back where they stand. An output has no value (NaN) before its first bar.

#include "chart/ChartSeries.h"

#include <span>
#include <string_view>
#include <vector>

// What a study reads of a bar; a bar is left out when any of it is not a finite number.
enum class StudyInputs { Close, HighLowClose, CloseVolume };

struct StudyParameter {
    const char* pszName;
    double dDefault;
    double dMin, dMax;
    bool bLength; // a whole number of bars
};

struct StudyOutput {
    const char* pszName; // empty for a study's only output
    SeriesKind kind;     // how the chart draws it
};

// The bars a computation sees: those whose inputs are all finite, oldest first.
struct StudyBars {
    std::span<const double> high, low, close, volume;
    int Count() const { return static_cast<int>(close.size()); }
};

// outputs[k][i] is output k at bar i, NaN before it is first given.
using StudyCompute = void (*)(const StudyBars& bars, std::span<const double> parameters,
                              std::vector<std::vector<double>>& outputs);

struct StudyType {
    const char* pszName;  // as the spec names it: "sma"
    const char* pszTitle; // as menus show it: "Simple Moving Average"
    std::span<const StudyParameter> parameters;
    std::span<const StudyOutput> outputs;
    StudyInputs inputs;
    bool bOverlay; // drawn over the price bars, else in a pane of its own
    bool bFixedRange;
    double dMin, dMax;
    std::span<const double> references; // levels a pane marks with a dotted line
    StudyCompute compute;
};

// Every study, in the order the Studies dialog offers them.
std::span<const StudyType* const> StudyTypes();
// The study of that name (as the spec writes it, in any case), or null.
const StudyType* FindStudyType(std::string_view name);
