#pragma once

// A file system for tests, over real folders: the machine's own, but it can
// ignore case in names as vfat or a casefold folder does (this machine cannot
// mount one), fail renames on cue and let a test act just before a rename.

#include <functional>
#include <string>

#include "filesystem.h"

class TestFilesystem : public bulkrename::Filesystem {
 public:
  /// Names are compared ignoring case, and naming() says so.
  bool case_blind = false;
  /// Runs before each rename, counted from 1; a non-zero errno value fails
  /// that rename without doing it.
  std::function<int(int count, const std::string& from, const std::string& to)> before_rename;

  bulkrename::Descriptor open_folder(int at, const std::string& name) override;
  int identify(int at, const std::string& name, bulkrename::Identity& identity) override;
  int rename(int at, const std::string& from, const std::string& to) override;
  bool lists(int at, const std::string& name) override;
  bulkrename::Naming naming(int at) override;
  long name_max(int at) override;

 private:
  // The name the folder lists for `name`: itself, or where case is ignored
  // an entry spelled differently; empty when there is none.
  std::string spelled(int at, const std::string& name);

  bulkrename::Filesystem& local_ = bulkrename::Filesystem::local();
  int renames_ = 0;
};
