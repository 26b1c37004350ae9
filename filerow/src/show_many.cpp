#include "show_many.h"

#include <wx/window.h>

#include <algorithm>
#include <deque>
#include <unordered_map>
#include <utility>

namespace filerow {

namespace {

struct Place {
  std::size_t panel;    // by first appearance among the widgets
  std::size_t sibling;  // among its panel's children
};

// The widgets grouped by panel, each group in its panel's order of children.
std::vector<wxWindow*> in_sibling_order(const std::vector<wxWindow*>& widgets) {
  std::unordered_map<const wxWindow*, Place> places;
  std::vector<wxWindow*> panels;
  for (wxWindow* widget : widgets) {
    auto panel = std::find(panels.begin(), panels.end(), widget->GetParent());
    if (panel == panels.end()) panel = panels.insert(panels.end(), widget->GetParent());
    places[widget] = {static_cast<std::size_t>(panel - panels.begin()), 0};
  }
  for (wxWindow* panel : panels) {
    std::size_t sibling = 0;
    for (wxWindow* child : panel->GetChildren()) {
      auto place = places.find(child);
      if (place != places.end()) place->second.sibling = sibling;
      ++sibling;
    }
  }
  std::vector<wxWindow*> sorted = widgets;
  std::sort(sorted.begin(), sorted.end(), [&](const wxWindow* a, const wxWindow* b) {
    const Place& pa = places.at(a);
    const Place& pb = places.at(b);
    return std::pair(pa.panel, pa.sibling) < std::pair(pb.panel, pb.sibling);
  });
  return sorted;
}

}  // namespace

void show_many(const std::vector<wxWindow*>& widgets, bool show) {
  const std::vector<wxWindow*> sorted = in_sibling_order(widgets);
  std::vector<wxWindow*> order;
  order.reserve(sorted.size());
  std::size_t begin = 0;
  while (begin < sorted.size()) {
    std::size_t end = begin;
    while (end < sorted.size() && sorted[end]->GetParent() == sorted[begin]->GetParent()) ++end;
    // Breadth first, so that every gap is halved before any is halved again.
    std::deque<std::pair<std::size_t, std::size_t>> gaps{{begin, end}};
    while (!gaps.empty()) {
      auto [first, last] = gaps.front();
      gaps.pop_front();
      if (first == last) continue;
      const std::size_t middle = first + (last - first) / 2;
      order.push_back(sorted[middle]);
      gaps.emplace_back(first, middle);
      gaps.emplace_back(middle + 1, last);
    }
    begin = end;
  }
  if (!show) std::reverse(order.begin(), order.end());
  for (wxWindow* widget : order) widget->Show(show);
}

}  // namespace filerow
