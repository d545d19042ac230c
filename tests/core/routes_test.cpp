// The routing table: every control that has a handler reaches it, with the sender where the
// handler is shared, and controls without one reach nothing.
#include <gtest/gtest.h>

#include "harness.h"

namespace {

using F = TFormHlav;

bool RoutesTo(TFormHlav& w, const std::string& name, TEvent e, TRoute::TPlain h) {
    const TControl* c = w.Find(name);
    const TRoute* r = c != nullptr ? w.routes.Find(*c, e) : nullptr;
    return r != nullptr && r->plain == h;
}

}  // namespace

TEST(Routes, ButtonsMenusAndSpinButtonsReachTheirOwnHandlers) {
    THarness h;
    TFormHlav& w = h.Start();
    const struct {
        const char* control;
        TEvent event;
        TRoute::TPlain handler;
    } cases[] = {
        {"BitBtnIgnMinus", TEvent::Click, &F::CurveMinusClick},
        {"BitBtnIgnPlus", TEvent::Click, &F::CurvePlusClick},
        {"BitBtnServoMinus", TEvent::Click, &F::BitBtnServoMinusClick},
        {"BitBtnServoPlus", TEvent::Click, &F::BitBtnServoPlusClick},
        {"BitBtnJetTpsMinus", TEvent::Click, &F::BitBtnJetTpsMinusClick},
        {"BitBtnJetTpsPlus", TEvent::Click, &F::BitBtnJetTpsPlusClick},
        {"BitBtnJetTpsMinusi", TEvent::Click, &F::BitBtnJetTpsMinusiClick},
        {"BitBtnJetTpsPlusi", TEvent::Click, &F::BitBtnJetTpsPlusiClick},
        {"BitBtnJetIapMinus", TEvent::Click, &F::BitBtnJetIapMinusClick},
        {"BitBtnJetIapPlus", TEvent::Click, &F::BitBtnJetIapPlusClick},
        {"BitBtnTps0", TEvent::Click, &F::BitBtnTps0Click},
        {"BitBtnTps100", TEvent::Click, &F::BitBtnTps100Click},
        {"CSpinButton1i", TEvent::Up, &F::CSpinButton1iUpClick},
        {"CSpinButton10i", TEvent::Down, &F::CSpinButton10iDownClick},
        {"CSpinButton11", TEvent::Up, &F::CSpinButton11UpClick},
        {"CSpinButton20", TEvent::Down, &F::CSpinButton20DownClick},
        {"MenuToolsMinus", TEvent::Click, &F::MenuToolsMinusClick},
        {"MenuToolsPlus", TEvent::Click, &F::MenuToolsPlusClick},
        {"SpeedButton6", TEvent::Click, &F::MenuNewClick},
        {"SpeedButton5", TEvent::Click, &F::MenuOpenClick},
        {"SpeedButton7", TEvent::Click, &F::MenuSaveClick},
        {"SpeedButtonZpet", TEvent::Click, &F::SpeedButtonZpetClick},
        {"SpeedButtonZnovu", TEvent::Click, &F::SpeedButtonZnovuClick},
        {"Button1", TEvent::Click, &F::MenuReadClick},
        {"BitBtn2", TEvent::Click, &F::MenuVerifyClick},
        {"BitBtn1", TEvent::Click, &F::MenuProgramClick},
        {"MenuExit", TEvent::Click, &F::MenuExitClick},
        {"MenuPrint", TEvent::Click, &F::SpeedButtonPrintClick},
        {"SpeedButtonPrint", TEvent::Click, &F::SpeedButtonPrintClick},
        {"MenuContens", TEvent::Click, &F::MenuContensClick},
        {"MenuAbout", TEvent::Click, &F::MenuAboutClick},
        {"MenuBackups", TEvent::Click, &F::MenuBackupsClick},
        {"MenuCompare", TEvent::Click, &F::MenuCompareClick},
        {"MenuCloseComparison", TEvent::Click, &F::MenuCloseComparisonClick},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(RoutesTo(w, c.control, c.event, c.handler)) << c.control;
    // The per-button spin handlers, column by column.
    for (int k = 0; k < 10; ++k) {
        const TRoute* up = w.routes.Find(w.Tp23.spin[k], TEvent::Up);
        const TRoute* down = w.routes.Find(w.Iap.spin[k], TEvent::Down);
        ASSERT_TRUE(up != nullptr && down != nullptr) << k;
        for (int j = 0; j < k; ++j) {
            EXPECT_NE(up->plain, w.routes.Find(w.Tp23.spin[j], TEvent::Up)->plain) << k;
            EXPECT_NE(down->plain, w.routes.Find(w.Iap.spin[j], TEvent::Down)->plain) << k;
        }
    }
}

TEST(Routes, SharedHandlersGetTheSenderAndFieldEventsFollowTheEventTable) {
    THarness h;
    TFormHlav& w = h.Start();
    for (TControl& spin : w.Tp14.spin) {
        const TRoute* r = w.routes.Find(spin, TEvent::Up);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->sender, static_cast<TRoute::TSender>(&F::CSpinButtonUpClick));
    }
    int leave = 0, click = 0, enter = 0, spinners = 0;
    // The editor fields of the parameter set; the tuning limits' own fields come on top.
    for (TControl* c : w.model.All()) {
        if (w.fields.ByEdit(*c) == nullptr && w.fields.ByUpDown(*c) == nullptr) continue;
        leave += w.routes.Find(*c, TEvent::Leave) != nullptr;
        click += w.routes.Find(*c, TEvent::EditClick) != nullptr;
        enter += c->kind == TControlKind::Edit && w.routes.Find(*c, TEvent::Enter) != nullptr;
        spinners += c->kind == TControlKind::UpDown && w.routes.Find(*c, TEvent::Up) != nullptr;
    }
    EXPECT_EQ(leave, 375);  // 370 grid, axis and curve fields and five single fields
    EXPECT_EQ(click, 29);   // the miscellaneous and tuning pages
    EXPECT_EQ(enter, leave + click);
    EXPECT_EQ(w.routes.Find(w.EditRpmPulsu, TEvent::Enter), nullptr);
    EXPECT_EQ(w.routes.Find(w.UpDownRpmKorekce, TEvent::Up)->arrow,
              static_cast<TRoute::TArrow>(&F::SpinnerClick));
    EXPECT_EQ(spinners, w.fields.count);
    int boxes = 0;
    for (TControl* c : w.model.All())
        boxes += c->kind == TControlKind::CheckBox && w.routes.Find(*c, TEvent::MouseUp) != nullptr;
    EXPECT_EQ(boxes, 11 + 2);  // and the two tuning limits' boxes
    EXPECT_NE(w.routes.Find(w.ComboBoxBike, TEvent::Change), nullptr);
    EXPECT_NE(w.routes.Find(w.FormHlav, TEvent::Enter), nullptr);
    // Labels, gauges and pages have nothing to run.
    EXPECT_FALSE(w.Fire(w.LabelRpm, TEvent::Click));
    EXPECT_FALSE(w.Fire(w.TabSheet5, TEvent::Click));
}
