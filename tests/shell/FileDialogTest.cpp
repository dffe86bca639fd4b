#include "QtTestRegistry.h"
#include "shell/DocManager.h"
#include "shell/QtShellDialogs.h"

#include <QAbstractFileIconProvider>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The real file dialog and save question as the program sets them up.
class FileDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void listingAFolderNeverReadsItsFiles();
    void saveQuestionAnswersByItsMnemonics_data();
    void saveQuestionAnswersByItsMnemonics();
    void chosenFileTypeGivesTheDefaultExtension();
};

namespace {

// Frees whoever waits on a pipe for a writer, if the test is not done in
// time: the test then fails instead of hanging the suite.
class CPipeWatchdog
{
public:
    explicit CPipeWatchdog(const QByteArray& pipe)
        : m_thread([this, pipe] {
            std::unique_lock lock(m_mutex);
            if (m_done.wait_for(lock, std::chrono::seconds(20), [this] { return m_finished; }))
                return;
            fired = true;
            const int fd = ::open(pipe.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        })
    {
    }
    ~CPipeWatchdog() { Finish(); }
    void Finish()
    {
        {
            std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }
    std::atomic<bool> fired = false;

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};

} // namespace

void FileDialogTest::listingAFolderNeverReadsItsFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray pipe = QFile::encodeName(dir.filePath(QStringLiteral("pipe.nfd")));
    QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
    QFile design(dir.filePath(QStringLiteral("design.nfd")));
    QVERIFY(design.open(QIODevice::WriteOnly));
    design.close();

    CPipeWatchdog watchdog(pipe);
    {
        QFileDialog dialog;
        SFileDialogRequest request;
        request.filters = QStringList{CDocManager::kDesignFilter, CDocManager::kAllFilesFilter};
        CQtShellDialogs::ConfigureFileDialog(dialog, request);
        dialog.setDirectory(dir.path());
        dialog.show();
        auto* model = dialog.findChild<QFileSystemModel*>();
        QVERIFY(model);
        const QModelIndex folder = model->index(dir.path());
        QTRY_COMPARE(model->rowCount(folder), 1); // the pipe is no file to choose
        // What the model's gatherer asks for every entry, the pipe included.
        const QFileInfo pipeInfo(QFile::decodeName(pipe));
        QVERIFY(dialog.iconProvider());
        dialog.iconProvider()->icon(pipeInfo);
        dialog.iconProvider()->type(pipeInfo);
        for (int column = 0; column < model->columnCount(folder); ++column) {
            model->data(model->index(0, column, folder), Qt::DecorationRole);
            model->data(model->index(0, column, folder), Qt::DisplayRole);
        }
        QTest::qWait(200);

        // A file without extension whose bytes say PNG: only reading it
        // could tell, and nothing may read it.
        QFile png(dir.filePath(QStringLiteral("noextension")));
        QVERIFY(png.open(QIODevice::WriteOnly));
        png.write("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        png.close();
        const QString type = dialog.iconProvider()->type(QFileInfo(png.fileName()));
        QVERIFY2(!type.contains(QStringLiteral("PNG")), qPrintable(type));
        dialog.close();
    }
    watchdog.Finish();
    QVERIFY2(!watchdog.fired, "the dialog waited on the pipe");
}

void FileDialogTest::saveQuestionAnswersByItsMnemonics_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<ESaveChanges>("answer");
    QTest::newRow("Y") << int(Qt::Key_Y) << ESaveChanges::Save;
    QTest::newRow("N") << int(Qt::Key_N) << ESaveChanges::Discard;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << ESaveChanges::Cancel;
}

void FileDialogTest::saveQuestionAnswersByItsMnemonics()
{
    QFETCH(int, key);
    QFETCH(ESaveChanges, answer);
    QStringList buttons;
    // Pressed once the question is up; a box that never comes fails below
    // rather than waiting.
    QTimer::singleShot(0, [&] {
        QWidget* box = nullptr;
        if (!QTest::qWaitFor([&] { return (box = QApplication::activeModalWidget()) != nullptr; }))
            return;
        for (const QPushButton* button : box->findChildren<QPushButton*>())
            buttons.append(button->text());
        QTest::keyClick(box, Qt::Key(key));
    });
    CQtShellDialogs dialogs;
    QCOMPARE(dialogs.AskSaveChanges(nullptr, QStringLiteral("無題 への変更を保存しますか?")), answer);
    buttons.sort();
    QCOMPARE(buttons, QStringList({QStringLiteral("いいえ(&N)"), QStringLiteral("はい(&Y)"), QStringLiteral("キャンセル")}));
}

void FileDialogTest::chosenFileTypeGivesTheDefaultExtension()
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    SFileDialogRequest request;
    request.save = true;
    request.filters = QStringList{QStringLiteral("PNGファイル(*.png)"), QStringLiteral("JPEGファイル(*.jpg *.jpeg)")};
    request.defaultSuffix = QStringLiteral("png");
    CQtShellDialogs::ConfigureFileDialog(dialog, request);
    QCOMPARE(dialog.defaultSuffix(), QStringLiteral("png"));
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QVERIFY(types);
    // What a person's choice in the list makes the list say.
    types->setCurrentIndex(1);
    emit types->activated(1);
    emit types->textActivated(types->itemText(1));
    QCOMPARE(dialog.defaultSuffix(), QStringLiteral("jpg"));
}

NACREFORM_QTEST(FileDialogTest)
#include "FileDialogTest.moc"
