#pragma once

#include <QByteArray>
#include <QString>

#include <array>

// The string table of an executable's version record: twelve items, each
// the text the record holds, "-" when the record lacks it (an item present
// with an empty value stays empty).
//
// The build embeds the record (res/VersionRecord.ini) into the executable as
// the ELF section kSectionName. The record is INI text whose sections are the
// folders of the classic version-resource query paths:
//   [VarFileInfo]                 Translation=0411,04b0   (language, code page)
//   [StringFileInfo\041104b0]     ProductVersion=1.03 ...
// so that Query("\StringFileInfo\041104b0\ProductVersion") reads
// section "StringFileInfo\041104b0", key "ProductVersion". Keys match without
// regard to case, as the platform's version queries do.
class CVersionInfo
{
public:
    enum Item {
        kCompanyName,
        kFileDescription,
        kFileVersion,
        kInternalName,
        kLegalCopyright,
        kOriginalFileName,
        kProductName,
        kProductVersion,
        kComments,
        kLegalTrademarks,
        kPrivateBuild,
        kSpecialBuild,
        kItemCount
    };

    static constexpr char kSectionName[] = ".nacreform.version";
    // What an item the record lacks reads.
    static const QString kMissing;

    CVersionInfo() = default;
    virtual ~CVersionInfo();

    // Fills the items from the record of the executable at path; every item
    // is kMissing when the file has no readable record.
    void Load(const QString& path);
    // The same from the record's text.
    void LoadRecord(const QByteArray& record);

    const QString& GetItem(int index) const { return m_items.at(size_t(index)); }
    const QString& GetProductVersion() const { return GetItem(kProductVersion); }
    const QString& GetLegalCopyright() const { return GetItem(kLegalCopyright); }

private:
    void SetAll(const QString& text);

    std::array<QString, kItemCount> m_items;
};
