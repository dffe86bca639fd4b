#include "design/DesignEditCommand.h"

#include "design/NacreformDoc.h"
#include "render/Render.h"
#include "render/RendererTable.h"

#include <QUndoStack>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace std::chrono_literals;
using Clock = CDesignEditCommand::Clock;

TEST(DesignValues, FirstDifferentFieldNamesTheFileKey)
{
    const CDesignValues base;
    struct Case
    {
        const char* key;
        void (*change)(CDesignValues&);
    };
    const Case cases[] = {
        {"BGTrans", [](CDesignValues& v) { v.BGTrans = false; }},
        {"ShapeSize", [](CDesignValues& v) { v.ShapeSize.cy = 3; }},
        {"TextPos", [](CDesignValues& v) { v.TextPos.x = -1.5f; }},
        {"ImagePath", [](CDesignValues& v) { v.ImagePath = QStringLiteral("a.png"); }},
        {"RenderID", [](CDesignValues& v) { v.RenderID = kRenderCapsule; }},
    };
    for (const Case& c : cases) {
        CDesignValues changed = base;
        c.change(changed);
        const int field = FirstDifferentField(base, changed);
        ASSERT_GE(field, 0) << c.key;
        EXPECT_EQ(CNacreformDoc::DesignKeys().at(field), QLatin1String(c.key));
    }
    EXPECT_EQ(FirstDifferentField(base, base), -1);
    // A decimal that is no number, as a design file may bring, equals itself.
    CDesignValues odd;
    odd.FontSize = std::nanf("");
    odd.ImagePos.y = std::nanf("");
    EXPECT_EQ(FirstDifferentField(odd, odd), -1);
}

// A history as the application keeps it: each edit is made in the document
// first and then pushed with the state before it.
class DesignHistory : public ::testing::Test
{
protected:
    void Edit(void (*change)(CNacreformDoc&), bool typed, Clock::time_point when)
    {
        const CDesignValues before = doc;
        change(doc);
        stack.push(new CDesignEditCommand(doc, before, doc, FirstDifferentField(before, doc), typed, when));
    }

    CNacreformDoc doc;
    QUndoStack stack;
    const Clock::time_point t0 = Clock::now();
};

TEST_F(DesignHistory, TypingInOneFieldWithinABurstIsOneStep)
{
    Edit([](CNacreformDoc& d) { d.Margin = 1; }, true, t0);
    Edit([](CNacreformDoc& d) { d.Margin = 12; }, true, t0 + 250ms);
    Edit([](CNacreformDoc& d) { d.Margin = 123; }, true, t0 + 500ms);
    EXPECT_EQ(stack.count(), 1);
    // A rest longer than the burst, another field, or a click starts a step.
    Edit([](CNacreformDoc& d) { d.Margin = 9; }, true, t0 + 900ms);
    Edit([](CNacreformDoc& d) { d.FontSize = 9.0f; }, true, t0 + 950ms);
    Edit([](CNacreformDoc& d) { d.FontSize = 10.0f; }, false, t0 + 960ms);
    EXPECT_EQ(stack.count(), 4);

    stack.undo();
    EXPECT_EQ(doc.FontSize, 9.0f);
    stack.undo();
    stack.undo();
    EXPECT_EQ(doc.Margin, 123);
    stack.undo();
    EXPECT_EQ(doc.Margin, 5);
    stack.redo();
    EXPECT_EQ(doc.Margin, 123);
}

TEST_F(DesignHistory, ValueTypedBackLeavesNoStep)
{
    Edit([](CNacreformDoc& d) { d.Margin = 50; }, true, t0);
    Edit([](CNacreformDoc& d) { d.Margin = 5; }, true, t0 + 100ms);
    EXPECT_EQ(stack.count(), 0);
    EXPECT_FALSE(stack.canUndo());
}

TEST_F(DesignHistory, UndoOfAShapeChangeMakesTheRendererAgain)
{
    doc.SelectRenderer(kRenderCircle00, true, false);
    const CDesignValues before = doc;
    doc.SelectRenderer(kRenderRectangle, false, false);
    stack.push(new CDesignEditCommand(doc, before, doc, FirstDifferentField(before, doc), false, t0));
    ASSERT_TRUE(doc.Renderer);
    EXPECT_FALSE(doc.Renderer->IsSquareShape());
    stack.undo();
    EXPECT_EQ(doc.RenderID, unsigned(kRenderCircle00));
    ASSERT_TRUE(doc.Renderer);
    EXPECT_TRUE(doc.Renderer->IsSquareShape());
    stack.redo();
    EXPECT_EQ(doc.RenderID, unsigned(kRenderRectangle));
    EXPECT_FALSE(doc.Renderer->IsSquareShape());
}

} // namespace
