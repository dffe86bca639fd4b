#pragma once

class QString;

// How a design names its picture file. In memory ImagePath is a path as the
// file system takes it; in a design file it may be relative to the file's
// own folder, so that a design and the pictures beside it can move together.

// The picture that path names for a design in designFolder (empty for a
// design without a file): an absolute or empty path as it is; a relative one
// in designFolder when that file exists there, else from the current folder
// when it exists there, else unchanged.
QString ResolvePicturePath(const QString& path, const QString& designFolder);

// ImagePath as a design file in designFolder stores it: relative to that
// folder when the picture (an absolute path) lies in it or below it, else
// path unchanged.
QString StoredPicturePath(const QString& path, const QString& designFolder);
