#include <algorithm>

#include "app/routes.h"
#include "ui/controls.h"

void TRouteTable::Add(const TControl& c, TEvent e, TRoute::TPlain h) {
    routes_.push_back({&c, e, h, nullptr, nullptr});
}
void TRouteTable::Add(const TControl& c, TEvent e, TRoute::TSender h) {
    routes_.push_back({&c, e, nullptr, h, nullptr});
}
void TRouteTable::Add(const TControl& c, TEvent e, TRoute::TArrow h) {
    routes_.push_back({&c, e, nullptr, nullptr, h});
}

void TRouteTable::Clear() {
    routes_.clear();
    first_.clear();
}

void TRouteTable::Seal(size_t controls) {
    std::stable_sort(routes_.begin(), routes_.end(), [](const TRoute& a, const TRoute& b) {
        return a.control->index < b.control->index;
    });
    first_.assign(controls, static_cast<uint16_t>(routes_.size()));
    for (size_t i = routes_.size(); i-- > 0;)
        first_[routes_[i].control->index] = static_cast<uint16_t>(i);
}

const TRoute* TRouteTable::Find(const TControl& c, TEvent e) const {
    if (c.index >= first_.size()) return nullptr;
    for (size_t i = first_[c.index]; i < routes_.size() && routes_[i].control == &c; ++i)
        if (routes_[i].event == e) return &routes_[i];
    return nullptr;
}
