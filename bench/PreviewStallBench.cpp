// How long the window's event loop stays blocked while the user types into a
// field of the largest design the panel allows: once with every render in the
// window's thread (as before the worker), once as the program renders.

#include "shell/MainFrame.h"
#include "shell/NacreformView.h"
#include "shell/ShellDialogs.h"
#include "shell/SingleDocTemplate.h"
#include "design/NacreformDoc.h"
#include "panel/ControlDlg.h"
#include "panel/ControlShapeDlg.h"
#include "render/RendererTable.h"
#include "res/layouts/ShapePageTemplate.h"
#include "util/DlgItems.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <limits>

namespace {

class CNoDialogs : public IShellDialogs
{
public:
    QString ChooseFile(QWidget*, const SFileDialogRequest&) override { return {}; }
    void ShowMessage(QWidget*, const QString&) override {}
    ESaveChanges AskSaveChanges(QWidget*, const QString&) override { return ESaveChanges::Discard; }
    bool AskYesNo(QWidget*, const QString&) override { return false; }
    std::optional<QString> ChoosePreset(QWidget*) override { return std::nullopt; }
    void ShowAbout(QWidget*) override {}
};

// Every size at the panel's limit: shape, margin, shadow offset, caption.
void MakeLargestDesign(CNacreformDoc& doc)
{
    doc.ShapeSize = {1000, 1000};
    doc.Margin = 1000;
    doc.ShapeShadowPos = {-100.0f, 100.0f};
    doc.FontSize = 200.0f;
    doc.TextShadowPos = {100.0f, 100.0f};
    doc.String = QStringLiteral("NACREFORM");
    doc.SelectRenderer(kRenderCircle01, true, false);
}

struct SStall
{
    qint64 longestMs = 0;
    int renders = 0;
};

// Types bursts of digits into the margin field, a key every 120 ms, with a
// rest after each burst long enough for the preview to render; meanwhile a
// 1 ms timer notes the longest gap between its ticks.
SStall MeasureTyping(qint64 foregroundPixels)
{
    CNoDialogs dialogs;
    CSingleDocTemplate docTemplate(dialogs);
    CNacreformDoc& doc = docTemplate.GetDocument();
    MakeLargestDesign(doc);
    docTemplate.OpenNewDocument();
    CMainFrame& frame = docTemplate.GetFrame();
    CNacreformView& view = *frame.GetActiveView();
    view.SetForegroundPixels(foregroundPixels);
    frame.show();
    while (view.IsRenderInBackground())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);

    SStall stall;
    QObject::connect(&view, &CNacreformView::Rendered, [&] { ++stall.renders; });
    auto* margin = qobject_cast<QLineEdit*>(GetDlgItem(frame.GetControlDlg()->GetShapePage(),
                                                        ShapePageTemplate::IDC_MARGIN));
    margin->setFocus();

    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        stall.longestMs = std::max(stall.longestMs, clock.elapsed() - lastTick);
        lastTick = clock.elapsed();
    });
    ticker.start(1);

    const QStringList bursts = {QStringLiteral("999"), QStringLiteral("1000"), QStringLiteral("998"),
                                QStringLiteral("1000")};
    constexpr int kKeyMs = 120;
    constexpr int kRestMs = 1500;
    for (const QString& burst : bursts) {
        margin->selectAll();
        for (const QChar digit : burst) {
            QTest::keyClick(margin, char(digit.unicode()));
            QTest::qWait(kKeyMs);
        }
        QTest::qWait(kRestMs);
    }
    while (view.IsRenderInBackground())
        QTest::qWait(50);
    return stall;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const SStall before = MeasureTyping(std::numeric_limits<qint64>::max());
    const SStall after = MeasureTyping(CNacreformView::kForegroundPixels);
    std::printf("largest design, typing in the margin field: longest event-loop block\n");
    std::printf("  every render in the window's thread: %lld ms (%d renders)\n", qlonglong(before.longestMs),
                before.renders);
    std::printf("  large canvases in the worker:        %lld ms (%d renders)\n", qlonglong(after.longestMs),
                after.renders);
    return 0;
}
