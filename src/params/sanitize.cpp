#include "params/sanitize.h"

#include <algorithm>

#include "ui/language.h"
#include "ui/main_window.h"

namespace {

// Bounds k + 3 .. k + 191 on every point of a 10-point RPM array.
void BoundRpmArray(TParamImage& im, TField f) {
    for (int k = 0; k < 10; ++k) {
        if (im.Get(f, k) < k + 3) im.Set(f, k, static_cast<uint8_t>(k + 3));
        if (im.Get(f, k) > k + 191) im.Set(f, k, static_cast<uint8_t>(k + 191));
    }
}

// A point not above its predecessor becomes the predecessor plus one.
void IncreasingRule(TParamImage& im, TField f, int k) {
    if (im.Get(f, k) <= im.Get(f, k - 1)) im.Set(f, k, static_cast<uint8_t>(im.Get(f, k - 1) + 1));
}

void Clamp(TParamImage& im, TField f, int k, int lo, int hi) {
    if (im.Get(f, k) < lo) im.Set(f, k, static_cast<uint8_t>(lo));
    if (im.Get(f, k) > hi) im.Set(f, k, static_cast<uint8_t>(hi));
}

void CapMap(TParamImage& im, TField f) {
    for (int i = 0; i < 100; ++i)
        if (im.Get(f, i) > 250) im.Set(f, i, 250);
}

}  // namespace

void SanitizeImage(TParamImage& im, const TSanitizeSettings& s) {
    // 1-2. Advance curve: RPM points bounded and increasing, advance capped by ADVANCE_MAX as it
    // stands before its own bounds are applied (a maximum of 5 cuts the curve to 5, then the
    // maximum becomes 10). A maximum above its upper bound of 125 caps at 125: otherwise an
    // advance of, say, 180 would survive this pass and be cut only by the next one.
    const uint8_t advanceCap = std::min<uint8_t>(im.Get(TField::ADVANCE_MAX), 125);
    for (int k = 0; k < 10; ++k) {
        Clamp(im, TField::RPM_ADV, k, k + 3, k + 191);
        if (im.Get(TField::ADVANCE, k) > advanceCap) im.Set(TField::ADVANCE, k, advanceCap);
    }
    for (int k = 1; k < 10; ++k) IncreasingRule(im, TField::RPM_ADV, k);
    // 3-4
    Clamp(im, TField::ADVANCE_MAX, 0, 10, 125);
    Clamp(im, TField::LIMITER2, 0, 10, 250);
    Clamp(im, TField::PILOT_LIGHT, 0, 10, 250);
    Clamp(im, TField::INTAKE_VALVE, 0, 10, 250);
    // 5-6. The two TP axes, element by element.
    for (int k = 0; k < 10; ++k) {
        if (im.Get(TField::RPM_JET_TP, k) < k + 3)
            im.Set(TField::RPM_JET_TP, k, static_cast<uint8_t>(k + 3));
        if (im.Get(TField::RPM_JET_TPi, k) < k + 3)
            im.Set(TField::RPM_JET_TPi, k, static_cast<uint8_t>(k + 3));
        if (im.Get(TField::RPM_JET_TP, k) > k + 191)
            im.Set(TField::RPM_JET_TP, k, static_cast<uint8_t>(k + 191));
        if (im.Get(TField::RPM_JET_TPi, k) > k + 191)
            im.Set(TField::RPM_JET_TPi, k, static_cast<uint8_t>(k + 191));
    }
    for (int k = 1; k < 10; ++k) {
        IncreasingRule(im, TField::RPM_JET_TP, k);
        IncreasingRule(im, TField::RPM_JET_TPi, k);
    }
    // 7-9
    CapMap(im, TField::JET_TP);
    CapMap(im, TField::JET_TPi);
    BoundRpmArray(im, TField::RPM_JET_IAP);
    for (int k = 1; k < 10; ++k) IncreasingRule(im, TField::RPM_JET_IAP, k);
    CapMap(im, TField::JET_IAP);
    // 10
    if (im.Get(TField::TPS_0) > 250) im.Set(TField::TPS_0, 250);
    if (im.Get(TField::TPS_100) > 250) im.Set(TField::TPS_100, 250);
    if (im.Get(TField::START_JET) > 50) im.Set(TField::START_JET, 50);
    // 11
    BoundRpmArray(im, TField::RPM_PRIV);
    for (int k = 1; k < 10; ++k) IncreasingRule(im, TField::RPM_PRIV, k);
    // 12. Starting-correction curve.
    for (int k = 0; k < 4; ++k) {
        Clamp(im, TField::CHOKE_TIME, k, k, k + 247);
        if (im.Get(TField::CHOKE_CORR, k) > 250) im.Set(TField::CHOKE_CORR, k, 250);
    }
    for (int k = 1; k < 4; ++k) IncreasingRule(im, TField::CHOKE_TIME, k);
    // 13-14. Settings values.
    if (s.language != nullptr && *s.language > 2) *s.language = kLangEnglish;
    if (s.portChoice != nullptr && *s.portChoice >= 21) *s.portChoice = 0;
    if (s.scanPosition != nullptr && *s.scanPosition >= 20) *s.scanPosition = 0;
}

void ApplyFieldRules(TMainWindow& w, const TParamImage& image) {
    w.CheckBoxProgHned.SetColor(w.CheckBoxProgHned.Checked() ? TColor::Red : TColor::BtnFace);
    w.CheckBoxPrivEnable.SetVisible(image.Get(TField::BIKE) != 0);
    w.GroupBoxPrivera.SetVisible(w.CheckBoxPrivEnable.Visible() && w.CheckBoxPrivEnable.Checked());
    w.LabelPriveraPoz.SetVisible(w.GroupBoxPrivera.Visible());
    w.LabelPriveraMer.SetVisible(w.GroupBoxPrivera.Visible());
    const bool unlocked = w.CheckBoxLadeniPovoleno.Checked();
    w.CheckBoxLadeniOn.SetVisible(unlocked);
    w.GroupBoxLadeni.SetVisible(unlocked);
    if (!unlocked) w.CheckBoxLadeniOn.SetChecked(false);
    w.CheckBoxLadeniOn.SetColor(w.CheckBoxLadeniOn.Checked() ? TColor::Red : TColor::BtnFace);
}
