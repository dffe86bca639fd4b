#pragma once

// How a command-line run ends besides 0 (everything done).
constexpr int kExitFailed = 1; // something could not be read, made or written
constexpr int kExitUsage = 2;  // options that are unusable or do not fit together
