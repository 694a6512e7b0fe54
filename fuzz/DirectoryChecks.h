#pragma once
// Checks of a whole quote directory: the chart object's listing of MASTER, EMASTER and XMASTER
// and its steps through it, and the export's reading of the folder. Aborts on a finding.

#include <string>

void ExerciseDirectory(const std::string& directory);
