#include "server/ServeCommandLine.h"

#include "cli/CommandLineOptions.h"
#include "cli/ExitCodes.h"
#include "server/ServeMain.h"
#include "server/ServerOptions.h"
#include "util/MessageSink.h"

#include <QCommandLineParser>

namespace {

const QString kServe = QStringLiteral("serve");
const QString kCacheSize = QStringLiteral("cache-size");
const QString kPictureDir = QStringLiteral("picture-dir");
const QString kQuiet = QStringLiteral("quiet");

// The options from arguments; an empty why when they are usable.
SServerOptions ReadOptions(const QStringList& arguments, QString& why)
{
    QCommandLineParser parser;
    for (const SCommandLineOption& option : CommandLineOptions())
        parser.addOption({option.names, option.description, option.valueName});
    SServerOptions options;
    if (!parser.parse(arguments)) {
        why = parser.errorText();
        return options;
    }
    for (const QString& name : parser.optionNames()) {
        if (name != kServe && name != kCacheSize && name != kPictureDir && name != kQuiet)
            why = QStringLiteral("--serve takes no --%1").arg(name);
    }
    for (const QString& once : {kServe, kCacheSize, kPictureDir}) {
        if (parser.values(once).size() > 1)
            why = QStringLiteral("--%1 may be given only once").arg(once);
    }
    if (!parser.positionalArguments().isEmpty())
        why = QStringLiteral("--serve takes no design file; requests give the design");
    if (!why.isEmpty() || !ParseListenAddress(parser.value(kServe), options, &why))
        return options;
    if (parser.isSet(kCacheSize) && !ParseByteSize(parser.value(kCacheSize), options.cacheBytes, &why)) {
        why = QStringLiteral("--cache-size: ") + why;
        return options;
    }
    options.pictureDir = parser.value(kPictureDir);
    options.quiet = parser.isSet(kQuiet);
    return options;
}

} // namespace

int RunServeCommandLine(int argc, char* argv[])
{
    QString why;
    const SServerOptions options = ReadOptions(ArgumentList(argc, argv), why);
    if (!why.isEmpty()) {
        PrintError(why);
        return kExitUsage;
    }
    return RunRenderServer(argc, argv, options);
}
