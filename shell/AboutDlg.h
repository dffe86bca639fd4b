#pragma once

#include <QDialog>

class QLabel;

// The about box: the program's icon and name, the version line
// "Version <product version> (<build date>)" and the copyright line, both
// read from the version record of an executable (the running one unless
// told otherwise), and the licence under which the program is published.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kIdVersion = 1043;
    static constexpr int kIdCopyright = 1042;
    static const QString kCaption;
    static const QString kLicenceText;

    explicit CAboutDlg(QWidget* parent = nullptr);
    CAboutDlg(QWidget* parent, const QString& executablePath);

    QString GetVersionText() const;
    QString GetCopyrightText() const;

private:
    QLabel* m_pVersion;
    QLabel* m_pCopyright;
};
