#include <cstdio>

int main() {
  std::fputs("boltgen: the program front is being built\n", stderr);
  return 1;
}
