// vornel: the window program. It takes no command-line arguments.
#include "start_up.h"

int main(int argc, char** argv) { return vornel::run_program(argc, argv); }
