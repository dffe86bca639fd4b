#include "util/HeadlessRun.h"

#include <QString>
#include <QtGlobal>

namespace {

QtMessageHandler g_defaultMessageHandler = nullptr;

void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    g_defaultMessageHandler(type, context, message);
}

} // namespace

void PrepareHeadlessRun()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultMessageHandler = qInstallMessageHandler(FilterQtMessages);
}
