#include <host/config.h>

namespace host {

Config::~Config() = default;

PlainConfig::PlainConfig(std::string location, std::optional<std::string> pattern,
                         bool folders, bool recursive)
    : location_(std::move(location)),
      pattern_(std::move(pattern)),
      folders_(folders),
      recursive_(recursive) {}

}  // namespace host
