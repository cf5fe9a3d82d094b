#include "setup/Setup.h"

int main() { return RunSetup(); }
