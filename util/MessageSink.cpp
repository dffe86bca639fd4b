#include "util/MessageSink.h"

#include <cstdio>

void CStderrMessageSink::ShowMessage(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    std::fflush(stderr);
}

void CStderrMessageSink::ShowFileFailure(const QString&, const QString& summary, const QString& reason)
{
    PrintError(summary + QStringLiteral(": ") + reason);
}

void PrintError(const QString& text)
{
    std::fprintf(stderr, "nacreform: %s\n", text.toUtf8().constData());
    std::fflush(stderr);
}

QString FileFailureText(const QString& message, const QString& path, const QString& reason)
{
    QString text = message + QStringLiteral("\n\n") + path;
    if (!reason.isEmpty())
        text += QStringLiteral("\n") + reason;
    return text;
}
