#include "app/HeadlessExport.h"

#include <cstring>

bool IsHeadlessInvocation(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--export") == 0 || std::strcmp(argv[i], "--help") == 0)
            return true;
    }
    return false;
}

int RunHeadless(int, char*[])
{
    return 1;
}
