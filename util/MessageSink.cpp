#include "util/MessageSink.h"

#include <cstdio>

void CStderrMessageSink::ShowMessage(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    std::fflush(stderr);
}

void CStderrMessageSink::ShowFileFailure(const QString&, const QString& summary, const QString& reason)
{
    std::fprintf(stderr, "nacreform: %s: %s\n", summary.toUtf8().constData(), reason.toUtf8().constData());
    std::fflush(stderr);
}

QString FileFailureText(const QString& message, const QString& path, const QString& reason)
{
    QString text = message + QStringLiteral("\n\n") + path;
    if (!reason.isEmpty())
        text += QStringLiteral("\n") + reason;
    return text;
}
