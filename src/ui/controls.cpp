#include "ui/controls.h"

#include <algorithm>

void TControl::Changed() {
    if (owner != nullptr) owner->MarkDirty(*this);
}

void TControl::SetText(std::string_view t) {
    if (text_ == t) return;
    text_.assign(t.data(), t.size());
    Changed();
}

void TControl::SetHint(std::string_view h) {
    if (hint_ == h) return;
    hint_.assign(h.data(), h.size());
    Changed();
}

void TControl::SetColor(TColor c) {
    if (color_ == c) return;
    color_ = c;
    Changed();
}

void TControl::SetFontColor(TColor c) {
    if (fontColor_ == c) return;
    fontColor_ = c;
    Changed();
}

void TControl::SetVisible(bool v) {
    if (visible_ == v) return;
    visible_ = v;
    Changed();
}

void TControl::SetEnabled(bool e) {
    if (enabled_ == e) return;
    enabled_ = e;
    Changed();
}

void TControl::SetChecked(bool c) {
    if (checked_ == c) return;
    checked_ = c;
    Changed();
}

void TControl::SetPosition(int p) {
    if (kind == TControlKind::UpDown || kind == TControlKind::Gauge) p = std::clamp(p, min_, max_);
    if (position_ == p) return;
    position_ = p;
    Changed();
}

void TControl::SetRange(int mn, int mx) {
    if (min_ == mn && max_ == mx) return;
    min_ = mn;
    max_ = mx;
    position_ = std::clamp(position_, min_, max_);
    Changed();
}

void TControl::SetStep(int s) {
    if (step_ == s) return;
    step_ = s;
    Changed();
}

void TControl::SetItemIndex(int i) {
    if (itemIndex_ == i) return;
    itemIndex_ = i;
    Changed();
}

void TControl::SetMark(bool marked, std::string_view note) {
    if (!marked) note = {};
    if (marked_ == marked && markNote_ == note) return;
    marked_ = marked;
    markNote_.assign(note.data(), note.size());
    Changed();
}

void TWindowModel::Register(TControl& c, TControlKind kind, std::string name, TControl* parent) {
    c.kind = kind;
    c.name = std::move(name);
    c.parent = parent;
    c.owner = this;
    c.index = static_cast<uint16_t>(all_.size());
    all_.push_back(&c);
}

void TWindowModel::Seal() {
    dirtyList_.reserve(all_.size());
    for (TControl* c : all_) c->Reserve(160);
    // Everything counts as changed once, so the front end builds its first picture from it.
    for (TControl* c : all_) MarkDirty(*c);
}

TControl* TWindowModel::Find(std::string_view name) const {
    for (TControl* c : all_)
        if (c->name == name) return c;
    return nullptr;
}

void TWindowModel::MarkDirty(TControl& c) {
    if (c.dirty) return;
    c.dirty = true;
    dirtyList_.push_back(c.index);
}
