// What assistive technology (a screen reader, through Qt's accessibility bridge) finds in the
// window: the window is a frame; the picture is a read-only text holding the page's lines; the
// special-move button names what it does and the uses left.
//
// The picture's role is a notification: it speaks up by itself, while the focus stays on the
// button the player pressed. A screen reader presents a notification when it is shown, so each
// new page shows the picture again (PaintBox::SetPageText). Changed text, names and descriptions
// are presented only for the focused control, if at all.
#pragma once

#include <QString>
#include <array>
#include <string>

#include "story/unit_story.h"

namespace game {

// What the picture says when the page shows no text.
inline const QString kEmptyPageText = QStringLiteral("（文章なし）");

using PageLineArray = std::array<std::string, UnitStory::kMaxPageLines>;

// The first `count` lines decoded from Shift-JIS, joined by line feeds; kEmptyPageText when
// they hold nothing but blanks.
QString ReadablePage(const PageLineArray& lines, int count);

// The special-move button's accessible name: the move and how many uses are left, e.g.
// "必殺技ルクサリム（残り7回）". Its caption stays the star and the full-width digit.
QString SpecialButtonName(int uses_left);

// Registers the window's accessible interfaces with Qt. Safe to call more than once.
void InstallAccessibility();

}  // namespace game
