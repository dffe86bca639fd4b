#pragma once

#include <QString>

// How the render server is started. The command line fills it in; the
// parsers below say why a value is unusable in its words.
struct SServerOptions
{
    // A numeric IPv4 or IPv6 address; the loopback address unless one is
    // given, so that a server is reachable from elsewhere only when asked.
    QString address = QStringLiteral("127.0.0.1");
    // 0 lets the system choose a free port (the start-up line names it).
    int port = 0;
    // Bytes of encoded images kept for repeated requests; 0 keeps none.
    qint64 cacheBytes = qint64(64) * 1024 * 1024;
    // The only folder a request may take pictures from; empty: none.
    QString pictureDir;
    // No access log on standard error.
    bool quiet = false;
};

// "[ADDRESS:]PORT": "8080", "0.0.0.0:8080", "[::1]:8080".
bool ParseListenAddress(const QString& text, SServerOptions& options, QString* why);

// A byte count with an optional binary unit: "1048576", "512K", "64M", "1G"
// (also "64MiB").
bool ParseByteSize(const QString& text, qint64& bytes, QString* why);
