#include "sample.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace bulkrename {

std::string sample_folder() {
  std::error_code error;
  fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (!error) {
    fs::path installed = program.parent_path().parent_path() / "share/bulkrename/sample";
    if (fs::is_directory(installed, error)) return installed.string();
  }
  if (fs::is_directory(BULKRENAME_SOURCE_SAMPLE, error)) return BULKRENAME_SOURCE_SAMPLE;
  throw std::runtime_error("the sample folder is missing");
}

Scratch::Scratch(const std::string& original) {
  std::string pattern = (fs::temp_directory_path() / "bulkrename-sample-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr)
    throw fs::filesystem_error("cannot make a scratch folder", pattern,
                               std::error_code(errno, std::generic_category()));
  path_ = pattern + "/sample";
  try {
    fs::copy(original, path_, fs::copy_options::recursive);
  } catch (...) {
    std::error_code ignored;
    fs::remove_all(pattern, ignored);
    throw;
  }
}

Scratch::~Scratch() {
  std::error_code ignored;
  fs::remove_all(fs::path(path_).parent_path(), ignored);
}

}  // namespace bulkrename
