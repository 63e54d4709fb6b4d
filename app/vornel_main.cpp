// vornel: the window program. `vornel [FICHIER]`, `vornel --help`, `vornel --version`.
#include "start_up.h"

int main(int argc, char** argv) { return vornel::run_program(argc, argv); }
