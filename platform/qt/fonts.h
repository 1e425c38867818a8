// The Japanese proportional Gothic face, asked for as a family list so that the first installed
// one is used.
#pragma once

#include <QFont>

namespace game {

QFont GothicFont(int pixel_size, bool bold);

}  // namespace game
