// Tools > Compare with file: the rows of every value that differs, in the editor's units, the
// differing editor fields marked with the file's value until the comparison is closed, and files
// that cannot be read refused with nothing changed.
#include <gtest/gtest.h>

#include <sstream>

#include "harness.h"

namespace {

const std::string kData = QUORVEL05_TEST_DATA;

// The window holding `path`, opened as the user opens it.
void OpenInWindow(THarness& h, const std::string& path) {
    h.dialogs.openResults.push_back(path);
    h.form->MenuOpenClick();
}

void Compare(THarness& h, const std::string& path) {
    h.dialogs.openResults.push_back(path);
    h.form->MenuCompareClick();
}

int MarkedFields(const TFormHlav& w) {
    int n = 0;
    for (int i = 0; i < w.fields.count; ++i) n += w.fields.bindings[size_t(i)].edit->Marked();
    return n;
}

}  // namespace

// The rows read as the command line's diff of the same two files, the other way round: the
// window holds type 3, the file is type 0's as the file holds it.
TEST(Compare, TwoDefaultSetsGiveTheRowsOfTheGoldenDiff) {
    THarness h;
    h.Start();
    OpenInWindow(h, kData + "/default_bike3.ign");
    Compare(h, kData + "/default_bike0.ign");
    ASSERT_EQ(h.dialogs.comparisons.size(), 1u);
    const TComparisonTable& t = h.dialogs.comparisons[0];
    EXPECT_EQ(t.title, "Comparison with " + kData + "/default_bike0.ign");
    EXPECT_EQ(t.mineHeader, "This set");
    std::istringstream golden(FileText(kData + "/golden/diff_bike0_bike3.txt"));
    std::string line;
    size_t i = 0;
    for (; std::getline(golden, line) && line.find(" -> ") != std::string::npos; ++i) {
        ASSERT_LT(i, t.rows.size());
        const TCompareRow& r = t.rows[i];
        EXPECT_EQ(r.name + ": " + std::to_string(r.change.after) + " -> " + r.mine, line);
        EXPECT_EQ(r.other.rfind(std::to_string(r.change.after), 0), 0u) << r.other;
    }
    EXPECT_EQ(i, t.rows.size());
    EXPECT_EQ(t.rows[0].other, "6000 rpm");  // RPM_ADV[4]
    EXPECT_EQ(h.form->EditAdv[4].MarkNote(), "File: 6000 rpm");
    EXPECT_FALSE(h.form->EditAdv[3].Marked());
}

TEST(Compare, DifferingCellsMarkedWithTheFilesValueUntilClosed) {
    THarness h;
    TFormHlav& w = h.Start();
    const std::string path = h.dir.File("saved.ign");
    h.dialogs.saveResults.push_back(path);
    w.MenuSaveClick();
    w.Tp14.cellEdit[25].UserSetText("117");
    w.EditAdv[14].UserSetText("20");
    w.EnterKeyPress(w.EditAdv[14]);
    Compare(h, path);
    ASSERT_EQ(h.dialogs.comparisons.size(), 1u);
    const std::vector<TCompareRow>& rows = h.dialogs.comparisons[0].rows;
    ASSERT_EQ(rows.size(), 3u);  // the TP maps are coupled: TP Map 23 followed
    EXPECT_EQ(rows[0].name, "ADVANCE[4]");
    EXPECT_EQ(rows[1].name.rfind("JET_TP[2][5] (TP 5 %, ", 0), 0u) << rows[1].name;
    EXPECT_EQ(rows[1].mine, "117 %");
    EXPECT_EQ(rows[1].other, "100 %");
    EXPECT_TRUE(w.Tp14.cellEdit[25].Marked());
    EXPECT_EQ(w.Tp14.cellEdit[25].MarkNote(), "File: 100 %");
    EXPECT_EQ(rows[2].name.rfind("JET_TPi[2][5]", 0), 0u) << rows[2].name;
    EXPECT_TRUE(w.EditAdv[14].Marked());
    EXPECT_TRUE(w.Tp23.cellEdit[25].Marked());
    EXPECT_EQ(MarkedFields(w), 3);
    EXPECT_TRUE(w.MenuCloseComparison.Enabled());
    // The marks follow later changes and the language until the comparison is closed.
    w.Tp14.cellEdit[25].UserSetText("100");
    w.EnterKeyPress(w.Tp14.cellEdit[25]);
    w.EditAdv[13].UserSetText("1");
    w.EnterKeyPress(w.EditAdv[13]);
    EXPECT_FALSE(w.Tp14.cellEdit[25].Marked());
    EXPECT_FALSE(w.Tp23.cellEdit[25].Marked());
    EXPECT_TRUE(w.EditAdv[13].Marked());
    w.MenuGermanClick();
    EXPECT_EQ(w.EditAdv[14].MarkNote(), "Datei: " + rows[0].other);
    w.SpeedButtonZpetClick();
    EXPECT_FALSE(w.EditAdv[13].Marked());
    EXPECT_EQ(MarkedFields(w), 1);
    // Closing the table by hand fires the close command, as the menu item does.
    EXPECT_TRUE(w.Fire(*h.dialogs.comparisons[0].closeCommand, TEvent::Click));
    EXPECT_EQ(MarkedFields(w), 0);
    EXPECT_EQ(h.dialogs.comparisonsClosed, 1);
    EXPECT_FALSE(w.MenuCloseComparison.Enabled());
    EXPECT_EQ(w.EditAdv[14].Text(), "20");  // the set itself is left alone
}

TEST(Compare, FilesThatCannotBeReadChangeNothing) {
    THarness h;
    TFormHlav& w = h.Start("DEUTSCH");
    PutFile(h.dir.File("v42.ign"), "VELMAROK_KEY 42 BIKE 2");
    const TParamImage before = w.image;
    const struct {
        std::string path;
        const char* message;
    } cases[] = {
        {h.dir.File("missing.ign"), "Fehler beim öffnen der Datei!"},
        {h.dir.path.string(), "Fehler beim öffnen der Datei!"},
        {h.dir.File("v42.ign"), "Uneinig Version der Datendatei *.ign!"},
    };
    for (const auto& c : cases) {
        Compare(h, c.path);
        EXPECT_EQ(h.dialogs.messages.back(), c.message) << c.path;
    }
    EXPECT_TRUE(h.dialogs.comparisons.empty());
    EXPECT_EQ(MarkedFields(w), 0);
    EXPECT_TRUE(w.image == before);
    EXPECT_EQ(h.dialogs.openRequests.back().filter, kOpenDialogFilter);
}

TEST(Compare, TheSameSetSaysSoAndCancelDoesNothing) {
    THarness h;
    TFormHlav& w = h.Start();
    const std::string path = h.dir.File("same.ign");
    h.dialogs.saveResults.push_back(path);
    w.MenuSaveClick();
    Compare(h, path);
    EXPECT_EQ(h.dialogs.messages.back(), "The set and the file hold the same values.");
    Compare(h, "");
    EXPECT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_TRUE(h.dialogs.comparisons.empty());
}
