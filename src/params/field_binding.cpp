// Editor binding: the field tables, the whole-window transfer and refresh, the editor events.
#include "params/field_binding.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "params/bike_types.h"
#include "params/sanitize.h"
#include "ui/main_window.h"

namespace {

// Positions of the bindings in the table. The first 380 follow the control tables (advance
// curve, the three axes, the three maps, the servo curve, the temperature corrections); the single
// fields follow in the order the transfer takes them.
enum : int {
    kAdvRpm = 0,       // RPM_ADV[0-9]
    kAdvance = 10,     // ADVANCE[0-9]
    kTp14Axis = 20,    // RPM_JET_TP[0-9]
    kTp23Axis = 30,    // RPM_JET_TPi[0-9]
    kIapAxis = 40,     // RPM_JET_IAP[0-9]
    kTp14Cells = 50,   // JET_TP, 10 * row + column
    kTp23Cells = 150,  // JET_TPi
    kIapCells = 250,   // JET_IAP
    kServoRpm = 350,   // RPM_PRIV[0-9]
    kServoVolt = 360,  // NAP_PRIV[0-9]
    kWaterTemp = 370,  // WATER_TEMP[0-4]
    kAirTemp = 375,    // AIR_TEMP[0-4]
    kRpmPulses = 380,
    kRpmCorrection,
    kIapToTps,
    kLimiter,
    kPilotLight,
    kIntakeValve,
    kTuningLambda,
    kTuningAccuracy,
    kTuningRpm,
    kTuningTps,
    kTuningStep,
    kTps0,
    kTps100,
    kAccelThreshold,
    kAccelSize,
    kStartJet,
    kCooling,
    kChokeTime,                   // CHOKE_TIME[0-3]
    kChokeCorr = kChokeTime + 4,  // CHOKE_CORR[0-3]
    kPrivHyster = kChokeCorr + 4,
    kBindingEnd
};
static_assert(kBindingEnd == kFieldCount);

bool GroupedField(TField f) {
    switch (f) {
        case TField::RPM_ADV:
        case TField::RPM_JET_TP:
        case TField::RPM_JET_TPi:
        case TField::RPM_JET_IAP:
        case TField::RPM_PRIV:
        case TField::LIMITER2:
        case TField::PILOT_LIGHT:
        case TField::INTAKE_VALVE:
        case TField::TPS_0:
        case TField::TPS_100:
        case TField::ACCEL_THRESHOLD:
        case TField::ACCEL_SIZE:
        case TField::TUNING_RPM:
        case TField::TUNING_STEP:
            return true;
        default:
            return false;
    }
}

struct TTableBuilder {
    TFieldTables& t;

    void Add(TControl& edit, TControl& updown, TField f, int k, int mn, int mx, int step,
             TFieldEvent event, bool spinnerEvent = true) {
        TFieldBinding& b = t.bindings[static_cast<size_t>(t.count)];
        const TFieldInfo& info = FieldInfo(f);
        b.field = f;
        b.element = static_cast<uint8_t>(k);
        b.factor = info.factor;
        b.offset = info.offset;
        b.min = static_cast<int16_t>(mn);
        b.max = static_cast<int16_t>(mx);
        b.step = static_cast<int16_t>(step);
        b.grouping = GroupedField(f);
        b.event = event;
        b.spinnerEvent = spinnerEvent;
        b.edit = &edit;
        b.updown = &updown;
        // The spinner carries the same range and step as the binding.
        updown.SetRange(mn, mx);
        updown.SetStep(step);
        t.byEdit[edit.index] = static_cast<int16_t>(t.count);
        t.byUpDown[updown.index] = static_cast<int16_t>(t.count);
        ++t.count;
    }
};

constexpr int kDigitCap = 1000000;  // more digits than any field's range can hold

}  // namespace

// ---- field model

bool ParseFieldText(std::string_view text, std::string_view sep, int& value) {
    // Blanks around the number are what a typist leaves behind; they do not make it another one.
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    auto isDigit = [&](size_t at) {
        return at < text.size() && text[at] >= '0' && text[at] <= '9';
    };
    if (!isDigit(i)) return false;
    int v = 0;
    while (i < text.size()) {
        if (isDigit(i)) {
            v = v * 10 + (text[i] - '0');
            if (v > kDigitCap) return false;
            ++i;
        } else if (!sep.empty() && text.substr(i, sep.size()) == sep && isDigit(i + sep.size())) {
            // A separator stands between two digits only: the number starts with a digit and
            // every separator taken is followed by one.
            i += sep.size();
        } else {
            return false;
        }
    }
    value = negative ? -v : v;
    return true;
}

size_t FormatFieldValue(int value, bool grouping, std::string_view sep, char* buf, size_t cap) {
    if (cap == 0) return 0;
    char digits[16];
    const unsigned magnitude =
        value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    const int n = std::snprintf(digits, sizeof digits, "%u", magnitude);
    size_t out = 0;
    auto put = [&](char c) {
        if (out + 1 < cap) buf[out++] = c;
    };
    if (value < 0) put('-');
    const bool group = grouping && magnitude >= 1000;
    for (int i = 0; i < n; ++i) {
        put(digits[i]);
        const int left = n - 1 - i;
        if (group && left > 0 && left % 3 == 0)
            for (char c : sep) put(c);
    }
    buf[out] = 0;
    return out;
}

int ReadFieldValue(const TFieldBinding& b, std::string_view sep) {
    int v = 0;
    if (ParseFieldText(b.edit->Text(), sep, v) && v >= b.updown->Min() && v <= b.updown->Max())
        b.updown->SetPosition(v);
    return b.updown->Position();
}

void ShowFieldValue(const TFieldBinding& b, int value, std::string_view sep) {
    b.updown->SetPosition(std::clamp(value, b.updown->Min(), b.updown->Max()));
    char text[32];
    const size_t n = FormatFieldValue(b.updown->Position(), b.grouping, sep, text, sizeof text);
    b.edit->SetText(std::string_view(text, n));
}

// ---- tables

const TFieldBinding* TFieldTables::ByEdit(const TControl& edit) const {
    if (edit.index >= byEdit.size() || edit.kind != TControlKind::Edit) return nullptr;
    const int i = byEdit[edit.index];
    if (i < 0 || bindings[static_cast<size_t>(i)].edit != &edit) return nullptr;
    return &bindings[static_cast<size_t>(i)];
}

const TFieldBinding* TFieldTables::ByUpDown(const TControl& updown) const {
    if (updown.index >= byUpDown.size() || updown.kind != TControlKind::UpDown) return nullptr;
    const int i = byUpDown[updown.index];
    if (i < 0 || bindings[static_cast<size_t>(i)].updown != &updown) return nullptr;
    return &bindings[static_cast<size_t>(i)];
}

const TFieldBinding* TFieldTables::ByField(TField f, int k) const {
    for (int i = 0; i < count; ++i)
        if (bindings[static_cast<size_t>(i)].field == f &&
            bindings[static_cast<size_t>(i)].element == k)
            return &bindings[static_cast<size_t>(i)];
    return nullptr;
}

namespace {

using E = TFieldEvent;

// The 380 fields of the control tables, in their order.
void AddGridFields(TTableBuilder& b, TMainWindow& w) {
    // Advance curve: RPM points, then advance values. The last RPM point reaches 21000.
    for (int k = 0; k < 10; ++k)
        b.Add(w.EditAdv[k], w.UpDownAdv[k], TField::RPM_ADV, k, 300, k == 9 ? 21000 : 20100, 100,
              E::Leave);
    for (int k = 0; k < 10; ++k)
        b.Add(w.EditAdv[10 + k], w.UpDownAdv[10 + k], TField::ADVANCE, k, 0, 125, 1, E::Leave);
    // Map axes.
    for (int k = 0; k < 10; ++k)
        b.Add(w.Tp14.axisEdit[k], w.Tp14.axisUpDown[k], TField::RPM_JET_TP, k, 300, 20100, 100,
              E::Leave);
    for (int k = 0; k < 10; ++k)
        b.Add(w.Tp23.axisEdit[k], w.Tp23.axisUpDown[k], TField::RPM_JET_TPi, k, 300, 20100, 100,
              E::Leave);
    for (int k = 0; k < 10; ++k)
        b.Add(w.Iap.axisEdit[k], w.Iap.axisUpDown[k], TField::RPM_JET_IAP, k, 300, 20100, 100,
              E::Leave);
    // Map cells, row by row.
    for (int i = 0; i < 100; ++i)
        b.Add(w.Tp14.cellEdit[i], w.Tp14.cellUpDown[i], TField::JET_TP, i, 0, 250, 1, E::Leave);
    for (int i = 0; i < 100; ++i)
        b.Add(w.Tp23.cellEdit[i], w.Tp23.cellUpDown[i], TField::JET_TPi, i, 0, 250, 1, E::Leave);
    for (int i = 0; i < 100; ++i)
        b.Add(w.Iap.cellEdit[i], w.Iap.cellUpDown[i], TField::JET_IAP, i, 0, 250, 1, E::Leave);
    // Servo curve.
    for (int k = 0; k < 10; ++k)
        b.Add(w.EditRpmPriv[k], w.UpDownRpmPriv[k], TField::RPM_PRIV, k, 300, 20100, 100, E::Leave);
    for (int k = 0; k < 10; ++k)
        b.Add(w.EditNapPriv[k], w.UpDownNapPriv[k], TField::NAP_PRIV, k, 20, 4980, 20, E::Leave);
    // Temperature corrections: coolant, then inlet air.
    for (int k = 0; k < 5; ++k)
        b.Add(w.EditVoda[k], w.UpDownVoda[k], TField::WATER_TEMP, k, 10, 250, 1, E::Click);
    for (int k = 0; k < 5; ++k)
        b.Add(w.EditVzduch[k], w.UpDownVzduch[k], TField::AIR_TEMP, k, 10, 250, 1, E::Click);
}

// The single fields, in the order the transfer takes them.
void AddSingleFields(TTableBuilder& b, TMainWindow& w) {
    // Single fields. The RPM group has no event of its own, not even on its spinners.
    b.Add(w.EditRpmPulsu, w.UpDownRpmPulsu, TField::RPM_PULSES, 0, 0, 6, 1, E::None, false);
    b.Add(w.EditRpmKorekce, w.UpDownRpmKorekce, TField::RPM_CORRECTION, 0, -60, 60, 1, E::None,
          false);
    b.Add(w.EditIapToTps, w.UpDownIapToTps, TField::IAP_TO_TPS, 0, 0, 250, 1, E::Leave);
    b.Add(w.EditOmez2, w.UpDownOmez2, TField::LIMITER2, 0, 999, 25000, 100, E::Leave);
    b.Add(w.Edit46, w.UpDown46, TField::PILOT_LIGHT, 0, 1000, 25000, 100, E::Leave);
    b.Add(w.EditKlapkaSani, w.UpDownKlapkaSani, TField::INTAKE_VALVE, 0, 1000, 25000, 100,
          E::Leave);
    b.Add(w.EditLadeniLambda, w.UpDownLadeniLambda, TField::TUNING_LAMBDA, 0, 400, 1000, 10,
          E::Click);
    b.Add(w.EditLadeniHyster, w.UpDownLadeniHyster, TField::TUNING_ACCURACY, 0, 10, 400, 10,
          E::Click);
    b.Add(w.EditLadeniRpm, w.UpDownLadeniRpm, TField::TUNING_RPM, 0, 50, 2000, 50, E::Click);
    b.Add(w.EditLadeniTps, w.UpDownLadeniTps, TField::TUNING_TPS, 0, 0, 20, 1, E::Click);
    b.Add(w.EditLadeniCas, w.UpDownLadeniCas, TField::TUNING_STEP, 0, 400, 20000, 200, E::Click);
    b.Add(w.EditTps0, w.UpDownTps0, TField::TPS_0, 0, 300, 2500, 10, E::Click);
    b.Add(w.EditTps100, w.UpDownTps100, TField::TPS_100, 0, 2500, 4600, 10, E::Click);
    b.Add(w.EditAkcelPrah, w.UpDownAkcelPrah, TField::ACCEL_THRESHOLD, 0, 10, 2500, 10, E::Click);
    b.Add(w.EditAkcelJet, w.UpDownAkcelJet, TField::ACCEL_SIZE, 0, 0, 7500, 30, E::Click);
    b.Add(w.EditStartJet, w.UpDownStartJet, TField::START_JET, 0, 0, 50, 1, E::Click);
    b.Add(w.EditChlazeni, w.UpDownChlazeni, TField::COOLING, 0, 0, 100, 1, E::Click);
    for (int k = 0; k < 4; ++k)
        b.Add(w.EditSyticCas[k], w.UpDownSyticCas[k], TField::CHOKE_TIME, k, 0, 250, 1, E::Click);
    for (int k = 0; k < 4; ++k)
        b.Add(w.EditSyticKorekce[k], w.UpDownSyticKorekce[k], TField::CHOKE_CORR, k, 100, 350, 1,
              E::Click);
    b.Add(w.EditPrivHyster, w.UpDownPrivHyster, TField::PRIV_HYSTER, 0, 0, 1275, 5, E::Leave);
}

}  // namespace

TFieldTables BuildFieldTables(TMainWindow& w) {
    TFieldTables t;
    const size_t controls = w.model.All().size();
    t.byEdit.assign(controls, -1);
    t.byUpDown.assign(controls, -1);
    TTableBuilder b{t};
    AddGridFields(b, w);
    AddSingleFields(b, w);
    if (w.ComboBoxBike.items.empty())
        w.ComboBoxBike.items.assign(kBikeEntries, kBikeEntries + kBikeTypes);
    return t;
}

// ---- whole-window transfer and refresh

namespace {

struct TBinder {
    const TFieldTables& fields;
    TParamImage& image;
    std::string_view sep;

    const TFieldBinding& B(int i) const { return fields.bindings[static_cast<size_t>(i)]; }

    void Store(int i) {
        const TFieldBinding& b = B(i);
        image[b.ImageByte()] = FromShown(b.field, ReadFieldValue(b, sep));
    }
    void Show(int i) {
        const TFieldBinding& b = B(i);
        ShowFieldValue(b, ToShown(b.field, image[b.ImageByte()]), sep);
    }
    void StoreRange(int first, int n) {
        for (int i = 0; i < n; ++i) Store(first + i);
    }
    void ShowRange(int first, int n) {
        for (int i = 0; i < n; ++i) Show(first + i);
    }

    // Coupled maps, column k of the axes: a TP14 point moved since the last refresh moves the
    // TP23 point by the same number of 100 rpm steps. Runs before either point is stored, so the
    // image still holds the values the screen was refreshed from.
    void CoupleAxis(int k) {
        const int steps = ReadFieldValue(B(kTp14Axis + k), sep) / 100;
        const int old14 = image.Get(TField::RPM_JET_TP, k);
        if (steps == old14) return;
        const int old23 = image.Get(TField::RPM_JET_TPi, k);
        ShowFieldValue(B(kTp23Axis + k), (old23 + steps - old14) * 100, sep);
    }
    // Coupled maps, one cell: a TP14 change is added to the TP23 cell, held within 0 to 250.
    void CoupleCell(int i) {
        const int v = ReadFieldValue(B(kTp14Cells + i), sep);
        const int old14 = image.Get(TField::JET_TP, i);
        if (v == old14) return;
        const int old23 = image.Get(TField::JET_TPi, i);
        ShowFieldValue(B(kTp23Cells + i), std::clamp(old23 + v - old14, 0, 250), sep);
    }
};

}  // namespace

void TransferFieldsToImage(TMainWindow& w, const TFieldTables& fields, TParamImage& image,
                           std::string_view groupSeparator) {
    if (fields.count != kFieldCount) return;  // the tables are not built yet
    TBinder t{fields, image, groupSeparator};
    const bool coupled = image.Get(TField::TPS_MODE) == 1;
    // 1. Curves and axes, column by column.
    for (int k = 0; k < 10; ++k) {
        t.Store(kAdvRpm + k);
        t.Store(kAdvance + k);
        if (coupled) t.CoupleAxis(k);
        t.Store(kTp14Axis + k);
        t.Store(kTp23Axis + k);
        t.Store(kIapAxis + k);
        t.Store(kServoRpm + k);
        t.Store(kServoVolt + k);
    }
    // 2. Map cells.
    for (int i = 0; i < 100; ++i) {
        if (coupled) t.CoupleCell(i);
        t.Store(kTp14Cells + i);
        t.Store(kTp23Cells + i);
        t.Store(kIapCells + i);
    }
    // 3.
    t.Store(kRpmPulses);
    t.Store(kRpmCorrection);
    const int bike = w.ComboBoxBike.ItemIndex();
    image.Set(TField::BIKE, bike < 0 || bike > 254 ? 255 : static_cast<uint8_t>(bike));
    t.Store(kIapToTps);
    t.Store(kLimiter);
    t.Store(kPilotLight);
    t.Store(kIntakeValve);
    // 4.
    w.LabelPriveraPoz.SetVisible(w.GroupBoxPrivera.Visible());
    w.LabelPriveraMer.SetVisible(w.GroupBoxPrivera.Visible());
    w.LabelPocetProgramovani.SetVisible(w.CheckBoxExtMonitor.Checked());
    // 5.
    t.StoreRange(kTuningLambda, 5);
    image.Set(TField::BLOK_ENABLE, w.CheckBoxBlokEnable.Checked() ? 1 : 0);
    image.Set(TField::PRIV_ENABLE, w.CheckBoxPrivEnable.Checked() ? 1 : 0);
    // 6.
    t.Store(kTps0);
    t.Store(kTps100);
    t.Store(kAccelThreshold);
    t.Store(kAccelSize);
    t.Store(kStartJet);
    t.Store(kCooling);
    t.StoreRange(kChokeTime, 4);
    t.StoreRange(kChokeCorr, 4);
    t.StoreRange(kWaterTemp, 5);
    t.StoreRange(kAirTemp, 5);
    t.Store(kPrivHyster);
    // 7.
    ApplyFieldRules(w, image);
}

void ShowImageInFields(TMainWindow& w, const TFieldTables& fields, TParamImage& image,
                       std::string_view groupSeparator) {
    // Until the tables are built only the controls outside the numeric fields are refreshed.
    const bool built = fields.count == kFieldCount;
    TBinder t{fields, image, groupSeparator};
    // 1.
    for (int k = 0; built && k < 10; ++k) {
        t.Show(kAdvRpm + k);
        t.Show(kAdvance + k);
        t.Show(kTp14Axis + k);
        t.Show(kTp23Axis + k);
        t.Show(kIapAxis + k);
        t.Show(kServoRpm + k);
        t.Show(kServoVolt + k);
    }
    // 2.
    for (int i = 0; built && i < 100; ++i) {
        t.Show(kTp14Cells + i);
        t.Show(kTp23Cells + i);
        t.Show(kIapCells + i);
    }
    // 3. The unit's identity and 6. the TP map mode are the caller's.
    // 4.
    w.CheckBoxBlokEnable.SetChecked(image.Get(TField::BLOK_ENABLE) != 0);
    w.CheckBoxPrivEnable.SetChecked(image.Get(TField::PRIV_ENABLE) != 0);
    // 5.
    if (built) {
        t.ShowRange(kTuningLambda, 5);
        t.Show(kRpmPulses);
        t.Show(kRpmCorrection);
    }
    // 7.
    const uint8_t bike = image.Get(TField::BIKE);
    w.ComboBoxBike.SetItemIndex(bike < kBikeTypes ? bike : -1);
    // 8.
    if (built) {
        t.Show(kIapToTps);
        t.Show(kLimiter);
        t.Show(kPilotLight);
        t.Show(kIntakeValve);
        t.Show(kTps0);
        t.Show(kTps100);
        t.Show(kAccelThreshold);
        t.Show(kAccelSize);
        t.Show(kStartJet);
        t.Show(kCooling);
        t.ShowRange(kChokeTime, 4);
        t.ShowRange(kChokeCorr, 4);
        t.ShowRange(kWaterTemp, 5);
        t.ShowRange(kAirTemp, 5);
        t.Show(kPrivHyster);
    }
    // 9.
    ApplyFieldRules(w, image);
}
