// show, diff, check, new: parameter files without a unit.
#include <cstdio>

#include "commands.h"
#include "files/param_diff.h"
#include "files/param_set.h"
#include "files/param_show.h"

namespace {

bool Load(const std::string& path, TParamSet& set) {
    std::string error;
    if (LoadParamSet(path, set, error)) return true;
    CliError(path + ": " + error);
    return false;
}

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

std::string Count(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

int RunShow(const TCliOptions& o) {
    TParamSet set;
    if (!Load(o.files[0], set)) return kExitUsage;
    Print(o.json ? ShowParamSetJson(set) : ShowParamSetText(set));
    return kExitOk;
}

int RunDiff(const TCliOptions& o) {
    TParamSet a, b;
    if (!Load(o.files[0], a) || !Load(o.files[1], b)) return kExitUsage;
    const std::vector<TParamChange> changes = CompareParamSets(a, b);
    if (o.json)
        Print(ChangesJson(changes, {"differences", "a", "b"}));
    else
        Print(ChangesText(changes, a) +
              (changes.empty() ? "no difference\n"
                               : Count(changes.size(), "value differs", "values differ") + "\n"));
    return changes.empty() ? kExitOk : kExitDiffers;
}

int RunCheck(const TCliOptions& o) {
    TParamSet set;
    if (!Load(o.files[0], set)) return kExitUsage;
    const std::vector<TParamChange> changes = SanitizingChanges(set);
    if (o.json)
        Print(ChangesJson(changes, {"changes", "file", "sanitized"}));
    else
        Print(
            ChangesText(changes, set) + "sanitizing would change " +
            (changes.empty() ? std::string("nothing") : Count(changes.size(), "value", "values")) +
            "\n");
    return changes.empty() ? kExitOk : kExitDiffers;
}

int RunNew(const TCliOptions& o) {
    if (!SaveParamSet(o.output, DefaultParamSet(o.bike))) {
        CliError(o.output + ": cannot be written");
        return kExitUsage;
    }
    return kExitOk;
}
