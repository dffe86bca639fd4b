#include "app/FrontEndModule.h"
#include "cli/HeadlessExport.h"
#include "shell/Application.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT int NacreformFrontEndMain(int argc, char* argv[])
{
    return RunApplication(argc, argv, CommandLineUsage);
}
