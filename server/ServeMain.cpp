#include "server/ServeMain.h"

#include "server/RenderServer.h"
#include "server/ServerOptions.h"
#include "util/HeadlessRun.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <pthread.h>

namespace {

// What a stop may take for requests under way, leaving time to close
// within two seconds.
constexpr int kStopTimeoutMs = 1200;

void PrintError(const QString& text)
{
    std::fprintf(stderr, "nacreform: %s\n", text.toUtf8().constData());
}

} // namespace

int RunRenderServer(int argc, char* argv[], const SServerOptions& options)
{
    // Blocked in every thread (those started later inherit the mask), so
    // that only sigwait below takes them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    PrepareHeadlessRun();
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("nacreform"));

    if (!options.pictureDir.isEmpty() && !QFileInfo(options.pictureDir).isDir()) {
        PrintError(QStringLiteral("--picture-dir: %1 is no folder").arg(options.pictureDir));
        return 1;
    }
    CRenderServer server(options);
    QString why;
    if (!server.Start(&why)) {
        PrintError(why);
        return 1;
    }
    const QString host = options.address.contains(QLatin1Char(':')) ? QLatin1Char('[') + options.address + QLatin1Char(']')
                                                                     : options.address;
    PrintError(QStringLiteral("serving http://%1:%2/ with %3 render threads").arg(host).arg(server.Port()).arg(server.RenderThreads()));
    std::fflush(stderr);
    int signal = 0;
    sigwait(&stopSignals, &signal);
    if (!server.Stop(kStopTimeoutMs)) {
        // A render that outlasts the stop is abandoned with its connection.
        std::fflush(stderr);
        std::_Exit(0);
    }
    return 0;
}
