#include "app/Application.h"

#include "app/NacreformApp.h"

int RunApplication(int argc, char* argv[])
{
    CNacreformApp app(argc, argv);
    if (!app.InitInstance(app.arguments().mid(1)))
        return app.HadUsageError() ? 2 : 1;
    return app.ExitInstance(app.exec());
}
