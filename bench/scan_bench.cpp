// Times one get_names() in this process, the way build() calls it.
//   scan_bench LOCATION PATTERN [OUT]
// Prints the milliseconds taken; with OUT, also writes the names there, one
// a line, to check them against another scanner's.

#include <host/config.h>
#include <tickpane/tickpane.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: %s LOCATION PATTERN [OUT]\n", argv[0]);
    return 2;
  }
  auto config = std::make_shared<host::PlainConfig>(argv[1], argv[2], /*folders=*/false,
                                                    /*recursive=*/true);
  tickpane::Filetree tree(nullptr, nullptr, nullptr, nullptr, config, {}, {});
  const auto start = std::chrono::steady_clock::now();
  const std::vector<std::string> names = tree.get_names();
  const std::chrono::duration<double, std::milli> taken = std::chrono::steady_clock::now() - start;
  std::printf("%.2f\n", taken.count());
  if (argc == 4) {
    std::ofstream out(argv[3], std::ios::binary);
    for (const std::string& name : names) out << name << '\n';
    if (!out) return 1;
  }
  return 0;
}
