#pragma once

// The controller of the two-panel file tree: it takes the host's two panels
// and their grid-bag sizers, scans a folder, makes one row per folder and file
// in display order, and offers the bulk commands and the rows to rename.
//
// One Filetree is live at a time: constructing one replaces the row library's
// registries and shared row context. A Filetree is built once; another folder
// or other settings take a new Filetree.
//
// Threading: GUI thread only. Errors from the toolkit or the host services
// pass to the caller unchanged; work already done stays done.

#include <filerow/filerow.h>
#include <host/config.h>
#include <host/services.h>
#include <tickpane/changes.h>
#include <tickpane/export.h>

#include <wx/window.h>
#include <wx/weakref.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class wxSizer;
class wxWindow;

namespace tickpane {

using filerow::Filerow;
using filerow::Row;

/// The version text of the tree library.
TICKPANE_API extern const char* const version;
/// Kept for hosts that look for it; nothing reads it.
inline constexpr bool debug = false;
/// The host's diagnostic print; nothing here calls it.
TICKPANE_API void dprint(const std::string& text);

/// a filetree object
class TICKPANE_API Filetree {
 public:
  /// Rows along one path, from the head down.
  using Branchnodes = std::vector<Row>;

  /// instantiate the object. Reads config's location, pattern and (when the
  /// pattern is unset) folders; an error from them leaves the registries and
  /// row context untouched. REQUIRES: the windows and sizers outlive the
  /// tree's use of them; the sizers are wxGridBagSizers.
  Filetree(wxWindow* parent1, wxWindow* parent2, wxSizer* sizer1, wxSizer* sizer2,
           std::shared_ptr<const host::Config> config, host::Transform transform,
           host::Progress on_progress);
  virtual ~Filetree();
  Filetree(const Filetree&) = delete;
  Filetree& operator=(const Filetree&) = delete;

  /// collect all the file/folder names and sort them lexigraphically: the
  /// entries at or below `location` whose own name matches `pattern`, as
  /// paths relative to `location` joined with '/', each once, sorted by
  /// unsigned byte order (std::string's <; code point order for UTF-8).
  ///
  /// Walks top-down (a folder's entries, then its sub-folders in turn) and
  /// never enters a link. config's folders() and recursive() are read at each
  /// call: folder mode collects sub-folders, links to folders included;
  /// otherwise every other entry, broken links included. Not recursive: only
  /// the entries directly in `location`. Folders whose names do not match
  /// are still walked.
  ///
  /// Names are the file system's bytes, kept exactly in std::string, whether
  /// or not they are valid UTF-8 (a Python host gets the strings os.walk
  /// gives, with surrogateescape). Matching reads a name as characters: a
  /// well-formed UTF-8 sequence is one, and so is each other byte, whatever
  /// the process's locale. Pattern: `*` any run of characters, `?` one,
  /// `[a-z]` one of a set, `[!a-z]` one not in it (`]` first is a member, `^`
  /// is not special), anything else itself, case-sensitive. A leading "." is
  /// not special; backslash is an ordinary character, not an escape (`[*]`
  /// matches a star); a `[` without its `]` matches itself; an empty pattern
  /// collects nothing.
  ///
  /// A missing location, or one that is not a folder, gives an empty list; a
  /// folder that cannot be read is left out with all below it. Neither is
  /// reported. While on_progress is set, each folder listed counts
  /// `progresscnt` down (it carries over between calls); a folder that finds
  /// it at 0 is reported as "Processing " + its full path, and the count
  /// starts again at 10, so one report per ten folders. Errors from config or
  /// on_progress pass to the caller.
  ///
  /// build() takes its names from here: a subclass may narrow them.
  virtual std::vector<std::string> get_names();

  /// returns the new rootnodes (the last element of which is the parent for
  /// the files that follow): the row of name's last component and the rows
  /// along its path. `branchnodes` is not changed.
  std::pair<Row, Branchnodes> add_branch(const std::string& name,
                                         const Branchnodes& branchnodes);

  /// build the file tree: scan, make every row in display order, finish them.
  /// Rows' widgets are made hidden and shown a batch of rows at a time (and
  /// at the end, also when the build fails), which spares GTK 3 a restyle of
  /// every sibling per widget; each batch's widgets are made ahead of its
  /// rows, one panel at a time (filerow::HiddenCreation::prepare). The calls
  /// to the host, and the widgets and screen once build() returns, are the
  /// same as with each widget made and shown by its row.
  void build();

  /// Rows per batch of widgets shown together during build(); 0 shows each
  /// widget as it is made. For comparisons; the default suits every size.
  void set_reveal_batch(int rows) { reveal_batch_ = rows; }
  int reveal_batch() const { return reveal_batch_; }

  /// called when a node is added (by build, after each add_branch).
  virtual void on_add_node(const Row& node);
  /// called after last item is added to the filetree.
  virtual void on_built();

  /// sets the state of all checkboxes to the specified value, with the rows
  /// restyled. Throws std::logic_error before build().
  void set_all_checkboxes(wxCheckBoxState state);
  /// Checked rows become unchecked and unchecked checked; mixed stay mixed.
  void invert_all_selections();
  /// untick all leaves - this is called after a rename operation.
  void untick();

  /// Return the next valid item, i.e. item to be renamed: the ticked, checked
  /// rows in display order, each read when the walk reaches it.
  Changes changes() const;
  /// dump the tree: a walk below `node` (the head when null). Throws
  /// std::logic_error when there is no head.
  void dump(Row node = nullptr);
  /// unbind all: unbind() on every row.
  void unbindall();
  /// bind all proposed: the same walk as unbindall().
  void bindall_proposed();

  // Fields. The panels read as null once destroyed.
  wxWindow* wxparent1() const { return wxparent1_.get(); }
  wxWindow* wxparent2() const { return wxparent2_.get(); }
  wxSizer* sizer1() const { return sizer1_; }
  wxSizer* sizer2() const { return sizer2_; }
  const std::shared_ptr<const host::Config>& config() const { return config_; }
  const std::string& location() const { return location_; }
  const std::string& pattern() const { return pattern_; }
  int progresscnt() const { return progresscnt_; }
  const host::Progress& on_progress() const { return on_progress_; }
  int textwidth() const { return textwidth_; }
  int nmbleaves() const { return nmbleaves_; }
  int row_height() const { return row_height_; }
  int rownmb() const { return rownmb_; }
  const Row& head() const { return head_; }

 private:
  void progress(const std::string& text) const;
  void finish_rows();

  wxWeakRef<wxWindow> wxparent1_;
  wxWeakRef<wxWindow> wxparent2_;
  wxSizer* sizer1_;
  wxSizer* sizer2_;
  std::shared_ptr<const host::Config> config_;
  std::string location_;
  std::string pattern_;
  int progresscnt_ = 10;
  host::Progress on_progress_;
  int textwidth_ = 0;
  int nmbleaves_ = 0;
  int row_height_ = 20;
  int rownmb_ = 0;
  Row head_;
  int reveal_batch_ = 128;
};

}  // namespace tickpane
