#pragma once

#include "export/ButtonStates.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <utility>

class CNacreformDoc;

// One parameter of a query, decoded.
using QueryItem = std::pair<QString, QString>;

// What a request's design may ask of the server.
struct SRequestLimits
{
    static constexpr int kMaxStringLength = 255;
    static constexpr qint64 kMaxPixels = 4'000'000;
    // The folder ImagePath names a file of; empty: no pictures at all.
    QString pictureDir;
};

// What a button URL asks for. Every field is a pure function of the query
// (and, for a picture, of the file it names), so equal requests are equal.
struct SButtonRequest
{
    // The default design with the query's keys applied; shared, as render
    // jobs keep the request after the handler has answered.
    std::shared_ptr<CNacreformDoc> design;
    EButtonState state = EButtonState::Normal;
    double scale = 1;
    // The design file of the design: every key in file order, every value
    // in its file form. ImagePath in it is the name the query gave.
    QByteArray designText;
    // The picture file inside the picture folder and what identifies its
    // content (size and modification time); empty without a picture.
    QString picturePath;
    QByteArray pictureStamp;
};

// Splits and decodes a raw query ("String=OK&Color1=255"): percent escapes,
// '+' as a space as forms send it. False when a decoded part is not UTF-8.
bool DecodeQuery(const QByteArray& raw, QList<QueryItem>& items);

// Reads a button URL's query: design keys written as in a design file,
// preset=, fit, scale= and state= as on the command line (a preset is the
// start whatever the order; fit follows every key). False with a one-line reason
// in the command line's words for an unknown key, a value of the wrong form,
// a key given twice, a caption longer than kMaxStringLength, a picture
// outside the picture folder or a canvas beyond kMaxPixels. Never names a
// path of the server's machine and opens no file.
bool ReadButtonRequest(const QList<QueryItem>& query, const SRequestLimits& limits, SButtonRequest& request,
                       QString* why);
