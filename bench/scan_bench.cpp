// Times one scan in this process, the one get_names() and so build() run.
//   scan_bench LOCATION PATTERN [OUT]
// Prints the milliseconds taken; with OUT, also writes the names there, one
// a line, to check them against another scanner's.

#include <tickpane/scan.h>

#include <chrono>
#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: %s LOCATION PATTERN [OUT]\n", argv[0]);
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const std::vector<std::string> names =
      tickpane::scan(argv[1], argv[2], {/*folders=*/false, /*recursive=*/true});
  const std::chrono::duration<double, std::milli> taken = std::chrono::steady_clock::now() - start;
  std::printf("%.2f\n", taken.count());
  if (argc == 4) {
    std::ofstream out(argv[3], std::ios::binary);
    for (const std::string& name : names) out << name << '\n';
    if (!out) return 1;
  }
  return 0;
}
