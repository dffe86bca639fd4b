#include "shell/AboutDlg.h"

#include "program/BuildDate.h"
#include "shell/ToolBarIcons.h"
#include "program/VersionInfo.h"
#include "util/DlgItems.h"
#include "util/Helpers.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

const QString CAboutDlg::kCaption = QStringLiteral("Nacreform의 버젼 정보");
const QString CAboutDlg::kLicenceText = QStringLiteral("MIT 라이선스");

CAboutDlg::CAboutDlg(QWidget* parent)
    : CAboutDlg(parent, GetModulePath())
{
}

CAboutDlg::CAboutDlg(QWidget* parent, const QString& executablePath)
    : QDialog(parent)
    , m_pVersion(new QLabel(this))
    , m_pCopyright(new QLabel(this))
{
    constexpr int kIconSide = 32;
    setWindowTitle(kCaption);

    auto* icon = new QLabel(this);
    icon->setPixmap(CToolBarIcons::ApplicationIcon().pixmap(kIconSide, kIconSide));
    auto* name = new QLabel(QStringLiteral("Nacreform"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    SetDlgCtrlId(buttons->button(QDialogButtonBox::Ok), QDialog::Accepted);
    SetDlgCtrlId(m_pVersion, kIdVersion);
    SetDlgCtrlId(m_pCopyright, kIdCopyright);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    CVersionInfo info;
    info.Load(executablePath);
    m_pVersion->setText(QStringLiteral("Version %1 (%2)").arg(info.GetProductVersion(), GetBuildDate()));
    m_pCopyright->setText(info.GetLegalCopyright());

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 4, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(m_pVersion, 1, 1);
    layout->addWidget(m_pCopyright, 2, 1);
    // The record's copyright line stays as the record has it; the licence
    // is the program's own word beside it.
    layout->addWidget(new QLabel(kLicenceText, this), 3, 1);
    layout->addWidget(buttons, 0, 2, 4, 1, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAboutDlg::GetVersionText() const
{
    return m_pVersion->text();
}

QString CAboutDlg::GetCopyrightText() const
{
    return m_pCopyright->text();
}
