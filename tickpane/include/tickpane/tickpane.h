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
  /// paths relative to `location` joined with '/', each once, sorted by code
  /// point as a Python host sees them (the order of its sorted()): each byte
  /// that is not part of a well-formed UTF-8 sequence counts as U+DC80 to
  /// U+DCFF, its surrogate escape, so "\xc3\xa9" (é) < "\x80" < "\xff" <
  /// "\xef\xbf\x84" (U+FFC4). For valid UTF-8 this is plain byte order.
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
  /// The walk and the matching are scan()'s (tickpane/scan.h), given
  /// location(), pattern() and config's options.
  ///
  /// build() takes its names from here: a subclass may narrow them.
  virtual std::vector<std::string> get_names();

  /// returns the new rootnodes (the last element of which is the parent for
  /// the files that follow): the row of name's last component and the rows
  /// along its path. `branchnodes` is not changed.
  std::pair<Row, Branchnodes> add_branch(const std::string& name,
                                         const Branchnodes& branchnodes);

  /// build the file tree: scan, make every row in display order, finish them.
  /// Rows' text controls are held back and shown a batch of rows at a time
  /// (and at the end, also when the build fails), which is faster
  /// (docs/performance.md). The calls to the host, what the hooks see of the
  /// rows' widgets, and the widgets and screen once build() returns are the
  /// same as with each widget made and shown by its row.
  void build();

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
  /// rows in display order, each read when the walk reaches it. Nothing is
  /// read before the walk's first step.
  Changes changes() const;
  /// dump the tree: a walk below `node` (the head when null). Throws
  /// std::logic_error when there is no head.
  void dump(Row node = nullptr);
  /// unbind all: unbind() on every row.
  void unbindall();
  /// bind all proposed: the same walk as unbindall().
  void bindall_proposed();

  // Fields. A host may set each of them, and the operations use what it set
  // (the scan its location, pattern and config, add_branch its rownmb and
  // head, ...); setting one changes nothing else, not even the rows' shared
  // context. textwidth and row_height are the host's: nothing here reads
  // them. The panels read as null once destroyed.
  wxWindow* wxparent1() const { return wxparent1_.get(); }
  void set_wxparent1(wxWindow* window) { wxparent1_ = window; }
  wxWindow* wxparent2() const { return wxparent2_.get(); }
  void set_wxparent2(wxWindow* window) { wxparent2_ = window; }
  wxSizer* sizer1() const { return sizer1_; }
  void set_sizer1(wxSizer* sizer) { sizer1_ = sizer; }
  wxSizer* sizer2() const { return sizer2_; }
  void set_sizer2(wxSizer* sizer) { sizer2_ = sizer; }
  const std::shared_ptr<const host::Config>& config() const { return config_; }
  /// Throws std::invalid_argument for null.
  void set_config(std::shared_ptr<const host::Config> config);
  /// The folder scanned. The constructor makes config's location absolute and
  /// normal: "." and empty components dropped, ".." folded, no trailing
  /// separator, a leading "//" kept (POSIX leaves its meaning to the system);
  /// what a host sets is used as it stands.
  const std::string& location() const { return location_; }
  void set_location(std::string location) { location_ = std::move(location); }
  const std::string& pattern() const { return pattern_; }
  void set_pattern(std::string pattern) { pattern_ = std::move(pattern); }
  int progresscnt() const { return progresscnt_; }
  void set_progresscnt(int count) { progresscnt_ = count; }
  const host::Progress& on_progress() const { return on_progress_; }
  void set_on_progress(host::Progress on_progress) { on_progress_ = std::move(on_progress); }
  int textwidth() const { return textwidth_; }
  void set_textwidth(int width) { textwidth_ = width; }
  int nmbleaves() const { return nmbleaves_; }
  void set_nmbleaves(int count) { nmbleaves_ = count; }
  int row_height() const { return row_height_; }
  void set_row_height(int height) { row_height_ = height; }
  int rownmb() const { return rownmb_; }
  void set_rownmb(int rownmb) { rownmb_ = rownmb; }
  const Row& head() const { return head_; }
  void set_head(Row head) { head_ = std::move(head); }

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
};

}  // namespace tickpane
