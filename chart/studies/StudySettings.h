#pragma once
// The studies a user chose, kept for every folder and run in section "Studies" of the settings,
// never in "ViewOptions":
//
//   "Count"    how many studies follow
//   "Study<k>" the k-th study as its spec, "bbands:20,2" (k from 1)
//   "Color<k>" its colour, "#RRGGBB"
//   "Width<k>" its lines' width, 1 to 5
//   "Height<k>" the height of its pane, in percent of the height a pane gets (25 to 400)
//
// A study whose spec or colour cannot be read is left out; a width or height out of range takes
// the nearest one allowed.

#include "chart/studies/StudyList.h"

#include <vector>

class Settings;

constexpr char kStudiesSection[] = "Studies";
constexpr int kMinStudyWidth = 1, kMaxStudyWidth = 5;
constexpr int kMinPaneHeight = 25, kMaxPaneHeight = 400;

std::vector<StudyInstance> LoadStudies(Settings& settings);
// False when the store refused a value.
bool StoreStudies(Settings& settings, const std::vector<StudyInstance>& studies);
