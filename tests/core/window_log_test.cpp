// Device > "Record log...": every monitor frame of the window into the CSV log, with the tuning
// corrections, until switched off; a failing disk stops the log with a message, nothing else.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "files/monitor_log_reader.h"
#include "harness.h"

TEST(WindowLog, RecordsEveryFrameAndCorrectionUntilSwitchedOff) {
    THarness h;
    TFormHlav& w = h.Start();
    const std::string path = h.dir.File("run.csv");
    h.dialogs.saveResults.push_back(path);
    w.Fire(w.MenuRecordLog, TEvent::Click);
    ASSERT_TRUE(w.MenuRecordLog.Checked());
    EXPECT_EQ(h.dialogs.saveRequests.back().defaultExt, "csv");
    // Tuning corrects a lean cell meanwhile.
    for (TControl* box : {&w.CheckBoxLadeniPovoleno, &w.CheckBoxLadeniOn}) {
        box->UserSetChecked(true);
        w.CheckBoxMouseUp(*box);
    }
    w.PageControl1.UserSetPosition(kPageTp14);
    h.sim.engine.SetTrueNeed(TFuelMap::Tp14, 4, 3, 300);
    h.sim.engine.HoldPoint(4000, 20, 39, true);
    int frames = 0;
    for (int i = 0; i < 300; ++i) {
        w.Timer1Timer();
        frames += w.frameThisTick;
    }
    w.CheckBoxLadeniOn.UserSetChecked(false);
    w.CheckBoxMouseUp(w.CheckBoxLadeniOn);
    EXPECT_EQ(w.StatusBar1.Text().rfind("Recording log: run.csv (", 0), 0u) << w.StatusBar1.Text();
    w.Fire(w.MenuRecordLog, TEvent::Click);
    EXPECT_FALSE(w.MenuRecordLog.Checked());
    h.Ticks(20);  // nothing more is written

    const TLogReadResult log = ReadMonitorLogFile(path);
    ASSERT_TRUE(log.Ok()) << log.error;
    EXPECT_EQ(static_cast<int>(log.rows.size()), frames);
    EXPECT_GT(frames, 30);
    const std::string text = FileText(path);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), frames + 1);
    EXPECT_NE(text.find(",TP14,4,3,"), std::string::npos);  // a correction of the held cell
}

TEST(WindowLog, AFullDiskStopsTheLogWithAMessageAndTheWindowGoesOn) {
    THarness h;
    TFormHlav& w = h.Start();
    h.dialogs.saveResults.push_back(h.dir.File("full.csv"));
    w.MenuRecordLogClick();
    {
        TFileSizeLimit limit(2048);
        // The log's own thread writes; the window ticks on meanwhile.
        for (int i = 0; i < 2000 && w.MenuRecordLog.Checked(); ++i) {
            w.Timer1Timer();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    EXPECT_FALSE(w.MenuRecordLog.Checked());
    EXPECT_EQ(w.LabelHlaseni.Text().rfind("Log stopped: ", 0), 0u) << w.LabelHlaseni.Text();
    EXPECT_EQ(w.LabelHlaseni.Color(), TColor::Red);
    // The link and the session do not notice.
    w.MenuReadClick();
    h.RunSession();
    EXPECT_EQ(w.LabelHlaseni.Text(), "Verify OK");
    // A log that cannot be started says why.
    h.dialogs.saveResults.push_back(h.dir.File("no/such/folder/run.csv"));
    w.MenuRecordLogClick();
    ASSERT_EQ(h.dialogs.messages.size(), 1u);
    EXPECT_EQ(h.dialogs.messages[0].rfind("The log ", 0), 0u) << h.dialogs.messages[0];
    EXPECT_FALSE(w.MenuRecordLog.Checked());
}
