#pragma once

// Starts the editor with the given command line and runs it to the end.
int RunApplication(int argc, char* argv[]);
