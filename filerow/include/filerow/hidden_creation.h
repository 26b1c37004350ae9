#pragma once

#include <filerow/export.h>

#include <wx/window.h>
#include <wx/weakref.h>

#include <vector>

namespace filerow {

/// While one of these lives, rows create their widgets hidden and collect
/// them; reveal() shows what was collected so far and the destructor shows the
/// rest, also when an error ends the work early. On GTK 3 every widget shown
/// among many siblings restyles all of them, so showing a batch at once costs
/// one restyle per batch instead of one per widget. What a host can see once
/// the last batch is shown is the same as with widgets shown one by one.
///
/// REQUIRES: one at a time, on the GUI thread.
class FILEROW_API HiddenCreation {
 public:
  HiddenCreation();
  ~HiddenCreation();
  HiddenCreation(const HiddenCreation&) = delete;
  HiddenCreation& operator=(const HiddenCreation&) = delete;

  /// Shows every widget created hidden so far that still exists.
  void reveal();

  /// The live instance, or null: rows ask when they create a widget.
  static HiddenCreation* active();
  /// Takes a widget created hidden, to show it with the next batch.
  void collect(wxWindow* widget) { pending_.emplace_back(widget); }

 private:
  std::vector<wxWeakRef<wxWindow>> pending_;
};

}  // namespace filerow
