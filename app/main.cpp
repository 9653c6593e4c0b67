#include "app/app.h"

int main(int, char**) { return GameMain(); }
