#include "render/FontCatalog.h"

#include <QFile>
#include <QMutexLocker>
#include <QSet>

#include <fontconfig/fontconfig.h>

#include <array>
#include <cstdlib>
#include <memory>

namespace {

// Language the configuration sorts fallbacks by, for the scripts that
// suggest one; the others use the user's own languages.
const char* ScriptLanguage(QChar::Script script)
{
    static const QHash<int, const char*> languages = {
        {QChar::Script_Latin, "en"},      {QChar::Script_Greek, "el"},      {QChar::Script_Cyrillic, "ru"},
        {QChar::Script_Armenian, "hy"},   {QChar::Script_Hebrew, "he"},     {QChar::Script_Arabic, "ar"},
        {QChar::Script_Syriac, "syr"},    {QChar::Script_Thaana, "dv"},     {QChar::Script_Devanagari, "hi"},
        {QChar::Script_Bengali, "bn"},    {QChar::Script_Gurmukhi, "pa"},   {QChar::Script_Gujarati, "gu"},
        {QChar::Script_Oriya, "or"},      {QChar::Script_Tamil, "ta"},      {QChar::Script_Telugu, "te"},
        {QChar::Script_Kannada, "kn"},    {QChar::Script_Malayalam, "ml"},  {QChar::Script_Sinhala, "si"},
        {QChar::Script_Thai, "th"},       {QChar::Script_Lao, "lo"},        {QChar::Script_Tibetan, "bo"},
        {QChar::Script_Myanmar, "my"},    {QChar::Script_Georgian, "ka"},   {QChar::Script_Hangul, "ko"},
        {QChar::Script_Ethiopic, "am"},   {QChar::Script_Cherokee, "chr"},  {QChar::Script_Khmer, "km"},
        {QChar::Script_Mongolian, "mn"},  {QChar::Script_Hiragana, "ja"},   {QChar::Script_Katakana, "ja"},
        {QChar::Script_Bopomofo, "zh-TW"}, {QChar::Script_Yi, "ii"},
    };
    return languages.value(script, "");
}

// Weights of the configuration (0 ... 215) on the 100 ... 900 scale.
int WeightFromFc(int fc)
{
    struct SPoint { int fc, weight; };
    static constexpr std::array<SPoint, 11> points = {{{FC_WEIGHT_THIN, 100},
                                                        {FC_WEIGHT_EXTRALIGHT, 200},
                                                        {FC_WEIGHT_LIGHT, 300},
                                                        {FC_WEIGHT_NORMAL, 400},
                                                        {FC_WEIGHT_MEDIUM, 500},
                                                        {FC_WEIGHT_DEMIBOLD, 600},
                                                        {FC_WEIGHT_BOLD, 700},
                                                        {FC_WEIGHT_ULTRABOLD, 800},
                                                        {FC_WEIGHT_BLACK, 900},
                                                        {FC_WEIGHT_ULTRABLACK, 1000},
                                                        {1000, 1000}}};
    if (fc <= points.front().fc)
        return points.front().weight;
    for (size_t i = 1; i < points.size(); ++i) {
        if (fc <= points[i].fc) {
            const SPoint a = points[i - 1], b = points[i];
            return a.weight + (fc - a.fc) * (b.weight - a.weight) / (b.fc - a.fc);
        }
    }
    return 1000;
}

struct SPatternDeleter
{
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, SPatternDeleter>;

QString StringAt(FcPattern* pattern, const char* object, int n)
{
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, n, &value) != FcResultMatch)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(value));
}

int IntegerOr(FcPattern* pattern, const char* object, int fallback)
{
    int value = fallback;
    return FcPatternGetInteger(pattern, object, 0, &value) == FcResultMatch ? value : fallback;
}

} // namespace

const CFontCatalog& CFontCatalog::Instance()
{
    static const CFontCatalog catalog;
    return catalog;
}

CFontCatalog::CFontCatalog()
    : m_answers(CFontAnswerCache::DefaultPath())
{
}

template <typename Compute>
QStringList CFontCatalog::Answer(const QString& question, Compute compute) const
{
    {
        const QMutexLocker lock(&m_answersLock);
        if (const QStringList* answer = m_answers.Find(question))
            return *answer;
    }
    std::call_once(m_loaded, [this] { LoadConfiguration(); });
    const QStringList answer = compute();
    const QMutexLocker lock(&m_answersLock);
    m_answers.Remember(question, answer);
    return answer;
}

void CFontCatalog::SaveAnswers() const
{
    const QMutexLocker lock(&m_answersLock);
    m_answers.Save();
}

void CFontCatalog::LoadConfiguration() const
{
    FcInit();
    {
        const QMutexLocker lock(&m_answersLock);
        m_answers.StampConfiguration();
    }
    const PatternPtr all(FcPatternCreate());
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FAMILYLANG, FC_WEIGHT, FC_SLANT, FC_WIDTH, FC_FILE,
                                            FC_INDEX, FC_SCALABLE, static_cast<char*>(nullptr));
    FcFontSet* fonts = FcFontList(nullptr, all.get(), objects);
    FcObjectSetDestroy(objects);

    const auto add = [this](const QString& family, const SStyle& style) {
        const QString folded = family.toCaseFolded();
        qsizetype at = m_byFoldedName.value(folded, -1);
        if (at < 0) {
            at = m_families.size();
            m_families.append({family, {}, {}});
            m_byFoldedName.insert(folded, at);
        }
        m_families[at].styles.append(style);
    };
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        FcPattern* font = fonts->fonts[i];
        const QString family = StringAt(font, FC_FAMILY, 0);
        FcChar8* file = nullptr;
        if (family.isEmpty() || FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch)
            continue;
        FcBool scalable = FcTrue;
        FcPatternGetBool(font, FC_SCALABLE, 0, &scalable);
        if (!scalable)
            continue; // a caption is filled from outlines
        SStyle style;
        style.face.file = reinterpret_cast<const char*>(file);
        style.face.index = IntegerOr(font, FC_INDEX, 0);
        style.face.weight = WeightFromFc(IntegerOr(font, FC_WEIGHT, FC_WEIGHT_REGULAR));
        style.upright = IntegerOr(font, FC_SLANT, FC_SLANT_ROMAN) == FC_SLANT_ROMAN;
        style.width = IntegerOr(font, FC_WIDTH, FC_WIDTH_NORMAL);
        add(family, style);
        // Further names in the same language with a style of their own name
        // a family of their own ("DejaVu Sans Condensed"); the others are
        // only other names of the same family.
        const QString styleName = StringAt(font, FC_STYLE, 0);
        const QString language = StringAt(font, FC_FAMILYLANG, 0);
        for (int k = 1;; ++k) {
            const QString other = StringAt(font, FC_FAMILY, k);
            if (other.isEmpty())
                break;
            const QString otherStyle = StringAt(font, FC_STYLE, k);
            const QString otherLanguage = StringAt(font, FC_FAMILYLANG, k);
            if ((otherLanguage.isEmpty() ? language : otherLanguage) == language
                && (otherStyle.isEmpty() ? styleName : otherStyle) != styleName)
                add(other, style);
        }
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    // The configuration's generic families, under the names the font list
    // gives them.
    for (const auto& [name, generic] : {std::pair{"Serif", "serif"}, std::pair{"Sans Serif", "sans-serif"},
                                        std::pair{"Monospace", "monospace"}}) {
        const QString folded = QString::fromLatin1(name).toCaseFolded();
        if (m_byFoldedName.contains(folded))
            continue;
        m_byFoldedName.insert(folded, m_families.size());
        m_families.append({QString::fromLatin1(name), {}, generic});
    }
}

QString CFontCatalog::InstalledFamily(const QString& name) const
{
    if (name.isEmpty())
        return {};
    const QString folded = name.toCaseFolded();
    return Answer(QStringLiteral("family\n") + folded, [&] {
               const qsizetype at = m_byFoldedName.value(folded, -1);
               return at < 0 ? QStringList() : QStringList{m_families[at].name};
           })
        .value(0);
}

QString CFontCatalog::SansSerifFamily() const
{
    return Answer(QStringLiteral("sans-serif"), [this] {
               const PatternPtr pattern(FcPatternCreate());
               FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
               FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
               FcDefaultSubstitute(pattern.get());
               for (int n = 0;; ++n) {
                   const QString family = StringAt(pattern.get(), FC_FAMILY, n);
                   if (family.isEmpty())
                       return QStringList();
                   const qsizetype at = m_byFoldedName.value(family.toCaseFolded(), -1);
                   if (at >= 0 && m_families[at].generic.isEmpty())
                       return QStringList{m_families[at].name};
               }
           })
        .value(0);
}

std::optional<SFontFace> CFontCatalog::Face(const QString& family, bool bold) const
{
    const QString question = QStringLiteral("face\n%1\n%2").arg(family.toCaseFolded()).arg(bold ? 700 : 400);
    const QStringList answer = Answer(question, [&] {
        const std::optional<SFontFace> face = ConfiguredFace(family, bold);
        return face ? QStringList{QFile::decodeName(face->file), QString::number(face->index),
                                  QString::number(face->weight)}
                    : QStringList();
    });
    if (answer.size() != 3)
        return std::nullopt;
    return SFontFace{QFile::encodeName(answer[0]), answer[1].toInt(), answer[2].toInt()};
}

std::optional<SFontFace> CFontCatalog::ConfiguredFace(const QString& family, bool bold) const
{
    const qsizetype at = m_byFoldedName.value(family.toCaseFolded(), -1);
    if (at < 0)
        return std::nullopt;
    const SFamily& entry = m_families[at];
    const int wanted = bold ? 700 : 400;
    if (!entry.generic.isEmpty())
        return GenericFace(entry.generic, bold);
    // Nearest weight and width, upright before slanted; the first listed of
    // equals.
    const SStyle* best = nullptr;
    int bestDistance = 0;
    for (const SStyle& style : entry.styles) {
        const int distance = std::abs((wanted - style.face.weight) / 10) + std::abs(FC_WIDTH_NORMAL - style.width)
                             + (style.upright ? 0 : 0x1000);
        if (!best || distance < bestDistance) {
            best = &style;
            bestDistance = distance;
        }
    }
    if (!best)
        return std::nullopt;
    return best->face;
}

std::optional<SFontFace> CFontCatalog::GenericFace(const QByteArray& generic, bool bold) const
{
    // The face the configuration itself chooses for the generic name.
    const PatternPtr pattern(FcPatternCreate());
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(generic.constData()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* file = nullptr;
    std::optional<SFontFace> face;
    if (match && FcPatternGetString(match.get(), FC_FILE, 0, &file) == FcResultMatch)
        face = SFontFace{reinterpret_cast<const char*>(file), IntegerOr(match.get(), FC_INDEX, 0),
                         WeightFromFc(IntegerOr(match.get(), FC_WEIGHT, FC_WEIGHT_REGULAR))};
    return face;
}

QStringList CFontCatalog::Fallbacks(const QString& family, QChar::Script script) const
{
    return Answer(QStringLiteral("fallbacks\n%1\n%2").arg(family).arg(int(script)),
                  [&] { return ConfiguredFallbacks(family, script); });
}

QStringList CFontCatalog::ConfiguredFallbacks(const QString& family, QChar::Script script) const
{
    const PatternPtr pattern(FcPatternCreate());
    const QByteArray name = family.toUtf8();
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.constData()));
    FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
    if (const char* language = ScriptLanguage(script); *language) {
        FcLangSet* languages = FcLangSetCreate();
        FcLangSetAdd(languages, reinterpret_cast<const FcChar8*>(language));
        FcPatternAddLangSet(pattern.get(), FC_LANG, languages);
        FcLangSetDestroy(languages);
    } else if (!family.isEmpty()) {
        // The user's first language decides, as for Chinese characters
        // among Japanese or Chinese text.
        const PatternPtr defaults(FcPatternCreate());
        FcDefaultSubstitute(defaults.get());
        FcChar8* language = nullptr;
        if (FcPatternGetString(defaults.get(), FC_LANG, 0, &language) == FcResultMatch)
            FcPatternAddString(pattern.get(), FC_LANG, language);
    }
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultMatch;
    FcFontSet* sorted = FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result);

    QStringList fallbacks;
    QSet<QString> seen = {family.toCaseFolded()};
    for (int i = 0; sorted && i < sorted->nfont; ++i) {
        const QString other = StringAt(sorted->fonts[i], FC_FAMILY, 0);
        const QString folded = other.toCaseFolded();
        if (other.isEmpty() || seen.contains(folded))
            continue;
        seen.insert(folded);
        if (m_byFoldedName.contains(folded))
            fallbacks.append(other);
    }
    if (sorted)
        FcFontSetDestroy(sorted);
    return fallbacks;
}
