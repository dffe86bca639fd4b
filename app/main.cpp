#include "app/Application.h"
#include "app/HeadlessExport.h"
#include "app/ServeCommandLine.h"

int main(int argc, char* argv[])
{
    if (IsServeInvocation(argc, argv))
        return RunServeCommandLine(argc, argv);
    if (IsHeadlessInvocation(argc, argv))
        return RunHeadless(argc, argv);
    return RunApplication(argc, argv);
}
