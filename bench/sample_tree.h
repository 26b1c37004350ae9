#pragma once

// The folder of files the benches time: FILES files in nested folders below
// one top folder, ten files a folder, folders four deep, so that every bench
// counts the same rows for the same number of files.

#include <filesystem>
#include <fstream>
#include <string>

namespace bench {

/// Makes (anew) ROOT/treeFILES and returns its path.
inline std::filesystem::path write_sample_tree(const std::filesystem::path& root, int files) {
  auto numbered = [](const char* prefix, int number) { return prefix + std::to_string(number); };
  std::filesystem::path top = root / numbered("tree", files);
  std::filesystem::remove_all(top);
  for (int i = 0; i < files; ++i) {
    int folder = i / 10;
    std::filesystem::path dir = top / "all" / numbered("a", folder / 25) /
                                numbered("b", folder / 5 % 5) / numbered("c", folder % 5);
    std::filesystem::create_directories(dir);
    std::ofstream(dir / (numbered("file", i) + ".txt")) << "x";
  }
  return top;
}

}  // namespace bench
