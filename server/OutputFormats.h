#pragma once

#include <QByteArray>
#include <QString>

struct SButtonRequest;

// The forms a button is served in, one entry each: the extension of the
// URL (/v1/button.EXTENSION), the media type of the answer and how a
// request becomes its bytes. A new format is one more entry.
struct SOutputFormat
{
    const char* extension;
    const char* mediaType;
    // Whether encoding renders the button: such requests queue for the
    // render threads, the others are answered at once.
    bool rendered;
    // The bytes of request in this format; false, with a one-line reason,
    // when the request's picture cannot be read or the bitmap allocated.
    bool (*encode)(const SButtonRequest& request, QByteArray& bytes, QString* why);
};

// The format served under extension ("png", "nfd"); null for none.
const SOutputFormat* FindOutputFormat(QStringView extension);
