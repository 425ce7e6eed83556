// Stands in for the writer program in the packaging tests: it must still run
// after the payload has been appended.
#include <cstdio>

int main() {
  std::puts("dummy program runs");
  return 0;
}
