// Times bulkrename's engine on one large batch: FOLDERS folders of FILES
// files each, every file and every folder renamed (FOLDERS * (FILES + 1)
// renames), then the journal read back and the batch undone.
//   undo_bench WORK FOLDERS FILES
// Then the same renames once more as a bare loop of renameat calls, each
// folder opened once, nothing checked or recorded: the floor. Each step
// starts with the file system synced, so that no step pays for the
// writeback of the one before.
// Prints "renames check_s rename_s load_s undo_s floor_s" on one line; WORK
// must be an empty folder, left as made.

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "journal.h"
#include "renamer.h"

using namespace bulkrename;
using Clock = std::chrono::steady_clock;

namespace {

// Flushes the file system holding `folder`; then starts the clock.
Clock::time_point synced(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::syncfs(fd);
    ::close(fd);
  }
  return Clock::now();
}

double since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string numbered(const char* prefix, int n) {
  char text[32];
  std::snprintf(text, sizeof text, "%s%06d", prefix, n);
  return text;
}

[[noreturn]] void fail(const std::string& why) {
  std::fprintf(stderr, "undo_bench: %s\n", why.c_str());
  std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) fail("usage: undo_bench WORK FOLDERS FILES");
  const std::string work = argv[1];
  const int folders = std::atoi(argv[2]), files = std::atoi(argv[3]);
  const std::string tree = work + "/tree", journals = work + "/journals";
  std::filesystem::create_directories(tree);

  // Display order: each folder, then what it holds.
  std::vector<Entry> batch;
  for (int f = 0; f < folders; ++f) {
    const std::string folder = numbered("folder", f);
    std::filesystem::create_directory(tree + "/" + folder);
    batch.push_back({{folder}, numbered("renamed", f)});
    for (int n = 0; n < files; ++n) {
      const std::string name = numbered("file", f * files + n);
      int fd = ::open((tree + "/" + folder + "/" + name).c_str(), O_CREAT | O_WRONLY, 0644);
      if (fd < 0) fail("cannot make " + name);
      ::close(fd);
      batch.push_back({{folder, name}, numbered("photo", f * files + n)});
    }
  }

  Renamer renamer(tree, journals);
  auto start = synced(tree);
  Renamer::Plan plan = renamer.check(batch);
  const double check = since(start);
  if (!plan.problems.empty()) fail("the check refused the batch: " + plan.problems[0].reason);
  start = synced(tree);
  Outcome renamed = renamer.execute(plan.moves);
  const double rename = since(start);
  if (renamed.done.size() != batch.size()) fail("not every rename was done");

  start = Clock::now();
  std::optional<Journal> journal = Journal::last(journals);
  const double load = since(start);
  if (!journal) fail("no journal");
  start = synced(tree);
  Outcome undone = journal->undo();
  const double undo = since(start);
  if (undone.done.size() != batch.size() || !undone.failures.empty())
    fail("not every rename was put back");
  for (int f = 0; f < folders; ++f)
    if (!std::filesystem::exists(tree + "/" + numbered("folder", f) + "/" +
                                 numbered("file", f * files + files - 1)))
      fail("a file is not back");

  start = synced(tree);
  for (int f = 0; f < folders; ++f) {
    const std::string folder = numbered("folder", f);
    int fd = ::open((tree + "/" + folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) fail("cannot open " + folder);
    for (int n = 0; n < files; ++n)
      if (::renameat(fd, numbered("file", f * files + n).c_str(), fd,
                     numbered("photo", f * files + n).c_str()) != 0)
        fail("a bare rename failed");
    ::close(fd);
    if (::rename((tree + "/" + folder).c_str(), (tree + "/" + numbered("renamed", f)).c_str()) != 0)
      fail("a bare rename failed");
  }
  const double floor = since(start);

  std::printf("%zu %.3f %.3f %.3f %.3f %.3f\n", batch.size(), check, rename, load, undo, floor);
}
