#include "server/ServerOptions.h"

#include <QRegularExpression>

#include <arpa/inet.h>

namespace {

bool IsNumericAddress(const QString& address)
{
    unsigned char buffer[sizeof(in6_addr)];
    const QByteArray text = address.toLatin1();
    return inet_pton(AF_INET, text.constData(), buffer) == 1 || inet_pton(AF_INET6, text.constData(), buffer) == 1;
}

} // namespace

bool ParseListenAddress(const QString& text, SServerOptions& options, QString* why)
{
    static const QRegularExpression form(QStringLiteral(R"(^(?:(?:\[([0-9A-Fa-f:.]+)\]|([0-9.]+)):)?(\d{1,5})$)"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    const int port = match.hasMatch() ? match.captured(3).toInt() : -1;
    const QString address = match.captured(1) + match.captured(2);
    if (port < 0 || port > 65535 || (!address.isEmpty() && !IsNumericAddress(address))) {
        if (why)
            *why = QStringLiteral("--serve: \"%1\" is not [ADDRESS:]PORT with a numeric address "
                                  "(127.0.0.1:8080, [::1]:8080) and a port from 0 to 65535")
                       .arg(text);
        return false;
    }
    if (!address.isEmpty())
        options.address = address;
    options.port = port;
    return true;
}

bool ParseByteSize(const QString& text, qint64& bytes, QString* why)
{
    static const QRegularExpression form(QStringLiteral(R"(^(\d{1,12})\s*(?:([KMG])(?:iB)?)?$)"),
                                         QRegularExpression::CaseInsensitiveOption);
    constexpr qint64 kLargest = qint64(1) << 50;
    const QRegularExpressionMatch match = form.match(text.trimmed());
    const int shift = qMax(int(QStringLiteral(" KMG").indexOf(match.captured(2).toUpper())), 0) * 10;
    if (!match.hasMatch() || match.captured(1).toLongLong() > kLargest >> shift) {
        if (why)
            *why = QStringLiteral("\"%1\" is not a size in bytes (as 67108864, 512K, 64M or 1G)").arg(text);
        return false;
    }
    bytes = match.captured(1).toLongLong() << shift;
    return true;
}
