// Runs the GUI tests inside a wx application on the (virtual) screen.

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/init.h>

#include <glib.h>

namespace {

// A failed toolkit assertion fails the running test instead of opening a
// dialog that nobody on the virtual screen would close.
void fail_test(const wxString& file, int line, const wxString& function,
               const wxString& condition, const wxString& message) {
  ADD_FAILURE() << "wx assertion " << condition << " (" << message << ") in " << function
                << " at " << file << ":" << line;
}

// So does a call the toolkit refused: GTK says so only on the console.
void fail_test_on_critical(const gchar* domain, GLogLevelFlags, const gchar* message, gpointer) {
  ADD_FAILURE() << (domain != nullptr ? domain : "GLib") << " critical: " << message;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  wxApp::SetInstance(new wxApp);
  wxEntryStart(argc, argv);
  wxSetAssertHandler(fail_test);
  for (const char* domain : {"Gtk", "Gdk", "GLib", "GLib-GObject", "GLib-GIO"})
    g_log_set_handler(domain, G_LOG_LEVEL_CRITICAL, fail_test_on_critical, nullptr);
  wxInitAllImageHandlers();
  if (!wxTheApp->CallOnInit()) return 1;
  // An active loop, so that pending events and timers run between steps.
  wxGUIEventLoop loop;
  wxEventLoopActivator activate(&loop);
  int result = RUN_ALL_TESTS();
  wxTheApp->OnExit();
  wxEntryCleanup();
  return result;
}
