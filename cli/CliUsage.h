#pragma once
// How tickvane-cli is called: the one table from which its --help, its usage message, its manual
// page and its bash and zsh completion are made.

#include "platform/UsageText.h"

const ProgramUsage& CliUsage();
