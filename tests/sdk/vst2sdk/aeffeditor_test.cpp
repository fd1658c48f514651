// The bare editor: no window of its own, only the open/closed state and neutral answers.
#include <gtest/gtest.h>

#include "probeeffect.h"
#include "public.sdk/source/vst2.x/aeffeditor.h"

namespace {

TEST(AEffEditor, DefaultsAndOpenState)
{
    BareEffect effect(nullptr);
    AEffEditor editor(&effect);
    EXPECT_EQ(&effect, editor.getEffect());
    EXPECT_FALSE(editor.isOpen());

    ERect stale{1, 2, 3, 4};
    ERect* rect = &stale;
    EXPECT_FALSE(editor.getRect(&rect));
    EXPECT_EQ(nullptr, rect);
    EXPECT_FALSE(editor.getRect(nullptr));

    int window = 0;
    EXPECT_FALSE(editor.open(&window)) << "the base opens no window of its own";
    EXPECT_TRUE(editor.isOpen());
    editor.idle();
    editor.close();
    EXPECT_FALSE(editor.isOpen());

    VstKeyCode key{65, 0, 0};
    EXPECT_FALSE(editor.onKeyDown(key));
    EXPECT_FALSE(editor.onKeyUp(key));
    EXPECT_FALSE(editor.onWheel(1.f));
    EXPECT_FALSE(editor.setKnobMode(2));
}

TEST(AEffEditor, TheEffectOwnsItsEditor)
{
    const int before = ProbeEditor::destroyed;
    auto* effect = new BareEffect(nullptr);
    effect->setEditor(new ProbeEditor(effect));
    EXPECT_TRUE(effect->getAeffect()->flags & effFlagsHasEditor);
    effect->setEditor(new ProbeEditor(effect));
    EXPECT_EQ(before + 1, ProbeEditor::destroyed) << "a replaced editor is deleted, not leaked";
    delete effect;
    EXPECT_EQ(before + 2, ProbeEditor::destroyed);

    BareEffect plain(nullptr);
    plain.setEditor(nullptr);
    EXPECT_FALSE(plain.getAeffect()->flags & effFlagsHasEditor);
}

}  // namespace
