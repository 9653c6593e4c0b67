#include "app/fatal.h"

#include <cstdio>
#include <cstdlib>

void FatalTableFull(const char* table, int capacity) {
  printf("Cannot add to the %s table: it holds at most %d entries.\n", table, capacity);
  fflush(stdout);
  exit(1);
}
