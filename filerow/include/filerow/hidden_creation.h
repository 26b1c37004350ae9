#pragma once

#include <filerow/export.h>

#include <wx/string.h>
#include <wx/weakref.h>
#include <wx/window.h>

#include <memory>
#include <string>
#include <vector>

class wxCheckBox;
class wxTextCtrl;

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
  /// Destroys prepared widgets no row took, then shows the collected ones.
  ~HiddenCreation();
  HiddenCreation(const HiddenCreation&) = delete;
  HiddenCreation& operator=(const HiddenCreation&) = delete;

  /// Shows every widget created hidden so far that still exists.
  void reveal();

  /// Makes, hidden, the widgets of the rows about to be made, named `names`
  /// in the order they will be made: first all check boxes in the row
  /// context's left panel, then each row's tick mark and proposed name in the
  /// right one. wx and GTK walk a panel's list of children for every child
  /// added; filling one panel at a time keeps that list in the processor's
  /// cache. Rows take the prepared widgets in order while they ask for what
  /// was prepared: a row with another name, another panel, or a panel whose
  /// children changed meanwhile (a host's own widgets) makes its own, and what
  /// is left is destroyed, so each panel's children end in the order the rows
  /// and the host made them. Widgets prepared earlier and not taken are
  /// destroyed first. Nothing is prepared when both panels are one window.
  void prepare(const std::vector<std::string>& names);

  /// The live instance, or null: rows ask when they create a widget.
  static HiddenCreation* active();

  /// Whether creating hidden is cheaper on this toolkit. From GTK 3.24.39 on
  /// (measured on 3.24.49) it is far dearer: wx shows a hidden text control
  /// for a moment to learn its size, and each such show restyles its many
  /// hidden siblings; its best size is then read from a style GTK has not
  /// computed yet. There, rows are made shown, one by one.
  static bool pays();

  // For rows.
  /// Takes a widget created hidden, to show it with the next batch.
  void collect(wxWindow* widget) { pending_.emplace_back(widget); }
  /// The next prepared check box if it is in `parent` and shows `label`;
  /// otherwise null.
  wxCheckBox* take_checkbox(const wxWindow& parent, const wxString& label);
  /// The next prepared text control if it is in `parent` and has `style`;
  /// otherwise null. Its value is empty; its size is the one a row would
  /// give it if the check boxes prepared so far are the rows' ones.
  wxTextCtrl* take_text(const wxWindow& parent, long style);

 private:
  class Stock;

  std::vector<wxWeakRef<wxWindow>> pending_;
  std::unique_ptr<Stock> left_;
  std::unique_ptr<Stock> right_;
};

}  // namespace filerow
