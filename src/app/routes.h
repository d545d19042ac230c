// The one table that pairs every control of the window with the handler of each of its events.
// The front end only reports "this control had this event"; which handler runs is decided here.
#pragma once

#include <cstdint>
#include <vector>

class TFormHlav;
class TControl;

enum class TEvent : uint8_t {
    Click,      // button, tool button or menu item
    Up,         // upper arrow of a spinner or spin button
    Down,       // lower arrow
    Leave,      // an edit field loses the focus
    EditClick,  // a mouse click into an edit field
    Enter,      // the Enter key (the front end has already moved the focus on)
    MouseUp,    // mouse button released over a check box
    Change,     // a new selection in a list
    ContextMenu,  // the context menu's own command of a control (a map cell: lock for tuning)
};

struct TRoute {
    using TPlain = void (TFormHlav::*)();
    using TSender = void (TFormHlav::*)(TControl&);
    using TArrow = void (TFormHlav::*)(TControl&, bool up);

    const TControl* control = nullptr;
    TEvent event = TEvent::Click;
    TPlain plain = nullptr;    // handlers that need nothing of the event
    TSender sender = nullptr;  // handlers shared by several controls, told apart by the sender
    TArrow arrow = nullptr;    // spinner handlers, with the arrow that was clicked
};

class TRouteTable {
  public:
    void Add(const TControl& c, TEvent e, TRoute::TPlain h);
    void Add(const TControl& c, TEvent e, TRoute::TSender h);
    void Add(const TControl& c, TEvent e, TRoute::TArrow h);
    // Orders the table for lookup; controls is the number of controls of the window.
    void Seal(size_t controls);
    void Clear();

    const TRoute* Find(const TControl& c, TEvent e) const;
    const std::vector<TRoute>& All() const { return routes_; }

  private:
    std::vector<TRoute> routes_;
    std::vector<uint16_t> first_;  // by control index: first route, routes_.size() for none
};
