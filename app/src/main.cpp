// bulkrename: proposes new names for the files (or folders) below a folder
// and renames the ones the user ticks, or, without a screen, prints what a
// rename would do, does it, or puts back the last one.

#include <tickpane/tickpane.h>

#include <wx/app.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app.h"
#include "commands.h"
#include "journal.h"
#include "memory_setup.h"
#include "options.h"
#include "sample.h"

using namespace bulkrename;

namespace {

bool has_screen() {
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

// A standard stream closed by whoever started us takes /dev/null, so that no
// file we open (a journal) gets its number and our output. Returns whether
// standard output was closed.
bool occupy_closed_streams() {
  bool output_closed = false;
  for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    if (fd == STDOUT_FILENO) output_closed = true;
    ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
  }
  return output_closed;
}

int run_without_window(const Options& options) {
  if (options.dry_run)
    return dry_run(options, options.folder.empty() ? sample_folder() : options.folder,
                   std::cout, std::cerr);
  if (options.apply) return apply(options, options.folder, journal_folder(), std::cout, std::cerr);
  return undo(journal_folder(), std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
  route_glib_slices_to_malloc(argv);
  const bool output_closed = occupy_closed_streams();
  Options options;
  try {
    options = parse_options(std::vector<std::string>(argv + 1, argv + argc));
    Proposal check(options.rules);
  } catch (const std::invalid_argument& error) {
    std::cerr << "bulkrename: " << error.what() << "\nTry 'bulkrename --help'.\n";
    return status_usage;
  }
  if (options.help) {
    std::cout << usage();
    return 0;
  }
  if (options.version) {
    std::cout << "bulkrename " << BULKRENAME_VERSION << " (tickpane " << tickpane::version
              << ")\n";
    return 0;
  }
  std::error_code error;
  if (!options.folder.empty() && !std::filesystem::is_directory(options.folder, error)) {
    std::cerr << "bulkrename: " << options.folder << " is not a folder\n";
    return status_usage;
  }

  if (options.dry_run || options.apply || options.undo) {
    if (output_closed) {
      std::cerr << "bulkrename: standard output is closed, so nothing was done\n";
      return status_problems;
    }
    try {
      return run_without_window(options);
    } catch (const std::exception& failure) {
      std::cerr << "bulkrename: " << failure.what() << '\n';
      return status_problems;
    }
  }

  std::string folder = options.folder;
  std::unique_ptr<Scratch> scratch;
  try {
    if (folder.empty()) {
      scratch = std::make_unique<Scratch>(sample_folder());
      folder = scratch->path();
    }
  } catch (const std::exception& failure) {
    std::cerr << "bulkrename: " << failure.what() << '\n';
    return 1;
  }
  if (!has_screen()) {
    std::cerr << "bulkrename: there is no screen ($DISPLAY is empty). Use --dry-run, or run\n"
                 "  xvfb-run -a bulkrename --screenshot shot.png ...\n";
    return 1;
  }
  wxApp::SetInstance(new App(options, folder, std::move(scratch)));
  // The toolkit sees the program name only: every argument was ours.
  int toolkit_argc = 1;
  char* toolkit_argv[] = {argv[0], nullptr};
  return wxEntry(toolkit_argc, toolkit_argv);
}
