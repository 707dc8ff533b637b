// Argument parsing shared by the commands that read one file and write another.
#pragma once

#include "commands.h"

// Reads "INPUT [-o OUTPUT]" (the option may come first). False when the input
// is missing or something else is given.
bool inputAndOutput(const Arguments& arguments, std::string& input, std::string& output);
