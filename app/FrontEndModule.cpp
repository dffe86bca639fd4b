#include "app/FrontEndModule.h"

#include "cli/ExitCodes.h"
#include "util/Helpers.h"
#include "util/MessageSink.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <dlfcn.h>

int RunFrontEndModule(const char* name, int argc, char* argv[])
{
    const QString path = GetModuleDirectory() + QStringLiteral(NACREFORM_MODULE_FOLDER "/nacreform-%1.so")
                                                      .arg(QString::fromLatin1(name));
    // Kept loaded to the end of the process: the front end's threads and
    // exit handlers may outlive its main function.
    void* module = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    auto* main = module ? reinterpret_cast<FrontEndMain*>(dlsym(module, "NacreformFrontEndMain")) : nullptr;
    if (!main) {
        PrintError(QStringLiteral("cannot load the %1: %2")
                       .arg(QString::fromLatin1(name), QString::fromLocal8Bit(dlerror())));
        return kExitFailed;
    }
    return main(argc, argv);
}
