#include "QtTestRegistry.h"
#include "shell/AboutDlg.h"
#include "program/BuildDate.h"
#include "program/VersionInfo.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The version record the build embeds, read back from executable files, and
// the build date the about box shows beside it.
class VersionInfoTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void buildDateFormats_data();
    void buildDateFormats();
    void executableRecordHoldsEveryItem();
    void recordParsing_data();
    void recordParsing();
    void filesWithoutRecordShowDashes_data();
    void filesWithoutRecordShowDashes();
    void aboutBoxShowsVersionAndDate();
    void aboutBoxOfStrippedCopyShowsDashes();

private:
    // A copy of the program without its version record.
    QString StrippedCopy();

    QTemporaryDir m_dir;
};

namespace {

const QString kExecutable = QStringLiteral(NACREFORM_EXECUTABLE);
const QRegularExpression kDatePattern(QStringLiteral("^\\d{4}/\\d{2}/\\d{2}$"));

} // namespace

void VersionInfoTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFileInfo::exists(kExecutable), qPrintable(kExecutable));
}

QString VersionInfoTest::StrippedCopy()
{
    const QString copy = m_dir.filePath(QStringLiteral("stripped"));
    if (QFileInfo::exists(copy))
        return copy;
    const int status = QProcess::execute(
        QStringLiteral("objcopy"),
        {QStringLiteral("--remove-section=%1").arg(CVersionInfo::kSectionName), kExecutable, copy});
    if (status != 0)
        return {};
    return copy;
}

void VersionInfoTest::buildDateFormats_data()
{
    QTest::addColumn<QByteArray>("stamp");
    QTest::addColumn<QString>("date");
    QTest::newRow("two-digit day") << QByteArray("Sep 25 2006") << QStringLiteral("2006/09/25");
    QTest::newRow("blank-padded day") << QByteArray("Dec  1 2006") << QStringLiteral("2006/12/01");
    QTest::newRow("January") << QByteArray("Jan 31 2026") << QStringLiteral("2026/01/31");
    QTest::newRow("full month name") << QByteArray("Sept 25 2006") << QStringLiteral("2006/09/25");
    QTest::newRow("lower-case month") << QByteArray("sep 25 2006") << QStringLiteral("2006/-1/25");
    QTest::newRow("no such month") << QByteArray("Xyz 25 2006") << QStringLiteral("2006/-1/25");
    QTest::newRow("short month") << QByteArray("Se 25 2006") << QStringLiteral("2006/-1/25");
    QTest::newRow("empty") << QByteArray("") << QStringLiteral("0000/-1/00");
}

void VersionInfoTest::buildDateFormats()
{
    QFETCH(QByteArray, stamp);
    QFETCH(QString, date);
    QCOMPARE(FormatBuildDate(stamp.constData()), date);
}

void VersionInfoTest::executableRecordHoldsEveryItem()
{
    CVersionInfo info;
    info.Load(kExecutable);
    QCOMPARE(info.GetProductVersion(), QStringLiteral("1.03"));
    QCOMPARE(info.GetItem(CVersionInfo::kFileVersion), QStringLiteral("1, 0, 0, 1"));
    QCOMPARE(info.GetItem(CVersionInfo::kInternalName), QStringLiteral("Nacreform"));
    QCOMPARE(info.GetItem(CVersionInfo::kProductName), QStringLiteral("Nacreform"));
    QCOMPARE(info.GetItem(CVersionInfo::kOriginalFileName), QStringLiteral("Nacreform.EXE"));
    QCOMPARE(info.GetLegalCopyright(), QStringLiteral("Copyright (C) 2026 Nacreform contributors"));
    for (int item : {CVersionInfo::kComments, CVersionInfo::kCompanyName, CVersionInfo::kFileDescription,
                     CVersionInfo::kLegalTrademarks, CVersionInfo::kPrivateBuild, CVersionInfo::kSpecialBuild})
        QCOMPARE(info.GetItem(item), QString());
}

void VersionInfoTest::recordParsing_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("productVersion");
    QTest::addColumn<QString>("copyright");
    const QByteArray translation("[VarFileInfo]\nTranslation=0411,04b0\n");
    QTest::newRow("item missing")
        << translation + "[StringFileInfo\\041104b0]\nLegalCopyright=(C) us\n" << QStringLiteral("-")
        << QStringLiteral("(C) us");
    QTest::newRow("item empty")
        << translation + "[StringFileInfo\\041104b0]\nProductVersion=\n" << QString() << QStringLiteral("-");
    QTest::newRow("other language only")
        << translation + "[StringFileInfo\\040904b0]\nProductVersion=2.0\n" << QStringLiteral("-")
        << QStringLiteral("-");
    QTest::newRow("first translation counts")
        << QByteArray("[VarFileInfo]\nTranslation=0409,04e4;0411,04b0\n[StringFileInfo\\040904e4]\n"
                      "ProductVersion=2.0\n[StringFileInfo\\041104b0]\nProductVersion=1.03\n")
        << QStringLiteral("2.0") << QStringLiteral("-");
    QTest::newRow("no translation")
        << QByteArray("[StringFileInfo\\041104b0]\nProductVersion=1.03\n") << QStringLiteral("-")
        << QStringLiteral("-");
    QTest::newRow("unreadable translation")
        << QByteArray("[VarFileInfo]\nTranslation=Japanese\n[StringFileInfo\\041104b0]\nProductVersion=1.03\n")
        << QStringLiteral("-") << QStringLiteral("-");
    QTest::newRow("keys in any case")
        << translation + "[stringfileinfo\\041104B0]\nPRODUCTVERSION=1.03\n" << QStringLiteral("1.03")
        << QStringLiteral("-");
}

void VersionInfoTest::recordParsing()
{
    QFETCH(QByteArray, record);
    QFETCH(QString, productVersion);
    QFETCH(QString, copyright);
    CVersionInfo info;
    info.LoadRecord(record);
    QCOMPARE(info.GetProductVersion(), productVersion);
    QCOMPARE(info.GetLegalCopyright(), copyright);
}

void VersionInfoTest::filesWithoutRecordShowDashes_data()
{
    QTest::addColumn<QByteArray>("content");
    QFile program(kExecutable);
    QVERIFY(program.open(QIODevice::ReadOnly));
    const QByteArray whole = program.readAll();
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("text file") << QByteArray("[VarFileInfo]\nTranslation=0411,04b0\n");
    QTest::newRow("ELF header only") << whole.left(64);
    QTest::newRow("cut before the section headers") << whole.left(whole.size() / 2);
    QByteArray wildOffsets = whole;
    // Section header offset far beyond the end of the file.
    wildOffsets.replace(0x28, 8, QByteArray(8, '\x7f'));
    QTest::newRow("section headers out of range") << wildOffsets;
}

void VersionInfoTest::filesWithoutRecordShowDashes()
{
    QFETCH(QByteArray, content);
    const QString path = m_dir.filePath(QString::fromLatin1(QTest::currentDataTag()));
    if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    CVersionInfo info;
    info.Load(path);
    for (int i = 0; i < CVersionInfo::kItemCount; ++i)
        QCOMPARE(info.GetItem(i), CVersionInfo::kMissing);
}

void VersionInfoTest::aboutBoxShowsVersionAndDate()
{
    QVERIFY(GetBuildDate().contains(kDatePattern));
    CAboutDlg about(nullptr, kExecutable);
    QCOMPARE(about.windowTitle(), QStringLiteral("Nacreform의 버젼 정보"));
    QCOMPARE(about.GetVersionText(), QStringLiteral("Version 1.03 (%1)").arg(GetBuildDate()));
    QCOMPARE(about.GetCopyrightText(), QStringLiteral("Copyright (C) 2026 Nacreform contributors"));
}

void VersionInfoTest::aboutBoxOfStrippedCopyShowsDashes()
{
    const QString copy = StrippedCopy();
    if (copy.isEmpty())
        QSKIP("objcopy is not available");
    CAboutDlg about(nullptr, copy);
    QCOMPARE(about.GetVersionText(), QStringLiteral("Version - (%1)").arg(GetBuildDate()));
    QCOMPARE(about.GetCopyrightText(), QStringLiteral("-"));
}

NACREFORM_QTEST(VersionInfoTest)
#include "VersionInfoTest.moc"
