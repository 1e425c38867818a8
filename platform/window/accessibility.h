// What assistive technology (a screen reader, through Qt's accessibility bridge) finds in the
// window: the window is a frame; the picture is a notification whose name and read-only text are
// the page's lines; the special-move button's name says what it does and how many uses are left.
//
// The picture is a notification because a new page must be spoken while the focus stays on the
// button the player pressed. Screen readers present a notification each time it is shown, so
// every new page shows the picture anew (PaintBox::SetPageText); changed texts and names they
// present only for the focused control.
#pragma once

namespace game {

// The page's text and the special-move button's name are the rules' own (story/game_texts.h).

// Registers the window's accessible interfaces with Qt. Safe to call more than once.
void InstallAccessibility();

}  // namespace game
