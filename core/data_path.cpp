#include "core/data_path.h"

std::string DataPath(const char* name) { return std::string("./Data/") + name; }
