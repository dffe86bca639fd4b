#include "util/MessageSink.h"

#include <cstdio>

void CStderrMessageSink::ShowMessage(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    std::fflush(stderr);
}
