#include <fsname/path.h>

#include <filesystem>

namespace fsname {

constexpr char separator = '/';

std::string join(const std::vector<std::string>& parts) {
  std::string path;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) path += separator;
    path += parts[i];
  }
  return path;
}

std::vector<std::string> split(std::string_view path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = path.find(separator, start)) != std::string_view::npos;
       start = at + 1)
    parts.emplace_back(path.substr(start, at - start));
  parts.emplace_back(path.substr(start));
  return parts;
}

std::string child_path(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path.append(folder);
  if (path.back() != separator) path.push_back(separator);
  path.append(name);
  return path;
}

std::string_view last_part(std::string_view path) {
  const std::size_t slash = path.rfind(separator);
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string absolute_path(const std::string& path) {
  std::string full = path;
  if (full.empty() || full.front() != separator) {
    std::string here = std::filesystem::current_path().string();
    full = full.empty() ? here : here + separator + full;
  }
  const bool double_root = full.compare(0, 2, "//") == 0 && full.compare(0, 3, "///") != 0;
  std::vector<std::string> parts;
  for (std::string& part : split(full)) {
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(std::move(part));
    }
  }
  std::string normal = double_root ? "/" : "";
  for (const std::string& part : parts) {
    normal += separator;
    normal += part;
  }
  if (parts.empty()) normal += separator;
  return normal;
}

}  // namespace fsname
