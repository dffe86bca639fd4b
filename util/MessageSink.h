#pragma once

#include <QString>

// Where the core sends the few messages it has for the user (a design that
// cannot be opened, a picture that cannot be loaded). The GUI shows them in a
// message box; headless runs print them.
class IMessageSink
{
public:
    virtual ~IMessageSink() = default;
    virtual void ShowMessage(const QString& text) = 0;
    // A file that could not be read or written. text is the message as the
    // editor shows it; summary ("cannot read the design file x.nfd") and the
    // system's reason make the one line a command line prints instead.
    virtual void ShowFileFailure(const QString& text, const QString& summary, const QString& reason)
    {
        Q_UNUSED(summary);
        Q_UNUSED(reason);
        ShowMessage(text);
    }
};

// The editor's form of a file failure: the message, the file and, when
// known, the reason, each on lines of their own.
QString FileFailureText(const QString& message, const QString& path, const QString& reason);

// Prints "nacreform: text" on a line of its own to standard error: the form
// of every message of the command line and the server.
void PrintError(const QString& text);

// Prints each message to standard error on a line of its own; file failures
// as "nacreform: summary: reason".
class CStderrMessageSink : public IMessageSink
{
public:
    void ShowMessage(const QString& text) override;
    void ShowFileFailure(const QString& text, const QString& summary, const QString& reason) override;
};
