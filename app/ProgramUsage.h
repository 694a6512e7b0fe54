#pragma once
// How the desktop program is called: the one table from which its --help, its usage message and
// its manual page are made.

#include "platform/UsageText.h"

const ProgramUsage& TickvaneUsage();
