#include "server/StaticPages.h"

#include <QCryptographicHash>
#include <QFile>

namespace {

struct SPageFile
{
    const char* path;
    const char* resource;
    const char* mediaType;
};

constexpr SPageFile kPageFiles[] = {
    {"/", ":/server/page/editor.html", "text/html; charset=utf-8"},
    {"/editor.js", ":/server/page/editor.js", "text/javascript; charset=utf-8"},
    {"/editor.css", ":/server/page/editor.css", "text/css; charset=utf-8"},
};

} // namespace

CStaticPages::CStaticPages()
{
    for (const SPageFile& file : kPageFiles) {
        QFile resource(QString::fromLatin1(file.resource));
        resource.open(QIODevice::ReadOnly); // embedded: cannot fail once built
        const QByteArray body = resource.readAll();
        const QByteArray hash = QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex().left(32);
        m_pages.append({file.path, file.mediaType, body, '"' + hash + '"'});
    }
}

const CStaticPages::SPage* CStaticPages::Find(QByteArrayView path) const
{
    for (const SPage& page : m_pages) {
        if (page.path == path)
            return &page;
    }
    return nullptr;
}
