// Plain value objects for the controls of the main window. Every setter records whether the
// value changed, so the front end can apply only what changed after a handler or a tick.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TControlKind : uint8_t {
    Form,
    Label,
    Edit,
    UpDown,
    CheckBox,
    Gauge,
    MenuItem,
    MenuSeparator,
    ComboBox,
    PageControl,
    TabSheet,
    GroupBox,
    Button,
    SpinButton,
    StatusBar,
    Image,
};

// The named colours of the window.
enum class TColor : uint8_t {
    BtnFace,
    Window,
    Red,
    Yellow,
    Aqua,
    Lime,
    Fuchsia,
    White,
    Blue,
    Black
};

class TWindowModel;

class TControl {
  public:
    TControlKind kind = TControlKind::Label;
    std::string name;
    TControl* parent = nullptr;
    // Geometry inside the parent, in pixels (menus ignore it).
    int left = 0, top = 0, width = 0, height = 0;
    int fontSize = 8;
    bool bold = false;
    std::string shortcut;            // menu items: "F7", "Ctrl+N", ...
    std::vector<std::string> items;  // combo box entries

    const std::string& Text() const { return text_; }
    const std::string& Hint() const { return hint_; }
    TColor Color() const { return color_; }
    TColor FontColor() const { return fontColor_; }
    bool Visible() const { return visible_; }
    bool Enabled() const { return enabled_; }
    bool Checked() const { return checked_; }
    int Position() const { return position_; }
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Step() const { return step_; }
    int ItemIndex() const { return itemIndex_; }
    // A mark of its own, apart from the colours that other states paint (a comparison marks the
    // fields that differ from a file): the front end frames a marked control and adds the note to
    // its tooltip.
    bool Marked() const { return marked_; }
    const std::string& MarkNote() const { return markNote_; }

    void SetText(std::string_view t);
    void SetHint(std::string_view h);
    void SetColor(TColor c);
    void SetFontColor(TColor c);
    void SetVisible(bool v);
    void SetEnabled(bool e);
    void SetChecked(bool c);
    // Spinners and gauges keep their position within [Min, Max].
    void SetPosition(int p);
    void SetRange(int mn, int mx);
    void SetStep(int s);
    void SetItemIndex(int i);
    void SetMark(bool marked, std::string_view note = {});

    // Input from the user through the front end: the widget already shows it, so it does not
    // count as a change to be applied back.
    void UserSetText(std::string_view t) { text_.assign(t.data(), t.size()); }
    void UserSetChecked(bool c) { checked_ = c; }
    void UserSetPosition(int p) { position_ = p; }
    void UserSetItemIndex(int i) { itemIndex_ = i; }

    // Room for texts made once, so rewriting a text later never allocates.
    void Reserve(size_t n) {
        text_.reserve(n);
        hint_.reserve(n);
    }

    bool dirty = false;
    uint16_t index = 0;
    TWindowModel* owner = nullptr;

  private:
    void Changed();

    std::string text_;
    std::string hint_;
    TColor color_ = TColor::BtnFace;
    TColor fontColor_ = TColor::Black;
    bool visible_ = true;
    bool enabled_ = true;
    bool checked_ = false;
    int position_ = 0, min_ = 0, max_ = 100, step_ = 1;
    int itemIndex_ = -1;
    bool marked_ = false;
    std::string markNote_;
};

// Registry of all controls: lookup by name and the list of controls changed since the front end
// last took them. Both lists are sized once when the window is built.
class TWindowModel {
  public:
    void Register(TControl& c, TControlKind kind, std::string name, TControl* parent);
    void Seal();  // after the last Register: reserves the change list

    TControl* Find(std::string_view name) const;
    const std::vector<TControl*>& All() const { return all_; }

    void MarkDirty(TControl& c);
    // Hands the changed controls to fn and clears the change list.
    template <class Fn>
    void TakeChanges(Fn&& fn) {
        for (uint16_t i : dirtyList_) {
            TControl* c = all_[i];
            c->dirty = false;
            fn(*c);
        }
        dirtyList_.clear();
    }
    size_t PendingChanges() const { return dirtyList_.size(); }

  private:
    std::vector<TControl*> all_;
    std::vector<uint16_t> dirtyList_;
};
