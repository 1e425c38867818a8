// The Japanese proportional Gothic face, asked for as a family list so that the first installed
// one is used.
#pragma once

#include <QFont>

namespace game {

QFont GothicFont(int pixel_size, bool bold);

// The face as the off-screen canvas draws it. Its hinting is the fontconfig default of a 96-dpi
// screen (slight, on the vertical only) and does not follow Qt's, which drops hinting once the
// screen is scaled: the letters come out the same at every device-pixel ratio.
QFont CanvasGothicFont(int pixel_size, bool bold);

}  // namespace game
