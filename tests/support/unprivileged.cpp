#include "unprivileged.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace {

// Runs in the child: what it writes is the result, or with a non-zero exit
// the reason there is none.
[[noreturn]] void run_child(const std::function<std::string()>& body, int out) {
  std::string text;
  int status = 0;
  if (::getuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 ||
                          ::setuid(nobody) != 0 || ::getuid() != nobody)) {
    text = "could not become nobody";
    status = 1;
  } else {
    try {
      text = body();
    } catch (const std::exception& error) {
      text = error.what();
      status = 1;
    }
  }
  for (std::size_t written = 0; written < text.size();) {
    ssize_t n = ::write(out, text.data() + written, text.size() - written);
    if (n <= 0) ::_exit(2);
    written += static_cast<std::size_t>(n);
  }
  // Not exit(): the child must not run the test program's exit handlers.
  ::_exit(status);
}

}  // namespace

std::string as_unprivileged(const std::function<std::string()>& body) {
  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) throw std::runtime_error("no pipe for the unprivileged child");
  pid_t child = ::fork();
  if (child < 0) {
    ::close(pipe_ends[0]);
    ::close(pipe_ends[1]);
    throw std::runtime_error("could not fork an unprivileged child");
  }
  if (child == 0) {
    ::close(pipe_ends[0]);
    run_child(body, pipe_ends[1]);
  }
  ::close(pipe_ends[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipe_ends[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  ::close(pipe_ends[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error("unprivileged child failed" + (text.empty() ? "" : ": " + text));
  return text;
}
