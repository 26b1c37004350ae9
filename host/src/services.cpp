#include <host/services.h>

#include <cstdio>
#include <exception>

namespace host {

Style::~Style() = default;
Services::~Services() = default;

namespace {

// The one set of services of the process. It lives in libtickhost, which both
// libraries link, so they always agree on it.
std::shared_ptr<Services>& installed() {
  static std::shared_ptr<Services> current;
  return current;
}

}  // namespace

Services& services() {
  static DefaultServices fallback;
  auto& current = installed();
  return current ? *current : fallback;
}

std::shared_ptr<Services> install(std::shared_ptr<Services> replacement) {
  return std::exchange(installed(), std::move(replacement));
}

void run_guarded(const std::function<void()>& body) noexcept {
  try {
    body();
  } catch (...) {
    try {
      services().report_handler_error(std::current_exception());
    } catch (...) {
      // The reporter broke its promise; the event loop must still go on.
      std::fputs("Error in event handler, and its report failed\n", stderr);
    }
  }
}

std::string describe(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "unknown error";
  }
}

}  // namespace host
