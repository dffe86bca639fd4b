#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// The editor page's files, embedded in the program as resources and served
// as they are, each with an entity tag of its content.
class CStaticPages
{
public:
    struct SPage
    {
        QByteArray path; // of the URL: "/", "/editor.js"
        const char* mediaType;
        QByteArray body;
        QByteArray tag;
    };

    CStaticPages();

    // The page at path; null for none.
    const SPage* Find(QByteArrayView path) const;

private:
    QList<SPage> m_pages;
};
