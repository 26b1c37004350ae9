#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

/// The user and group nobody.
inline constexpr uid_t nobody = 65534;

/// Runs `body` in a child process, as nobody when we are root (root ignores
/// file permissions), and returns the text it returned. Throws
/// std::runtime_error, with the reason, when the child could not be started
/// or drop its privileges, when `body` threw, or when the child died.
std::string as_unprivileged(const std::function<std::string()>& body);
