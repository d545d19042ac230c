// Tools > Compare with file: the values in which the window's set differs from a parameter file,
// as a table and as marks on the editor fields, until Tools > Close comparison.
#include <cstdio>

#include "app/Hlav.h"
#include "params/param_catalog.h"

void TFormHlav::MenuCompareClick() {
    const std::string path = AskParamFileToOpen();
    if (path.empty()) return;
    const TParamSet mine{image, CheckBoxExtMonitor.Checked()};
    TParamSet other;
    if (!ReportOpenResult(ReadComparedSet(path, mine, other))) return;
    std::vector<TCompareRow> rows = CompareRows(mine, other);
    MenuCloseComparisonClick();  // a comparison still shown gives way
    if (rows.empty()) {
        DialogMessage(Text(TMsg::CompareSame));
        return;
    }
    comparedSet = other;
    comparisonShown = true;
    UpdateComparisonMarks();
    char title[1024];
    std::snprintf(title, sizeof title, Text(TMsg::ComparisonTitle), path.c_str());
    TComparisonTable table{title,
                           Text(TMsg::CompareParameter),
                           Text(TMsg::CompareThisSet),
                           Text(TMsg::CompareFile),
                           std::move(rows),
                           &MenuCloseComparison,
                           &image};
    MenuCloseComparison.SetEnabled(true);
    platform.dialogs->ShowComparison(table);
}

// The marks follow the set: an edit, an undo or a read that brings a field to the file's value
// clears its mark, one that takes it away marks it. Only values a parameter file holds count.
void TFormHlav::UpdateComparisonMarks() {
    if (!comparisonShown) return;
    char value[48];
    char note[128];
    for (int i = 0; i < fields.count; ++i) {
        const TFieldBinding& b = fields.bindings[static_cast<size_t>(i)];
        if (b.edit == nullptr || FileParam(b.field) == nullptr) continue;
        const int theirs = ShownValue(comparedSet.image, b.field, b.element);
        if (ShownValue(image, b.field, b.element) == theirs) {
            b.edit->SetMark(false);
            continue;
        }
        FormatShownWithUnit(value, sizeof value, b.field, theirs);
        std::snprintf(note, sizeof note, Text(TMsg::CompareNote), value);
        b.edit->SetMark(true, note);
    }
}

void TFormHlav::MenuCloseComparisonClick() {
    for (int i = 0; i < fields.count; ++i) {
        TControl* edit = fields.bindings[static_cast<size_t>(i)].edit;
        if (edit != nullptr) edit->SetMark(false);
    }
    MenuCloseComparison.SetEnabled(false);
    if (!comparisonShown) return;
    comparisonShown = false;
    platform.dialogs->CloseComparison();
}
