// The widgets of a row: the left cell (indent spacer, check box) and the
// right cell (tick mark, indent spacer, proposed name), on grid line rownmb
// of each panel's grid-bag sizer.

#include <filerow/cell_grid.h>
#include <filerow/display_text.h>
#include <filerow/filerow.h>

#include <wx/gbsizer.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "check_marks.h"
#include "held_back.h"
#include "row_widgets.h"
#include "shared_style.h"

namespace filerow {

namespace {

constexpr int indent_step = 15;
constexpr const char* blank_tick = "  ";

wxGridBagSizer& grid(wxSizer* sizer, const char* which) {
  auto* bag = dynamic_cast<wxGridBagSizer*>(sizer);
  if (bag == nullptr)
    throw std::logic_error(std::string("Filerow: ") + which +
                           " is not set to a grid-bag sizer");
  return *bag;
}

wxWindow& window(wxWindow* parent, const char* which) {
  if (parent == nullptr)
    throw std::logic_error(std::string("Filerow: ") + which + " is not set or was destroyed");
  return *parent;
}

// Places a cell. A grid line already taken is refused with an error rather
// than the toolkit's assertion; the sizer's own check finds it, so the
// assertion is silenced for the call instead of searching the grid twice.
void place(wxGridBagSizer& sizer, std::unique_ptr<wxBoxSizer> cell, int rownmb, int column,
           int flag) {
  if (rownmb < 0)
    throw std::invalid_argument("Filerow: grid line " + std::to_string(rownmb) +
                                " is below the first");
  // The item owns the cell; the sizer takes the item unless it refuses it.
  auto item = std::make_unique<wxGBSizerItem>(cell.release(), wxGBPosition(rownmb, column),
                                              wxDefaultSpan, flag, 2, nullptr);
  wxAssertHandler_t handler = wxSetAssertHandler(nullptr);
  auto* fast = dynamic_cast<CellGrid*>(&sizer);
  wxSizerItem* placed = fast ? fast->add_cell(item.get()) : sizer.Add(item.get());
  wxSetAssertHandler(handler);
  if (placed == nullptr)
    throw std::invalid_argument("Filerow: grid line " + std::to_string(rownmb) +
                                " already holds a cell in column " + std::to_string(column));
  item.release();
}

// A row's text control, held back while a build is on.
wxTextCtrl* new_text(wxWindow& parent, const wxString& value, const wxSize& size,
                     long style) {
  if (HeldBack* build = HeldBack::active()) return build->create_text(parent, value, size, style);
  return create_text(parent, value, size, style);
}

void created(bool made) {
  if (!made) throw std::runtime_error("Filerow: the toolkit could not create a widget");
}

}  // namespace

wxCheckBox* create_checkbox(wxWindow& parent, const wxString& label) {
  auto box = std::make_unique<RowCheckBox>();
  created(box->Create(&parent, wxID_ANY, label, wxDefaultPosition, wxDefaultSize,
                      wxCHK_3STATE));
  return box.release();
}

bool create(RowText& text, wxWindow& parent, const wxString& value, const wxSize& size,
            long style) {
  if (!text.Create(&parent, wxID_ANY, value, wxDefaultPosition, size, style & ~wxBORDER_NONE))
    return false;
  if (style & wxBORDER_NONE) {
    text.SetWindowStyleFlag(style);
    make_borderless(text.GetHandle());
    text.InvalidateBestSize();
  }
  return true;
}

RowText* create_text(wxWindow& parent, const wxString& value, const wxSize& size, long style) {
  auto text = std::make_unique<RowText>();
  created(create(*text, parent, value, size, style));
  // The size wx would have given it, made with its border style.
  text->SetInitialSize(size);
  return text.release();
}

void RowCheckBox::DoApplyWidgetStyle(GtkRcStyle* style) {
  if (apply_look(m_widget, m_foregroundColour, m_backgroundColour, m_font, look_)) {
    fit_check_marks(m_widget, look_);
    return;
  }
  drop_look(m_widget, look_);
  wxCheckBox::DoApplyWidgetStyle(style);
}

void RowText::DoApplyWidgetStyle(GtkRcStyle* style) {
  if (apply_look(m_widget, m_foregroundColour, m_backgroundColour, m_font, look_)) return;
  drop_look(m_widget, look_);
  wxTextCtrl::DoApplyWidgetStyle(style);
}

bool RowText::Show(bool show) {
  if (!held_) return wxTextCtrl::Show(show);
  bool changed = wanted_ != show;
  wanted_ = show;
  return changed;
}

bool RowText::IsShown() const { return held_ ? wanted_ : wxTextCtrl::IsShown(); }

bool RowText::SetFont(const wxFont& font) {
  if (!wxTextCtrl::SetFont(font)) return false;
  measured_ = wxDefaultSize;
  return true;
}

void RowText::reveal() {
  if (!held_) return;
  held_ = false;
  if (wanted_) wxTextCtrl::Show(true);
}

wxSize RowText::DoGetBestSize() const {
  return measured_ != wxDefaultSize ? measured_ : wxTextCtrl::DoGetBestSize();
}

int Filerow::spacer() const { return indent_step * std::max(0, indent_); }

std::string Filerow::propose() const {
  const host::Transform& transform = context().transform;
  return transform ? transform(name()) : name();
}

void Filerow::add_left_cell(int rownmb) {
  RowContext shared = context();
  // The panel first: a destroyed panel took its sizer with it.
  wxWindow& parent = window(shared.wxparent1, "wxparent1");
  wxGridBagSizer& sizer1 = grid(shared.sizer1, "sizer1");
  auto cell1_sizer = std::make_unique<wxBoxSizer>(wxHORIZONTAL);
  wxCheckBox* box = create_checkbox(parent, to_label(name()));
  checkbox_ = box;
  set_textwidth(std::max(textwidth(), box->GetSize().GetWidth()));
  box->Bind(wxEVT_CHECKBOX, &Filerow::handle_checkbox, this);
  bound_to(box);
  cell1_sizer->AddSpacer(spacer());
  cell1_sizer->Add(box, 0, wxALL, 0);
  place(sizer1, std::move(cell1_sizer), rownmb, 0, 1);
}

void Filerow::setup_leftside(int rownmb) {
  add_left_cell(rownmb);
  nodes()->insert(checkbox(), shared_from_this());
}

void Filerow::make_tick(const std::string& tickvalue) {
  wxWindow& parent = window(context().wxparent2, "wxparent2");
  wxTextCtrl* mark =
      new_text(parent, wxString::FromUTF8(tickvalue), wxSize(textwidth(), -1), tick_style);
  tick_ = mark;
  mark->SetMinSize(wxSize(20, -1));
}

void Filerow::make_proposed(const std::string& newname) {
  wxWindow& parent = window(context().wxparent2, "wxparent2");
  proposal_ = newname;
  wxTextCtrl* text =
      new_text(parent, to_display(newname), wxSize(textwidth(), -1), proposed_style);
  proposed_ = text;
  text->Bind(wxEVT_TEXT, &Filerow::handle_proposed_update, this);
  bound_to(text);
  align_heights();
}

void Filerow::align_heights() {
  // Each panel's sizer sizes its grid lines on its own, and on GTK 3 a check
  // box stands taller than a borderless text control: one height for all
  // three widgets keeps the two panels aligned row by row.
  wxCheckBox* box = checkbox();
  if (box == nullptr) return;
  int height = std::max(
      {box->GetBestSize().y, tick()->GetBestSize().y, proposed()->GetBestSize().y});
  for (wxWindow* widget : {static_cast<wxWindow*>(box), static_cast<wxWindow*>(tick()),
                           static_cast<wxWindow*>(proposed())})
    widget->SetMinSize(wxSize(widget->GetMinSize().x, height));
}

wxGridBagSizer& Filerow::right_grid() {
  RowContext shared = context();
  window(shared.wxparent2, "wxparent2");  // a destroyed panel took its sizer with it
  return grid(shared.sizer2, "sizer2");
}

void Filerow::setup_rightside(int rownmb) {
  wxGridBagSizer& sizer2 = right_grid();
  auto cell2_sizer = std::make_unique<wxBoxSizer>(wxHORIZONTAL);
  std::string newname = propose();
  ticked_ = !newname.empty() && newname != name();
  make_tick(ticked_ ? tick_mark : blank_tick);
  make_proposed(newname);
  cell2_sizer->Add(tick(), 0, wxALL | wxEXPAND, 0);
  cell2_sizer->AddSpacer(spacer());
  cell2_sizer->Add(proposed(), 0, wxALL | wxEXPAND, 0);
  place(sizer2, std::move(cell2_sizer), rownmb, 1, wxEXPAND);
  propnodes()->insert(proposed(), shared_from_this());
}

void Filerow::setup(int rownmb) {
  add_left_cell(rownmb);
  wxGridBagSizer& sizer2 = right_grid();
  auto cell2_sizer = std::make_unique<wxBoxSizer>(wxHORIZONTAL);
  make_tick(blank_tick);
  make_proposed(propose());
  cell2_sizer->AddSpacer(spacer());
  cell2_sizer->Add(tick(), 0, wxALL | wxEXPAND, 0);
  cell2_sizer->Add(proposed(), 0, wxALL | wxEXPAND, 0);
  place(sizer2, std::move(cell2_sizer), rownmb, 1, wxEXPAND);
  Row self = shared_from_this();
  nodes()->insert(checkbox(), self);
  propnodes()->insert(proposed(), self);
}

}  // namespace filerow
