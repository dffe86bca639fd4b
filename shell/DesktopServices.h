#pragma once

class QString;

// What the editor asks of the desktop: showing a folder in the file manager.
// The program uses CQtDesktopServices; tests record the request instead of
// starting a file manager.
class IDesktopServices
{
public:
    virtual ~IDesktopServices() = default;
    // Opens folder in the desktop's file manager; false when none could.
    virtual bool OpenFolder(const QString& folder) = 0;
};

// Qt's desktop services.
class CQtDesktopServices final : public IDesktopServices
{
public:
    bool OpenFolder(const QString& folder) override;
};
