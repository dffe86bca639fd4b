#include "shell/Application.h"

#include "shell/NacreformApp.h"

int RunApplication(int argc, char* argv[], const std::function<QString()>& usage)
{
    CNacreformApp app(argc, argv);
    app.SetUsageText(usage);
    if (!app.InitInstance(app.arguments().mid(1)))
        return app.HadUsageError() ? 2 : 1;
    return app.ExitInstance(app.exec());
}
