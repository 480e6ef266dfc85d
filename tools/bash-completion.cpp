// Writes the bash completion of co447gen into the file its argument names
// (the build runs it; see CMakeLists.txt).
#include <fstream>
#include <iostream>

#include "app/BashCompletion.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: co447gen_completion <file>\n";
    return 1;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  writeBashCompletion(out);
  out.close();
  if (!out) {
    std::cerr << "co447gen_completion: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
