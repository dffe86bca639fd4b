#include "app/Application.h"
#include "app/HeadlessExport.h"

int main(int argc, char* argv[])
{
    if (IsHeadlessInvocation(argc, argv))
        return RunHeadless(argc, argv);
    return RunApplication(argc, argv);
}
