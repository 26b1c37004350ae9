// An outside program built against the installed libraries.

#include <tickpane/tickpane.h>

#include <cstdio>

int main() {
  auto head = filerow::Filerow::create({""}, nullptr, -1, -1);
  std::printf("%s %s %s\n", tickpane::version, filerow::version, head->to_string().c_str());
}
