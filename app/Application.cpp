#include "app/Application.h"

#include "app/NacreformApp.h"

int RunApplication(int argc, char* argv[])
{
    CNacreformApp app(argc, argv);
    if (!app.InitInstance(app.arguments().mid(1)))
        return 1;
    return app.ExitInstance(app.exec());
}
