#include "render/CaptionLine.h"

#include "render/FontCatalog.h"

#include <QList>
#include <QStringView>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_MODULE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <hb.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <tuple>

namespace {

// Advances and metrics as an unhinted layout reads them.
constexpr FT_Int32 kMetricsLoadFlags =
    FT_LOAD_DEFAULT | FT_LOAD_IGNORE_GLOBAL_ADVANCE_WIDTH | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;
constexpr int kDpi = 96;
// Synthetic bold stays below this pixel size, where it would look crude.
constexpr int kMaxEmboldenedPixels = 64;

int FloorTo64(FT_Pos v) { return int(v & -64); }
int CeilTo64(FT_Pos v) { return int((v + 63) & -64); }

// Truncation toward zero to 1/64, as fixed-point positions are taken.
int ToFixed(double v) { return int(v * 64.0); }

// A face of a font file, opened once per thread; sizes are set per use.
class CFace
{
public:
    CFace(FT_Library library, const SFontFace& face) : m_file(face)
    {
        if (FT_New_Face(library, face.file.constData(), face.index, &m_face) != 0) {
            m_face = nullptr;
            return;
        }
        if (!FT_IS_SCALABLE(m_face)) {
            FT_Done_Face(m_face);
            m_face = nullptr;
            return;
        }
        FT_Select_Charmap(m_face, FT_ENCODING_UNICODE);
        m_hbFace = hb_face_create_for_tables(ReferenceTable, m_face, nullptr);
        hb_face_set_index(m_hbFace, unsigned(face.index));
        hb_face_set_upem(m_hbFace, m_face->units_per_EM);
    }
    ~CFace()
    {
        if (m_hbFace)
            hb_face_destroy(m_hbFace);
        if (m_face)
            FT_Done_Face(m_face);
    }
    CFace(const CFace&) = delete;
    CFace& operator=(const CFace&) = delete;

    bool IsValid() const { return m_face != nullptr; }
    FT_Face Face() const { return m_face; }
    hb_face_t* HbFace() const { return m_hbFace; }
    const SFontFace& File() const { return m_file; }

    unsigned GlyphIndex(char32_t c) const
    {
        unsigned glyph = FT_Get_Char_Index(m_face, c);
        // No-break space and tab show as a space in fonts without them.
        if (glyph == 0 && (c == 0xA0 || c == 0x09))
            glyph = FT_Get_Char_Index(m_face, 0x20);
        return glyph;
    }

    // Sets the size in 1/64 pixel, when it is not set already. Each size
    // has a size object of its own, kept for the next switch: setting a
    // TrueType size anew runs the font's size program again, which the
    // switches between a caption's pixel size and the font's own units
    // (AddOutline) would otherwise do for every line.
    void SetSize(FT_F26Dot6 size) const
    {
        if (m_size == size)
            return;
        if (const auto it = m_sizes.find(size); it != m_sizes.end()) {
            if (FT_Activate_Size(it->second) == 0)
                m_size = size;
            return;
        }
        if (m_sizes.size() >= kKeptSizes) {
            for (const auto& [kept, object] : m_sizes)
                FT_Done_Size(object);
            m_sizes.clear();
            m_size = 0;
        }
        FT_Size object = nullptr;
        if (FT_New_Size(m_face, &object) != 0)
            return;
        m_size = 0;
        if (FT_Activate_Size(object) != 0 || FT_Set_Char_Size(m_face, size, size, 0, 0) != 0) {
            FT_Done_Size(object);
            return;
        }
        m_sizes.emplace(size, object);
        m_size = size;
    }

private:
    static hb_blob_t* ReferenceTable(hb_face_t*, hb_tag_t tag, void* data)
    {
        const FT_Face face = static_cast<FT_Face>(data);
        FT_ULong length = 0;
        if (FT_Load_Sfnt_Table(face, tag, 0, nullptr, &length) != 0 || length == 0)
            return hb_blob_get_empty();
        auto* buffer = static_cast<FT_Byte*>(std::malloc(length));
        if (!buffer)
            return hb_blob_get_empty();
        if (FT_Load_Sfnt_Table(face, tag, 0, buffer, &length) != 0)
            length = 0;
        return hb_blob_create(reinterpret_cast<const char*>(buffer), unsigned(length), HB_MEMORY_MODE_READONLY,
                              buffer, std::free);
    }

    SFontFace m_file;
    FT_Face m_face = nullptr;
    hb_face_t* m_hbFace = nullptr;
    mutable FT_F26Dot6 m_size = 0;
    // Enough for the sizes of a few captions at once.
    static constexpr size_t kKeptSizes = 8;
    mutable std::map<FT_F26Dot6, FT_Size> m_sizes;
};

// A face at one whole pixel size, as HarfBuzz shapes with it.
class CSizedFace
{
public:
    CSizedFace(const CFace& face, int pixels, bool bold) : m_face(face), m_pixels(pixels)
    {
        const FT_Face ft = face.Face();
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
        m_embolden = bold && !(ft->style_flags & FT_STYLE_FLAG_BOLD) && !FT_IS_FIXED_WIDTH(ft) && os2
                     && os2->usWeightClass < 700 && pixels < kMaxEmboldenedPixels;
        face.SetSize(Size());
        SetLineMetrics(ft, os2);

        m_font = hb_font_create(face.HbFace());
        hb_font_set_funcs(m_font, Functions(), this, nullptr);
        hb_font_set_scale(m_font, pixels * 64, -pixels * 64);
        hb_font_set_ppem(m_font, unsigned(pixels), unsigned(pixels));
    }
    ~CSizedFace() { hb_font_destroy(m_font); }
    CSizedFace(const CSizedFace&) = delete;
    CSizedFace& operator=(const CSizedFace&) = delete;

    const CFace& Face() const { return m_face; }
    hb_font_t* HbFont() const { return m_font; }
    int Ascent() const { return m_ascent; }
    int Descent() const { return m_descent; }

    // The glyph's outline, its origin at (x, y) in 1/64 pixel.
    void AddOutline(unsigned glyph, int x, int y, QPainterPath& path) const
    {
        const FT_Face ft = m_face.Face();
        // Loaded at the size of the font's own units and scaled here, so
        // that fonts whose components rely on their instructions keep them.
        m_face.SetSize(FT_F26Dot6(ft->units_per_EM) << 6);
        if (FT_Load_Glyph(ft, glyph, FT_LOAD_NO_BITMAP) != 0 || ft->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
            return;
        if (m_embolden)
            FT_GlyphSlot_Embolden(ft->glyph);
        AppendOutline(ft->glyph->outline, FT_MulDiv(Size(), 1 << 10, ft->units_per_EM), QPointF(x / 64.0, y / 64.0),
                      path);
    }

private:
    FT_F26Dot6 Size() const { return FT_F26Dot6(m_pixels) * 64; }

    // Ascent and descent in 1/64 pixel from the font's own tables, OS/2 before
    // hhea, rounded; FreeType's size metrics (rounded to whole pixels for
    // many fonts) only for fonts with bitmaps or without either table.
    void SetLineMetrics(FT_Face ft, const TT_OS2* os2)
    {
        m_ascent = int(ft->size->metrics.ascender);
        m_descent = int(-ft->size->metrics.descender);
        const auto hasTable = [ft](FT_ULong tag) {
            FT_ULong length = 0;
            return FT_Load_Sfnt_Table(ft, tag, 0, nullptr, &length) == 0 && length > 0;
        };
        if (hasTable(FT_MAKE_TAG('E', 'B', 'L', 'C')) || hasTable(FT_MAKE_TAG('C', 'B', 'L', 'C'))
            || hasTable(FT_MAKE_TAG('b', 'd', 'a', 't')))
            return;
        const auto scaled = [ft, this](long units) {
            return int(std::lround(double(units) * m_pixels / ft->units_per_EM * 64));
        };
        const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(ft, FT_SFNT_HHEA));
        if (hhea && (hhea->Ascender != 0 || hhea->Descender != 0)) {
            m_ascent = scaled(hhea->Ascender);
            m_descent = -scaled(hhea->Descender);
        }
        constexpr FT_UShort kUseTypoMetrics = 0x80;
        if (os2 && os2->version != 0xFFFF && (os2->fsSelection & kUseTypoMetrics)) {
            if (os2->sTypoAscender != 0 || os2->sTypoDescender != 0) {
                m_ascent = scaled(os2->sTypoAscender);
                m_descent = -scaled(os2->sTypoDescender);
            }
        } else if (os2 && os2->version != 0xFFFF && (os2->usWinAscent != 0 || os2->usWinDescent != 0)) {
            m_ascent = scaled(os2->usWinAscent);
            m_descent = scaled(os2->usWinDescent);
        }
    }

    // Font units to pixels: TrueType's quadratic curves become cubic ones,
    // every contour is closed.
    static void AppendOutline(FT_Outline& outline, FT_Fixed scale, QPointF origin, QPainterPath& path)
    {
        for (int i = 0; i < outline.n_points; ++i) {
            outline.points[i].x = FT_MulFix(outline.points[i].x, scale);
            outline.points[i].y = FT_MulFix(outline.points[i].y, scale);
        }
        const auto relative = [&](int i) { return QPointF(outline.points[i].x / 64.0, -outline.points[i].y / 64.0); };
        const auto point = [&](int i) { return origin + relative(i); };
        int i = 0;
        for (int contour = 0; contour < outline.n_contours; ++contour) {
            const int last = outline.contours[contour];
            QPointF start = relative(i);
            if (!(outline.tags[i] & 1)) {
                // Starts off the curve: begin at the last point, or midway
                // to it when that is off the curve too.
                start = (outline.tags[last] & 1) ? relative(last) : (relative(last) + start) / 2.0;
                --i;
            }
            start += origin;
            path.moveTo(start);
            QPointF c[4];
            c[0] = start;
            int n = 1;
            while (i < last) {
                ++i;
                c[n++] = point(i);
                switch (outline.tags[i] & 3) {
                case 2: // cubic control point
                    if (n < 4)
                        continue;
                    c[3] = (c[3] + c[2]) / 2;
                    --i;
                    break;
                case 0: // quadratic control point
                    if (n < 3)
                        continue;
                    c[3] = (c[1] + c[2]) / 2;
                    c[2] = (2 * c[1] + c[3]) / 3;
                    c[1] = (2 * c[1] + c[0]) / 3;
                    --i;
                    break;
                default: // on the curve
                    if (n == 2) {
                        path.lineTo(c[1]);
                        c[0] = c[1];
                        n = 1;
                        continue;
                    }
                    if (n == 3) {
                        c[3] = c[2];
                        c[2] = (2 * c[1] + c[3]) / 3;
                        c[1] = (2 * c[1] + c[0]) / 3;
                    }
                    break;
                }
                path.cubicTo(c[1], c[2], c[3]);
                c[0] = c[3];
                n = 1;
            }
            if (n == 1) {
                path.closeSubpath();
            } else {
                c[3] = start;
                if (n == 2) {
                    c[2] = (2 * c[1] + c[3]) / 3;
                    c[1] = (2 * c[1] + c[0]) / 3;
                }
                path.cubicTo(c[1], c[2], c[3]);
            }
            ++i;
        }
    }

    static const CSizedFace& Of(void* data) { return *static_cast<const CSizedFace*>(data); }

    static hb_bool_t NominalGlyph(hb_font_t*, void* data, hb_codepoint_t c, hb_codepoint_t* glyph, void*)
    {
        *glyph = Of(data).m_face.GlyphIndex(c);
        return true;
    }
    static hb_bool_t VariationGlyph(hb_font_t* font, void* data, hb_codepoint_t c, hb_codepoint_t,
                                    hb_codepoint_t* glyph, void*)
    {
        return NominalGlyph(font, data, c, glyph, nullptr);
    }
    // The unhinted advance, to 1/64 pixel.
    static hb_position_t Advance(hb_font_t*, void* data, hb_codepoint_t glyph, void*)
    {
        const FT_GlyphSlot slot = Of(data).LoadForMetrics(glyph, false);
        return slot ? hb_position_t(slot->linearHoriAdvance >> 10) : 0;
    }
    static hb_bool_t Extents(hb_font_t*, void* data, hb_codepoint_t glyph, hb_glyph_extents_t* extents, void*)
    {
        *extents = {};
        const FT_GlyphSlot slot = Of(data).LoadForMetrics(glyph, true);
        if (!slot)
            return true;
        const FT_Glyph_Metrics& m = slot->metrics;
        const int left = FloorTo64(m.horiBearingX), right = CeilTo64(m.horiBearingX + m.width);
        const int top = CeilTo64(m.horiBearingY), bottom = FloorTo64(m.horiBearingY - m.height);
        extents->x_bearing = left;
        extents->y_bearing = -top;
        extents->width = right - left;
        extents->height = top - bottom;
        return true;
    }
public:
    // How far the glyph's ink reaches past its advance, in whole pixels as
    // the glyph cache measures them (0 when it does not).
    int Overhang(unsigned glyph) const
    {
        const FT_GlyphSlot slot = LoadForMetrics(glyph, true);
        if (!slot)
            return 0;
        const int right = CeilTo64(slot->metrics.horiBearingX + slot->metrics.width);
        const int advance = int((slot->advance.x + 32) & -64);
        return std::max(0, right - advance);
    }

private:
    // The glyph loaded at this size for its unhinted metrics, emboldened
    // when asked and the face is; null when it cannot be loaded. Valid until
    // the face's next load.
    FT_GlyphSlot LoadForMetrics(unsigned glyph, bool embolden) const
    {
        const FT_Face ft = m_face.Face();
        m_face.SetSize(Size());
        if (FT_Load_Glyph(ft, glyph, kMetricsLoadFlags) != 0)
            return nullptr;
        if (embolden && m_embolden)
            FT_GlyphSlot_Embolden(ft->glyph);
        return ft->glyph;
    }

    static hb_bool_t ContourPoint(hb_font_t*, void* data, hb_codepoint_t glyph, unsigned index, hb_position_t* x,
                                  hb_position_t* y, void*)
    {
        const CSizedFace& sized = Of(data);
        const FT_Face ft = sized.m_face.Face();
        sized.m_face.SetSize(sized.Size());
        *x = *y = 0;
        if (FT_Load_Glyph(ft, glyph, FT_LOAD_DEFAULT) != 0 || ft->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
            return false;
        if (index >= unsigned(ft->glyph->outline.n_points))
            return ft->glyph->outline.n_points == 0;
        *x = hb_position_t(ft->glyph->outline.points[index].x);
        *y = hb_position_t(ft->glyph->outline.points[index].y);
        return true;
    }

    static hb_font_funcs_t* Functions()
    {
        static hb_font_funcs_t* const functions = [] {
            hb_font_funcs_t* f = hb_font_funcs_create();
            hb_font_funcs_set_nominal_glyph_func(f, NominalGlyph, nullptr, nullptr);
            hb_font_funcs_set_variation_glyph_func(f, VariationGlyph, nullptr, nullptr);
            hb_font_funcs_set_glyph_h_advance_func(f, Advance, nullptr, nullptr);
            hb_font_funcs_set_glyph_extents_func(f, Extents, nullptr, nullptr);
            hb_font_funcs_set_glyph_contour_point_func(f, ContourPoint, nullptr, nullptr);
            hb_font_funcs_make_immutable(f);
            return f;
        }();
        return functions;
    }

    const CFace& m_face;
    int m_pixels;
    bool m_embolden = false;
    int m_ascent = 0;
    int m_descent = 0;
    hb_font_t* m_font = nullptr;
};

// FreeType's library and the faces opened so far, one set per thread (a
// FreeType face serves one thread at a time).
class CThreadFonts
{
public:
    static CThreadFonts& Current()
    {
        thread_local CThreadFonts fonts;
        return fonts;
    }

    // The face at the pixel size, or null when the file cannot be used.
    const CSizedFace* Sized(const SFontFace& file, int pixels, bool bold)
    {
        const auto key = std::make_tuple(file.file, file.index, pixels, bold);
        if (const auto it = m_sized.find(key); it != m_sized.end())
            return it->second.get();
        const CFace* face = Open(file);
        auto& sized = m_sized[key];
        if (face)
            sized = std::make_unique<CSizedFace>(*face, pixels, bold);
        return sized.get();
    }

    ~CThreadFonts()
    {
        m_sized.clear();
        m_faces.clear();
        if (m_library)
            FT_Done_FreeType(m_library);
    }

private:
    CThreadFonts()
    {
        if (FT_Init_FreeType(&m_library) != 0) {
            m_library = nullptr;
            return;
        }
        // Stem darkening on for CFF outlines, as the toolkit's text has it.
        FT_Bool noDarkening = false;
        FT_Property_Set(m_library, "cff", "no-stem-darkening", &noDarkening);
    }

    const CFace* Open(const SFontFace& file)
    {
        const auto key = std::make_pair(file.file, file.index);
        if (const auto it = m_faces.find(key); it != m_faces.end())
            return it->second.get();
        auto face = m_library ? std::make_unique<CFace>(m_library, file) : nullptr;
        if (face && !face->IsValid())
            face.reset();
        return (m_faces[key] = std::move(face)).get();
    }

    FT_Library m_library = nullptr;
    std::map<std::pair<QByteArray, int>, std::unique_ptr<CFace>> m_faces;
    std::map<std::tuple<QByteArray, int, int, bool>, std::unique_ptr<CSizedFace>> m_sized;
};

// The whole pixel size of an em size in points.
int PixelSize(float emPoints)
{
    const double pixels = std::floor(double(emPoints) * kDpi / 72 * 100 + 0.5) / 100;
    return int(std::lround(pixels));
}

struct SGlyph
{
    unsigned index = 0;
    int advance = 0; // 1/64 pixel
    int offsetX = 0;
    int offsetY = 0;
    bool space = false;
};

// Glyphs of one face in a row.
struct SRun
{
    const CSizedFace* face = nullptr;
    QList<SGlyph> glyphs; // in visual order
    bool rightToLeft = false;
    int Advance() const
    {
        int sum = 0;
        for (const SGlyph& glyph : glyphs)
            sum += glyph.advance;
        return sum;
    }
};

// Runs of one script: characters that share it, and the Common and
// Inherited ones that follow them (or precede the first).
struct SScriptItem
{
    qsizetype start = 0;
    qsizetype length = 0;
    QChar::Script script = QChar::Script_Common;
};

QList<SScriptItem> ScriptItems(QStringView text)
{
    QList<SScriptItem> items;
    qsizetype start = 0;
    QChar::Script script = QChar::Script_Common;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype at = i;
        char32_t c = text[i++].unicode();
        if (QChar::isHighSurrogate(c) && i < text.size() && text[i].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), text[i++].unicode());
        const QChar::Script next = QChar::script(c);
        if (next == script || next <= QChar::Script_Common)
            continue;
        if (script <= QChar::Script_Common) {
            script = next;
            continue;
        }
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining
            || category == QChar::Mark_Enclosing)
            continue;
        items.append({start, at - start, script});
        start = at;
        script = next;
    }
    if (start < text.size())
        items.append({start, text.size() - start, script});
    return items;
}

hb_script_t HbScript(QChar::Script script, QStringView text)
{
    // HarfBuzz knows the script of a character itself; the item's first
    // character of its own script tells it.
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size())
            c = QChar::surrogateToUcs4(char16_t(c), text[i + 1].unicode());
        if (QChar::script(c) == script)
            return hb_unicode_script(hb_unicode_funcs_get_default(), c);
    }
    return HB_SCRIPT_COMMON;
}

} // namespace

struct CCaptionLine::SData
{
    QList<SRun> runs;
    int width = 0;
    int ascent = 0;
    int lineAscent = 0;
    int lineDescent = 0;
};

CCaptionLine::CCaptionLine(const SCaptionFont& font, const QString& text)
{
    const CFontCatalog& catalog = CFontCatalog::Instance();
    const auto mainFile = catalog.Face(font.family, font.bold);
    const int pixels = PixelSize(font.emPoints);
    CThreadFonts& fonts = CThreadFonts::Current();
    const CSizedFace* main = mainFile ? fonts.Sized(*mainFile, pixels, font.bold) : nullptr;
    if (!main)
        return;
    m_data = std::make_unique<SData>();
    m_data->ascent = m_data->lineAscent = main->Ascent();
    m_data->lineDescent = main->Descent();

    hb_buffer_t* buffer = hb_buffer_create();
    const hb_feature_t kerning = {HB_TAG('k', 'e', 'r', 'n'), 1, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END};
    for (const SScriptItem& item : ScriptItems(text)) {
        const QStringView part = QStringView(text).mid(item.start, item.length);
        // Latin text takes the fallbacks of text of no particular script.
        const QChar::Script fallbackScript = item.script <= QChar::Script_Latin ? QChar::Script_Common : item.script;
        QStringList fallbacks;
        bool fallbacksRead = false;
        // The face of each character: the family's, else the first fallback
        // that has it.
        QList<const CSizedFace*> faces;
        QList<qsizetype> starts;
        for (qsizetype i = 0; i < part.size();) {
            const qsizetype at = i;
            char32_t c = part[i++].unicode();
            if (QChar::isHighSurrogate(c) && i < part.size() && part[i].isLowSurrogate())
                c = QChar::surrogateToUcs4(char16_t(c), part[i++].unicode());
            const CSizedFace* face = main;
            if (main->Face().GlyphIndex(c) == 0 && c != 0x2028 && c != 0x2029 && c != '\n' && c != '\r') {
                if (!fallbacksRead) {
                    fallbacks = catalog.Fallbacks(font.family, fallbackScript);
                    fallbacksRead = true;
                }
                for (const QString& family : std::as_const(fallbacks)) {
                    const auto file = catalog.Face(family, font.bold);
                    const CSizedFace* other = file ? fonts.Sized(*file, pixels, font.bold) : nullptr;
                    if (other && other->Face().GlyphIndex(c) != 0) {
                        face = other;
                        break;
                    }
                }
            }
            if (faces.isEmpty() || faces.back() != face) {
                faces.append(face);
                starts.append(at);
            }
        }
        starts.append(part.size());
        for (qsizetype r = 0; r < faces.size(); ++r) {
            const CSizedFace* face = faces[r];
            hb_buffer_clear_contents(buffer);
            hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(part.utf16()) + starts[r],
                                int(starts[r + 1] - starts[r]), 0, int(starts[r + 1] - starts[r]));
            const hb_script_t script = HbScript(item.script, part);
            // Right-to-left text comes back in visual order.
            const bool rightToLeft = hb_script_get_horizontal_direction(script) == HB_DIRECTION_RTL;
            hb_buffer_set_direction(buffer, rightToLeft ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
            hb_buffer_set_script(buffer, script);
            hb_buffer_set_language(buffer, hb_language_get_default());
            hb_shape(face->HbFont(), buffer, &kerning, 1);
            unsigned count = 0;
            const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
            const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, nullptr);
            SRun run{face, {}, rightToLeft};
            for (unsigned g = 0; g < count; ++g) {
                const QChar first = part[starts[r] + qsizetype(infos[g].cluster)];
                run.glyphs.append({infos[g].codepoint, positions[g].x_advance, positions[g].x_offset,
                                   positions[g].y_offset, first.isSpace()});
            }
            m_data->lineAscent = std::max(m_data->lineAscent, face->Ascent());
            m_data->lineDescent = std::max(m_data->lineDescent, face->Descent());
            m_data->runs.append(std::move(run));
        }
    }
    hb_buffer_destroy(buffer);

    // The line's width takes in the ink of its last glyph where that
    // reaches past the glyph's advance (not after a space).
    for (const SRun& run : std::as_const(m_data->runs))
        m_data->width += run.Advance();
    if (!m_data->runs.isEmpty() && !m_data->runs.back().glyphs.isEmpty()) {
        const SRun& run = m_data->runs.back();
        const SGlyph& last = run.rightToLeft ? run.glyphs.front() : run.glyphs.back();
        if (!last.space)
            m_data->width += run.face->Overhang(last.index);
    }
}

CCaptionLine::~CCaptionLine() = default;

bool CCaptionLine::IsValid() const
{
    return m_data != nullptr;
}

double CCaptionLine::Width() const
{
    return m_data ? m_data->width / 64.0 : 0;
}

double CCaptionLine::Height() const
{
    return m_data ? (m_data->lineAscent + m_data->lineDescent) / 64.0 : 0;
}

double CCaptionLine::Ascent() const
{
    return m_data ? m_data->ascent / 64.0 : 0;
}

QPainterPath CCaptionLine::Outline(QPointF origin) const
{
    QPainterPath path;
    if (!m_data)
        return path;
    // Each run starts at its point taken to 1/64 pixel; its glyphs follow
    // in whole 1/64 steps.
    double x = origin.x();
    for (const SRun& run : m_data->runs) {
        int penX = ToFixed(x);
        const int penY = ToFixed(origin.y());
        QList<int> pens;
        for (const SGlyph& glyph : run.glyphs) {
            pens.append(penX + glyph.offsetX);
            penX += glyph.advance;
        }
        // Outlines in the order of the text.
        for (qsizetype i = 0; i < run.glyphs.size(); ++i) {
            const qsizetype g = run.rightToLeft ? run.glyphs.size() - 1 - i : i;
            run.face->AddOutline(run.glyphs[g].index, pens[g], penY + run.glyphs[g].offsetY, path);
        }
        x += run.Advance() / 64.0;
    }
    return path;
}
