#pragma once

#include <filerow/export.h>
#include <filerow/filerow.h>

#include <wx/menu.h>
#include <wx/windowid.h>

class wxSizer;

namespace filerow {

/// define the context menu invoked when rightclicking on the widgets in a row:
/// "Collapse" and "Expand", acting on `node`'s subtree and then re-laying-out
/// whichever of the two panel sizers is set. Lives for one right click.
class FILEROW_API ContextMenu : public wxMenu {
 public:
  /// Builds both items, each styled by the host (menu style) before it is
  /// appended. Throws what the host's styling throws.
  ContextMenu(Row parent, Row node, wxSizer* sizer1, wxSizer* sizer2);

  const Row& parent() const { return parent_; }
  const Row& node() const { return node_; }
  wxSizer* sizer1() const { return sizer1_; }
  wxSizer* sizer2() const { return sizer2_; }
  wxWindowID collapse_id() const { return collapse_id_; }
  wxWindowID expand_id() const { return expand_id_; }

  void on_collapse(wxCommandEvent& event);
  void on_expand(wxCommandEvent& event);

 private:
  wxWindowIDRef add_item(const wxString& label,
                         void (ContextMenu::*handler)(wxCommandEvent&));
  void relayout();

  Row parent_;
  Row node_;
  wxSizer* sizer1_;
  wxSizer* sizer2_;
  wxWindowIDRef collapse_id_;
  wxWindowIDRef expand_id_;
};

}  // namespace filerow
