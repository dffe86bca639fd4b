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
};

// Prints each message to standard error on a line of its own.
class CStderrMessageSink : public IMessageSink
{
public:
    void ShowMessage(const QString& text) override;
};
