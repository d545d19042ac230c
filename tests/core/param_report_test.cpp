// Parameter sets away from the window: show, diff and check against reviewed outputs in
// tests/data/golden, the default sets as New and Save write them, and files that cannot be read.
#include <gtest/gtest.h>

#include <functional>

#include "files/param_diff.h"
#include "files/param_set.h"
#include "files/param_show.h"
#include "harness.h"

namespace {

std::string Data(const std::string& name) {
    return std::string(QUORVEL05_TEST_DATA) + "/" + name;
}

TParamSet Load(const std::string& name) {
    TParamSet set;
    std::string error;
    EXPECT_TRUE(LoadParamSet(Data(name), set, error)) << name << ": " << error;
    return set;
}

std::string Diff(const char* a, const char* b, bool json) {
    const auto changes = CompareParamSets(Load(a), Load(b));
    return json ? ChangesJson(changes, {"differences", "a", "b"}) : ChangesText(changes, Load(a));
}

std::string Check(const char* name, bool json) {
    const auto changes = SanitizingChanges(Load(name));
    return json ? ChangesJson(changes, {"changes", "file", "sanitized"})
                : ChangesText(changes, Load(name));
}

}  // namespace

TEST(ParamReport, OutputsMatchTheirGoldenFiles) {
    const struct {
        const char* golden;
        std::function<std::string()> output;
    } cases[] = {
        {"show_pattern.txt", [] { return ShowParamSetText(Load("pattern.ign")); }},
        {"show_default_bike1.json", [] { return ShowParamSetJson(Load("default_bike1.ign")); }},
        {"diff_bike0_bike3.txt", [] { return Diff("default_bike0.ign", "default_bike3.ign", 0); }},
        {"diff_bike0_bike3.json", [] { return Diff("default_bike0.ign", "default_bike3.ign", 1); }},
        {"check_pattern.txt", [] { return Check("pattern.ign", false); }},
        {"check_pattern.json", [] { return Check("pattern.ign", true); }},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.output(), FileText(Data("golden/") + c.golden)) << c.golden;
}

TEST(ParamReport, DefaultSetsAreWrittenAsTheWindowsNewAndSaveWriteThem) {
    THarness h;
    TFormHlav& form = h.Start();
    for (int bike = 0; bike < 5; ++bike) {
        const std::string name = "default_bike" + std::to_string(bike) + ".ign";
        h.dialogs.answers.push_back(TAnswer::Yes);
        form.ComboBoxBike.SetItemIndex(bike);
        form.ComboBoxBikeChange();
        h.dialogs.saveResults.push_back(h.dir.File("window.ign"));
        form.MenuSaveClick();
        ASSERT_TRUE(SaveParamSet(h.dir.File(name), DefaultParamSet(bike)));
        EXPECT_EQ(FileText(h.dir.File(name)), FileText(h.dir.File("window.ign"))) << name;
        // The reference files hold the tables as they are; only type 0 has values (its servo
        // curve, all 0) that the window's fields and sanitizing lift.
        const auto lifted = CompareParamSets(Load(name), DefaultParamSet(bike));
        EXPECT_EQ(lifted.size(), bike == 0 ? 20u : 0u) << name;
        EXPECT_TRUE(SanitizingChanges(DefaultParamSet(bike)).empty()) << name;
    }
    EXPECT_EQ(ChangesJson({}, {"changes", "file", "sanitized"}),
              "{\"count\": 0, \"changes\": []}\n");
}

TEST(ParamReport, UnreadableFilesGetTheWindowsOpenMessages) {
    TTempDir dir;
    PutFile(dir.File("v42.ign"), "VELMAROK_KEY 42 BIKE 2");
    PutFile(dir.File("ext.ign"), "VELMAROK_KEY 43 EXT_MON 1 BIKE 3");
    const struct {
        std::string path;
        const char* error;
    } cases[] = {{dir.File("missing.ign"), "Open file error!"},
                 {dir.path.string(), "Open file error!"},
                 {dir.File("v42.ign"), "Unmatched version of *.ign file!"},
                 {dir.File("ext.ign"), ""}};
    for (const auto& c : cases) {
        TParamSet set;
        std::string error;
        EXPECT_EQ(LoadParamSet(c.path, set, error), *c.error == 0) << c.path;
        EXPECT_EQ(error, c.error) << c.path;
    }
    TParamSet set;
    std::string error;
    ASSERT_TRUE(LoadParamSet(dir.File("ext.ign"), set, error));
    const auto changes = CompareParamSets(DefaultParamSet(0), set);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(ChangeName(changes.back()), "EXT_MON");  // the rest of the set: type 0's defaults
    EXPECT_EQ(ChangeName(changes.front()), "BIKE");
}
