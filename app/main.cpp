// Process entry: the start-up chain, whose result is the exit code.
#include "app/Startup.h"

int main() { return corvantil::Run(); }
