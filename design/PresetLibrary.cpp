#include "design/PresetLibrary.h"

#include "design/IniFile.h"
#include "design/NacreformDoc.h"

#include <QFile>

#include <algorithm>

// Qt leaves the resources of a static library out unless asked for them
// (from outside any namespace, as the macro declares a global function).
static void InitPresetResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(presets);
        return true;
    }();
    Q_UNUSED(done);
}

const QList<SPreset>& BuiltInPresets()
{
    static const QList<SPreset> presets = {
        {QStringLiteral("primary"), QStringLiteral("주요 버튼"), QStringLiteral("blue capsule for the main action")},
        {QStringLiteral("success"), QStringLiteral("완료"), QStringLiteral("green capsule for a good outcome")},
        {QStringLiteral("danger"), QStringLiteral("위험"), QStringLiteral("red rectangle for a destructive action")},
        {QStringLiteral("warning"), QStringLiteral("주의"), QStringLiteral("amber capsule with a dark caption")},
        {QStringLiteral("graphite"), QStringLiteral("그래파이트"), QStringLiteral("neutral grey rectangle")},
        {QStringLiteral("glass"), QStringLiteral("유리"), QStringLiteral("white glass capsule with a dark caption")},
        {QStringLiteral("dark"), QStringLiteral("어두운"), QStringLiteral("near-black rectangle for dark pages")},
        {QStringLiteral("tag-new"), QStringLiteral("태그: 새 글"), QStringLiteral("small blue pill tag")},
        {QStringLiteral("tag-sale"), QStringLiteral("태그: 할인"), QStringLiteral("small red pill tag")},
        {QStringLiteral("icon-play"), QStringLiteral("아이콘: 재생"), QStringLiteral("round play button lit from below")},
        {QStringLiteral("icon-add"), QStringLiteral("아이콘: 추가"), QStringLiteral("round blue add button")},
        {QStringLiteral("icon-check"), QStringLiteral("아이콘: 확인"), QStringLiteral("round green check button")},
        {QStringLiteral("icon-close"), QStringLiteral("아이콘: 닫기"), QStringLiteral("round red close button lit from below")},
    };
    return presets;
}

std::optional<CDesignValues> LoadPreset(const QString& name)
{
    const bool known = std::any_of(BuiltInPresets().begin(), BuiltInPresets().end(),
                                   [&name](const SPreset& preset) { return preset.name == name; });
    if (!known)
        return std::nullopt;
    InitPresetResources();
    QFile file(QStringLiteral(":/presets/%1.nfd").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    CIniFile ini(QString(), false);
    ini.LoadText(file.readAll());
    CNacreformDoc doc;
    doc.ExchangeDesign(false, ini);
    return static_cast<const CDesignValues&>(doc);
}
