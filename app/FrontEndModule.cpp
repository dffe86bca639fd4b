#include "app/FrontEndModule.h"

#include "util/Helpers.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdio>

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
        std::fprintf(stderr, "nacreform: cannot load the %s: %s\n", name, dlerror());
        return 1;
    }
    return main(argc, argv);
}
