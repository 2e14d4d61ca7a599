// Placeholder until the card view can lay out and paint its cards.
#include <cstdio>

int main() {
  std::puts("ostrel-demo: the Ostrel card view demo (the address book window arrives with card painting)");
  return 0;
}
