#pragma once
// A study as a user names it: "sma:10", "bbands:20,2", "sar:0.02,0.2", "obv" - the study's name,
// then after a colon its parameters, as many as it has, separated by commas. Its outputs are named
// after it with the parameters in brackets: "sma(10)", "bbands(20,2).upper".

#include "chart/studies/Study.h"

#include <string>
#include <string_view>
#include <vector>

struct StudySpec {
    const StudyType* pType = nullptr;
    std::vector<double> parameters;
};

// False, with `problem` saying what is wrong with `text`, for an unknown name, a wrong count of
// parameters, or a parameter that is not a number in its range (a length a whole number of bars
// from 1 to 1,000).
bool ParseStudySpec(std::string_view text, StudySpec& spec, std::string& problem);
// The study with its default parameters.
StudySpec DefaultSpec(const StudyType& type);

// "bbands:20,2"
std::string SpecText(const StudySpec& spec);
// "bbands(20,2)"
std::string SpecTitle(const StudySpec& spec);
// "bbands(20,2).upper"; the title alone for a study's only output.
std::string OutputName(const StudySpec& spec, std::size_t output);
// A parameter's value as the shortest text that reads back as it.
std::string NumberText(double value);
