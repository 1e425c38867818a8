// The game's title, short name and icon.
#pragma once

#include <QIcon>
#include <QString>

namespace game {

inline const QString kGameTitle = QStringLiteral("ルクサリム ～放課後の思考飛躍～");
inline const QString kGameShortName = QStringLiteral("ルクサリム");

// A 32 by 32 icon drawn by the program: a pink star on a green disc.
QIcon GameIcon();

}  // namespace game
