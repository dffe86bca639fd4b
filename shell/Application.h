#pragma once

#include <QString>

#include <functional>

// Starts the editor with the given command line and runs it to the end.
// usage gives the program's whole usage text for a command line the editor
// does not understand.
int RunApplication(int argc, char* argv[], const std::function<QString()>& usage);
