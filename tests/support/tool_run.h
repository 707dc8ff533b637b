// Test support: runs the built zdltool with arguments and collects what it
// printed (standard output and error together) and its exit status.
#pragma once

#include <string>

#include "support/temp_folder.h"

struct ToolRun {
    int status;
    std::string output;
};

// `arguments` are passed through the shell as written; the output goes to a
// file in `folder`. Only available where the build knows the tool (ZD_TOOL).
ToolRun runTool(const TempFolder& folder, const std::string& arguments);
