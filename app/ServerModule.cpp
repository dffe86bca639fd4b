#include "app/FrontEndModule.h"
#include "server/ServeCommandLine.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT int NacreformFrontEndMain(int argc, char* argv[])
{
    return RunServeCommandLine(argc, argv);
}
