#pragma once

struct SServerOptions;

// Runs the render server until SIGTERM or SIGINT, then stops accepting,
// answers the requests under way and returns within two seconds. The
// process exit code: 0 after a stop on a signal, 1 when the server cannot
// start (the reason is printed).
int RunRenderServer(int argc, char* argv[], const SServerOptions& options);
