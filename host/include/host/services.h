#pragma once

// The services through which the row and tree libraries reach their host:
// theme, widget styling, list text, diagnostics, and what to do with an error
// that escapes one of our event handlers. One set is installed per process and
// shared by both libraries; with nothing installed a stand-alone default built
// from the system's fonts and colours serves.
//
// Threading: every call happens on the GUI thread.
// Errors: any service may throw; the libraries pass the error on unchanged to
// the caller of the operation that used the service.

#include <host/export.h>

#include <wx/colour.h>
#include <wx/font.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class wxObject;

namespace host {

/// Proposes a new name for a row's current name. Empty means: propose the name.
using Transform = std::function<std::string(const std::string& name)>;
/// Receives progress texts. Empty means: report nothing.
using Progress = std::function<void(const std::string& text)>;

/// One entry of the host's theme. The libraries hand it back to
/// Services::format_widget unchanged; a host may subclass it to carry its own
/// style object.
class HOST_API Style {
 public:
  virtual ~Style();
};

/// The theme entry for the rows of the tree.
class HOST_API TreeStyle : public Style {
 public:
  virtual wxFont font() const = 0;
  virtual wxFont collapsed_font() const = 0;
  virtual wxFont bold_font() const = 0;
  virtual wxColour background() const = 0;
  virtual wxColour selected_background() const = 0;
};

class HOST_API Services {
 public:
  virtual ~Services();

  /// The theme's tree entry, looked up afresh on every call.
  virtual std::shared_ptr<const TreeStyle> tree_style() = 0;
  /// The theme's menu entry, looked up afresh on every call.
  virtual std::shared_ptr<const Style> menu_style() = 0;
  /// Applies the host's styling to a check box, text control or menu item.
  virtual void format_widget(wxObject& widget, const Style& style) = 0;
  /// Writes `names` as one text, each name between `quote` marks.
  virtual std::string andlist(const std::vector<std::string>& names,
                              const std::string& quote) = 0;
  /// The host's diagnostic print. The libraries hold it but never call it.
  virtual void dprint(const std::string& text) = 0;
  /// Writes one line of the libraries' own output (the build's summary,
  /// unbind's report) where the host's standard output goes, in order with
  /// the host's own writes there. `line` has no line break of its own.
  virtual void print_line(const std::string& line) = 0;
  /// Called, inside a catch block, with an error that escaped one of our
  /// event handlers, so that it never unwinds through the toolkit. Must not
  /// throw; the event loop goes on afterwards.
  virtual void report_handler_error(std::exception_ptr error) = 0;
};

/// The installed services, or the stand-alone default when none are.
HOST_API Services& services();

/// Installs `replacement` for the whole process and returns what was installed
/// before (null for the default). Passing null restores the default.
/// REQUIRES: no library operation is running.
HOST_API std::shared_ptr<Services> install(std::shared_ptr<Services> replacement);

/// Runs `body`; an error it throws goes to report_handler_error instead of
/// further up. Every event handler of the libraries runs through this.
HOST_API void run_guarded(const std::function<void()>& body) noexcept;

/// The stand-alone services: the system's GUI font (italic when collapsed,
/// bold for changed names), the window colour and a light tint of the
/// selection colour, a format_widget that leaves the system's styling, an
/// andlist that writes 'a', 'b' and 'c', a dprint to standard error, lines
/// printed to standard output (flushed at once), and
/// handler errors offered to wxApp::OnExceptionInMainLoop (true: go on;
/// false: the main loop ends) and, when that hook rethrows as its default
/// does, printed to standard error while the application goes on.
class HOST_API DefaultServices : public Services {
 public:
  std::shared_ptr<const TreeStyle> tree_style() override;
  std::shared_ptr<const Style> menu_style() override;
  void format_widget(wxObject& widget, const Style& style) override;
  std::string andlist(const std::vector<std::string>& names,
                      const std::string& quote) override;
  void dprint(const std::string& text) override;
  void print_line(const std::string& line) override;
  void report_handler_error(std::exception_ptr error) override;
};

/// The text of an error for a one-line report: what() for standard
/// exceptions, "unknown error" otherwise.
HOST_API std::string describe(std::exception_ptr error);

}  // namespace host
