#pragma once

#include "ScriptedDialogs.h"
#include "shell/DocManager.h"
#include "shell/MainFrame.h"
#include "shell/NacreformView.h"
#include "shell/RecentFileList.h"
#include "shell/SingleDocTemplate.h"
#include "design/NacreformDoc.h"
#include "render/Render.h"

#include <QDir>
#include <QTemporaryDir>

// The shell as the application object assembles it, with scripted dialogs
// and a fresh default design, plus a folder for the files a test writes.
struct SShellHarness
{
    CScriptedDialogs dialogs;
    CRecentFileList recentFiles{4};
    CSingleDocTemplate docTemplate{dialogs};
    CDocManager docManager{docTemplate, dialogs, recentFiles};
    QTemporaryDir dir;

    SShellHarness() { docTemplate.OpenNewDocument(); }

    CNacreformDoc& Doc() { return docTemplate.GetDocument(); }
    CMainFrame& Frame() { return docTemplate.GetFrame(); }
    CNacreformView& View() { return *Frame().GetActiveView(); }

    QString FilePath(const QString& name) const { return QDir(dir.path()).filePath(name); }

    // A design file holding only Margin (and RenderID when given).
    QString WriteDesign(const QString& name, int margin, unsigned renderId = 0) const
    {
        const QString path = FilePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(QStringLiteral("[General]\nMargin=%1\n").arg(margin).toUtf8());
        if (renderId != 0)
            file.write(QStringLiteral("RenderID=%1\n").arg(renderId).toUtf8());
        return path;
    }
};
