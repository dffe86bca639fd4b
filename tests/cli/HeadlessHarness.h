#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

// Runs the built program headless in a temporary folder of its own.
struct SRun
{
    int exitCode = -1;
    QString out;
    QByteArray outBytes;
    QString err;
};

class CHeadlessHarness : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    // Runs the program in the test's folder, or in folder when given;
    // inChild, when given, runs in the child before the program starts;
    // extraVariables ("NAME=value") join its environment.
    SRun Run(const QStringList& arguments, const QString& folder = QString(),
             const std::function<void()>& inChild = {}, const QStringList& extraVariables = {}) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString& variable : extraVariables)
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder.isEmpty() ? m_dir.path() : folder);
        if (inChild)
            process.setChildProcessModifier(inChild);
        process.start(QStringLiteral(NACREFORM_EXECUTABLE), arguments);
        SRun run;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return run;
        run.exitCode = process.exitCode();
        run.outBytes = process.readAllStandardOutput();
        run.out = QString::fromUtf8(run.outBytes);
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    void WriteFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    void WriteDesign(const QString& name, const QByteArray& lines) const { WriteFile(name, "[General]\n" + lines); }

    QByteArray ReadFile(const QString& name) const
    {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    QTemporaryDir m_dir;
};
