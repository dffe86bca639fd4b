#pragma once

#include "design/DesignValues.h"
#include "render/Picture.h"

#include <QString>
#include <QStringList>

#include <memory>

class CIniFile;
class CRender;
class IDocumentListener;
class IMessageSink;

// The one button design being edited: every parameter, the renderer that
// draws it and the decoded picture. Pages write the fields directly and ask
// for a render themselves; the document checks no value and sends no
// notification, except when the shape changes (SelectRenderer).
class CNacreformDoc : public CDesignValues
{
public:
    // Failure text of an open, as the framework words it.
    static const QString kOpenFailedMessage;
    // Title of a design without a file.
    static const QString kUntitled;

    CNacreformDoc();
    virtual ~CNacreformDoc();

    CNacreformDoc(const CNacreformDoc&) = delete;
    CNacreformDoc& operator=(const CNacreformDoc&) = delete;

    // Picture cache, kept across renders and designs: the path the picture
    // was decoded from, and the picture (null when none or when it failed).
    QString CachedImagePath;
    CPicture CachedImage;

    // The renderer for RenderID; null only when none could be made.
    std::unique_ptr<CRender> Renderer;

    // The keys of the design file, in file order.
    static const QStringList& DesignKeys();

    // Takes every design parameter, the design folder and the picture cache
    // of other (not its path, title, listener or message sink) and makes the
    // renderer for the taken RenderID: an independent copy to render
    // elsewhere, e.g. in another thread.
    void CopyDesignFrom(const CNacreformDoc& other);

    // Makes the renderer for id (unknown ids give the single-colour circle
    // and RenderID 32771). Without force, the current id changes nothing;
    // with notify, the listener refreshes the panel and renders at once.
    void SelectRenderer(unsigned id, bool force, bool notify);
    // Shape command handler; always handled.
    bool OnSelectRenderer(unsigned id);
    // Whether the shape command id is the current shape.
    bool IsRendererSelected(unsigned id) const { return id == RenderID; }

    COLORREF GetTextShadowColor() const;

    // Takes every design parameter from values (an undo step, a redo), with
    // a fresh renderer when the shape changes. Tells no listener: whoever
    // restores the design brings the panel and the preview up to date.
    void ApplyValues(const CDesignValues& values);

    // Writes every parameter to, or reads every one present from, the design
    // file at path. A save returns whether the whole file was written, and
    // puts the reason of a failure into why.
    bool ExchangeDesign(bool save, const QString& path, QString* why = nullptr);
    // The same pass over a store already opened. A relative ImagePath read
    // is looked up from the design folder (ResolvePicturePath); ImagePath is
    // written relative to the store's folder when the picture lies there.
    void ExchangeDesign(bool save, CIniFile& store);
    // The design file Save As would write, as bytes.
    QByteArray DesignFileText();

    // Clears the path and the design folder.
    bool OnNewDocument();
    // Reads the design at path, whose folder becomes the design folder. A file that cannot be read (missing, not a
    // regular file, larger than the INI store reads, no access) shows
    // kOpenFailedMessage with the path and the reason, and leaves the
    // design, path and title as they were.
    bool OnOpenDocument(const QString& path);
    // Writes the design to path; false when it could not be written, with
    // the system's reason in why.
    bool OnSaveDocument(const QString& path, QString* why = nullptr);
    // Saves under path and, on success, takes path and its file name as the
    // document's path and title and its folder as the design folder. On
    // failure nothing of the document changes.
    bool DoSave(const QString& path, QString* why = nullptr);

    const QString& GetPathName() const { return m_strPathName; }
    void SetPathName(const QString& path) { m_strPathName = path; }
    const QString& GetTitle() const { return m_strTitle; }
    // The folder of the design file last read or saved; empty for a design
    // that has none.
    const QString& GetDesignFolder() const { return m_strDesignFolder; }
    void SetTitle(const QString& title) { m_strTitle = title; }

    // Not owned; either may be null.
    void SetListener(IDocumentListener* listener) { m_pListener = listener; }
    void SetMessageSink(IMessageSink* sink) { m_pMessageSink = sink; }
    IMessageSink* GetMessageSink() const { return m_pMessageSink; }

private:
    QString m_strPathName;
    QString m_strTitle = kUntitled;
    QString m_strDesignFolder;
    IDocumentListener* m_pListener = nullptr;
    IMessageSink* m_pMessageSink = nullptr;
};
