// Tools > Compare with file: the values in which the window's set differs from a parameter file,
// as a table and as marks on the editor fields, until Tools > Close comparison.
#include <cstdio>

#include "app/Hlav.h"

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
    MarkComparedFields(rows);
    char title[1024];
    std::snprintf(title, sizeof title, Text(TMsg::ComparisonTitle), path.c_str());
    TComparisonTable table{title,
                           Text(TMsg::CompareParameter),
                           Text(TMsg::CompareThisSet),
                           Text(TMsg::CompareFile),
                           std::move(rows),
                           &MenuCloseComparison};
    comparisonShown = true;
    MenuCloseComparison.SetEnabled(true);
    platform.dialogs->ShowComparison(table);
}

// Each editor field of a differing value is marked, its note giving the file's value.
void TFormHlav::MarkComparedFields(const std::vector<TCompareRow>& rows) {
    char note[128];
    for (const TCompareRow& row : rows) {
        if (row.change.field == TField::Count) continue;
        const TFieldBinding* b = fields.ByField(row.change.field, row.change.element);
        if (b == nullptr || b->edit == nullptr) continue;
        std::snprintf(note, sizeof note, Text(TMsg::CompareNote), row.other.c_str());
        b->edit->SetMark(true, note);
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
