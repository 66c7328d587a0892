#include "app/headless.h"

// The build without the window: every run is a headless run.
int main(int argc, char** argv) { return boltgen::RunHeadless(argc, argv); }
