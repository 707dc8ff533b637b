#include "arguments.h"

bool inputAndOutput(const Arguments& arguments, std::string& input, std::string& output) {
    input.clear();
    output.clear();
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "-o" && i + 1 < arguments.size() && output.empty())
            output = arguments[++i];
        else if (input.empty() && arguments[i] != "-o")
            input = arguments[i];
        else
            return false;
    }
    return !input.empty();
}
