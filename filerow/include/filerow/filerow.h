#pragma once

// The rows of the two-panel file tree. Each Filerow stands for one folder or
// file below the shown folder and draws itself as a tri-state check box in the
// left panel and a tick-mark cell plus an editable proposed name in the right
// panel, on the same line of each panel's grid-bag sizer.
//
// Names are the file system's bytes, kept exactly in std::string: a name that
// is not valid UTF-8 stays as it is in `branch`, `name` and `stem`, so that a
// host can rename that very file. Widgets show such a name with U+FFFD in
// place of each invalid byte, and a control character as its picture
// (U+2400 + code, U+2421 for DEL), so that a row stays one line high
// (filerow/display_text.h, for hosts too). Comparisons of a widget's text
// with a name go through that same display form, and `newname` gives back
// the exact bytes of `name`, or of the row's `proposal`, while the proposed
// text still reads as that name or proposal. Once the user edits it,
// `newname` gives the name the text shows: its unchanged beginning and end
// keep the proposal's exact bytes, and in the part typed, each control
// picture stands for its control character again. A file thus gets the name the user sees or the one
// proposed, never one with pictures where the proposal had control
// characters. (A picture typed on purpose turns into its control character
// too: the display could not tell the two apart afterwards.)
//
// Threading: everything here runs on the GUI thread; nothing is locked.
// Ownership: widgets belong to the host's panels, cell sizers to the panel
// sizers. Rows are held by the registries and by their parents' children; a
// row refers to its parent weakly and to its widgets through weak references,
// so a row outliving either sees null instead of a dangling pointer.

#include <filerow/export.h>
#include <filerow/ordered_map.h>
#include <host/services.h>

#include <wx/checkbox.h>
#include <wx/textctrl.h>
#include <wx/weakref.h>

#include <any>
#include <memory>
#include <string>
#include <vector>

class wxGridBagSizer;
class wxSizer;
class wxWindow;

namespace filerow {

class Filerow;
using Row = std::shared_ptr<Filerow>;

/// The version text of the row library.
FILEROW_API extern const char* const version;
/// Kept for hosts that look for it; nothing reads it.
inline constexpr bool debug = false;
/// The host's diagnostic print; nothing here calls it.
FILEROW_API void dprint(const std::string& text);

/// A registry: the identity (address) of a row's widget to the row.
using Registry = OrderedMap<const wxWindow*, Row>;

/// Check boxes to their rows, in the order the rows were created.
FILEROW_API std::shared_ptr<Registry> nodes();
/// Proposed-name controls to their rows, in the order the rows were created.
FILEROW_API std::shared_ptr<Registry> propnodes();
/// Replaces `nodes`, then `propnodes`, by new empty registries. Whoever still
/// holds the old ones keeps them intact.
FILEROW_API void replace_registries();

/// The widest row check box made so far in this process, in pixels; it only
/// grows and sets the width of every right-panel text control made after it.
FILEROW_API int textwidth();
FILEROW_API void set_textwidth(int width);

/// The values that every row shares; a Filetree sets them before it makes
/// any row. Windows are held weakly and read as null once destroyed.
/// REQUIRES: the sizers live as long as their windows.
struct RowContext {
  wxWindow* wxparent1 = nullptr;  ///< left panel: owner of the check boxes
  wxWindow* wxparent2 = nullptr;  ///< right panel: owner of the text controls
  wxSizer* sizer1 = nullptr;      ///< left panel's grid-bag sizer
  wxSizer* sizer2 = nullptr;      ///< right panel's grid-bag sizer
  host::Transform transform;      ///< proposes names; empty: keep the name
};

class ContextMenu;

/// Object to hold details of filetree row.
///
/// Invariants: a row with indent -1 (the head) never has widgets; any other
/// row has its check box from the end of its construction, and its tick and
/// proposed controls once setup_rightside has run. Every check box and
/// proposed control a row makes is entered in nodes() or propnodes().
class FILEROW_API Filerow : public std::enable_shared_from_this<Filerow> {
 public:
  using Branch = std::vector<std::string>;
  using Children = OrderedMap<std::string, Row>;

  /// Makes a row. `branch` is the path from the head: "" then the path's
  /// components. A row with indent above -1 builds its left side at grid line
  /// `rownmb` before this returns. Throws std::out_of_range for such a row
  /// with an empty branch, and whatever the toolkit or host throws; then no
  /// row is returned (widgets already made stay in the panel).
  static Row create(Branch branch, Row parent, int indent, int rownmb);
  ~Filerow();
  Filerow(const Filerow&) = delete;
  Filerow& operator=(const Filerow&) = delete;

  // Class-wide context.
  static RowContext context();
  static void set_context(const RowContext& context);

  // Fields. A host may set each of them; the row's operations use what it
  // set. Setting one changes nothing else: `stem` stays as the constructor
  // made it when `branch` changes, the registries keep the widgets the row
  // made, and those stay bound to the row's handlers.
  const Branch& branch() const { return branch_; }
  void set_branch(Branch branch) { branch_ = std::move(branch); }
  const std::string& stem() const { return stem_; }
  void set_stem(std::string stem) { stem_ = std::move(stem); }
  /// The row one level up; null for the head, or once the parent is gone:
  /// a row refers to its parent weakly, its parent's children strongly.
  Row parent() const { return parent_.lock(); }
  /// Throws std::invalid_argument when `parent` is this row or a row whose
  /// parents lead to it: climbing the parents must end.
  void set_parent(const Row& parent);
  int indent() const { return indent_; }
  void set_indent(int indent) { indent_ = indent; }
  bool collapsed() const { return collapsed_; }
  void set_collapsed(bool collapsed) { collapsed_ = collapsed; }
  bool ticked() const { return ticked_; }
  void set_ticked(bool ticked) { ticked_ = ticked; }
  const Children& children() const { return children_; }
  /// The children's rows as they are now, in order: a walk over them is safe
  /// while the walk itself changes the children.
  std::vector<Row> child_rows() const;
  /// The three that change children throw std::invalid_argument, and change
  /// nothing, for a null row or one that would end up below itself: walking
  /// the children must end.
  void set_children(Children children);
  /// Enters `child` under `name`, replacing (in its place) a child entered
  /// under that name.
  void set_child(const std::string& name, Row child);
  /// Removes the child entered under `name`; false when there is none.
  bool remove_child(const std::string& name) { return children_.erase(name); }
  wxCheckBox* checkbox() const { return checkbox_.get(); }
  void set_checkbox(wxCheckBox* checkbox) { checkbox_ = checkbox; }
  wxTextCtrl* tick() const { return tick_.get(); }
  void set_tick(wxTextCtrl* tick) { tick_ = tick; }
  wxTextCtrl* proposed() const { return proposed_.get(); }
  void set_proposed(wxTextCtrl* proposed) { proposed_ = proposed; }
  /// The exact bytes proposed for the row: those its proposed control was
  /// made showing, until the host sets others, as it does when it shows
  /// another proposal there. The proposed text reads as the proposal until
  /// the user edits it: compare it with to_display(proposal()).
  const std::string& proposal() const { return proposal_; }
  void set_proposal(std::string proposal) { proposal_ = std::move(proposal); }

  /// Whatever the host keeps with the row (a Python host: the attributes it
  /// sets on the row). The row only holds it, and drops it with itself.
  std::any& host_data() { return host_data_; }

  /// Return the final element of the branch. Throws std::out_of_range when
  /// the branch is empty.
  const std::string& name() const;
  /// Return true if this is a leaf node (i.e. has no children).
  bool leaf() const { return children_.empty(); }
  /// The proposed text if not empty, else `name`, as bytes: the exact bytes
  /// of the proposal or name the text reads as, else the name the edited
  /// text shows (see above).
  /// Throws std::logic_error when the right side is not set up.
  std::string newname() const;
  /// An integer unique to this row while it lives (its address).
  std::uintptr_t identity() const { return reinterpret_cast<std::uintptr_t>(this); }

  /// add self as child of parent (replacing a child of the same name).
  void update_parent();

  // Widgets. Each makes new widgets and cells every time it runs.
  /// set up the node: both sides at once, with a blank tick mark.
  void setup(int rownmb);
  /// set up the node: check box and left cell, entered in nodes().
  void setup_leftside(int rownmb);
  /// set up the widgets on the right-hand side; sets `ticked`.
  void setup_rightside(int rownmb);

  /// "<Filerow: name: 'NAME', parent: PARENT (ID), indent: N\n    children: LIST>"
  std::string to_string() const;

  // Formatting: fonts, the host's styling and backgrounds from the row's
  // state and the theme; never repaints.
  void format_row();
  void format_row_leftside();
  void format_row_rightside();
  void xformat_row();

  // Tri-state selection.
  void set_checkbox_state(wxCheckBoxState state);
  void up_check(wxCheckBoxState state);
  void down_check(wxCheckBoxState state);
  void propagate_checkbox_state(wxCheckBoxState state);

  // Events. Bound handlers run guarded (host::run_guarded); called directly,
  // they pass their errors on.
  void checkbox_click(wxCommandEvent& event);
  void on_right_click(wxMouseEvent& event);
  void on_proposed_update(wxCommandEvent& event);
  /// set the binding for right click on the check box.
  void set_right_click();
  /// Binds this row's right-click handler on `widget` once more (the tree
  /// does so on proposed-name controls and folders' check boxes).
  void bind_right_click(wxWindow& widget);
  /// unbind all events for this node (called when tree is being destroyed).
  /// A failure is not passed on: it prints "Exception: on unbinding checkbox:
  /// TEXT" through the host's print_line, whose own errors do pass on.
  void unbind();

  // Folding: hide or show every row below this one; the caller re-lays-out.
  void collapse();
  void expand();

 private:
  Filerow(Branch branch, Row parent, int indent);

  // The functions bound to the widgets: the operations above, guarded.
  void handle_checkbox(wxCommandEvent& event);
  void handle_right_click(wxMouseEvent& event);
  void handle_proposed_update(wxCommandEvent& event);

  void add_left_cell(int rownmb);
  void make_tick(const std::string& tickvalue);
  void make_proposed(const std::string& newname);
  std::string propose() const;
  void align_heights();
  wxGridBagSizer& right_grid();
  /// Width of the indentation spacer in both cells.
  int spacer() const;
  void embolden_if_changed();
  /// Collapses or expands this row and every row below it, restyling each,
  /// and adds the widgets of the rows below to `below`, to hide or show.
  void fold(bool collapse, std::vector<wxWindow*>& below);
  /// Whether `row` is this row or below it.
  bool holds(const Filerow& row) const;
  /// Remembers `widget` as one bound to this row's handlers.
  void bound_to(wxWindow* widget);

  Branch branch_;
  std::string stem_;
  std::weak_ptr<Filerow> parent_;
  int indent_;
  bool collapsed_ = false;
  bool ticked_ = false;
  Children children_;
  wxWeakRef<wxCheckBox> checkbox_;
  wxWeakRef<wxTextCtrl> tick_;
  wxWeakRef<wxTextCtrl> proposed_;
  std::string proposal_;
  std::vector<wxWeakRef<wxWindow>> bound_;  ///< unbound when the row goes
  std::any host_data_;
};

/// The tick-mark text of a row whose proposed name is a change.
FILEROW_API extern const char* const tick_mark;

}  // namespace filerow
