#pragma once

class QFileDialog;

// Makes a file dialog list folders without ever opening the files in them.
// Qt's own icon provider reads a file's first bytes to tell its type; a
// file whose read never ends (/proc/kmsg, a stalled network mount) would
// then freeze the dialog, and the program with it. Here every icon and type
// name comes from the file's kind and name alone.
void ListFilesWithoutReading(QFileDialog& dialog);
