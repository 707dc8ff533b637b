// zdltool check GAMEFOLDER [PACK]: every level of every pack (or of one) checked
// against the game folder's texture packs and music. Exit status 1 on errors.
#include <cstdio>

#include "commands.h"
#include "level_check.h"
#include "platform/headless.h"

namespace {
int runCheck(const Arguments& arguments) {
    if (arguments.empty() || arguments.size() > 2) {
        std::fprintf(stderr, "usage: zdltool check GAMEFOLDER [PACK]\n");
        return 2;
    }
    std::string folder = arguments[0];
    if (folder.empty() || folder.back() != '/') folder += '/';
    // The game's texture loader runs headless: nothing is shown or played.
    HeadlessPlatform headless;
    setPlatform(&headless);
    int levels = 0;
    const std::vector<Finding> findings = checkGameFolder(folder, arguments.size() == 2 ? arguments[1] : "", levels);
    setPlatform(nullptr);
    int errors = 0;
    for (const Finding& finding : findings) {
        const bool error = finding.severity == Severity::Error;
        errors += error ? 1 : 0;
        std::printf("%s: %s: %s\n", finding.where.c_str(), error ? "error" : "warning", finding.message.c_str());
    }
    std::printf("%d level%s checked: %d error%s, %d warning%s\n", levels, levels == 1 ? "" : "s", errors,
                errors == 1 ? "" : "s", static_cast<int>(findings.size()) - errors,
                findings.size() - static_cast<std::size_t>(errors) == 1 ? "" : "s");
    return errors > 0 ? 1 : 0;
}

const RegisterCommand registered{{"check", "GAMEFOLDER [PACK]", runCheck}};
}  // namespace
