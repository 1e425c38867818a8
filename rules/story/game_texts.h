// The texts the player reads that every platform shows the same way (UTF-8): the game's titles,
// the page as read aloud, the special-move button's caption and accessible name.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "rules/contracts/text_decoder.h"
#include "rules/story/special_move.h"
#include "rules/story/unit_story.h"

namespace game {

// The window's title, and the page's title on the web.
inline constexpr char kGameTitleText[] = "ルクサリム ～放課後の思考飛躍～";
// The application's short title: the caption of its error reports.
inline constexpr char kGameShortNameText[] = "ルクサリム";
// What the page reads as when it shows no text.
inline constexpr char kEmptyPageText[] = "（文章なし）";
// The Next button's caption.
inline constexpr char kNextButtonCaption[] = "＞次へ";
// The special-move button's caption until start-up sets it: the control's own name.
inline constexpr char kSpecialButtonFirstCaption[] = "BtnLX";
// The web page's button that plays the story again from its first page after its end.
inline constexpr char kPlayAgainCaption[] = "もう一度はじめから";

using PageLineArray = UnitStory::PageLineViews;

// The part of a page line that can show on the picture, a view into the line (a platform measures
// it in its face: OffscreenBitmap::VisibleHead on the desktop).
using VisibleHeadOf = std::function<std::string_view(std::string_view line)>;

// What a sighted player can read of the page: of the first `count` lines (at most all of them),
// what shows of each (the whole line without `visible_head`), decoded from Shift-JIS and joined by
// line feeds; kEmptyPageText when they hold nothing but white space (Unicode's, the ideographic
// space included). A line of any length costs about what shows of it.
std::string ReadablePage(const PageLineArray& lines, int count, TextDecoder& decoder,
                         const VisibleHeadOf& visible_head = nullptr);

// The first `max_bytes` bytes of `line`, and the trail byte of a character that the cut would
// split: what a platform that cannot measure the text takes as what shows of a line.
std::string_view ByteHead(std::string_view line, std::size_t max_bytes);

// The head of each of the first `count` lines (at most all of them): at most `max_bytes` bytes,
// and the trail byte of a character that the cut would split, decoded and joined by line feeds.
// What a platform that cannot measure the text draws of a line.
std::string PageHeads(const PageLineArray& lines, int count, std::size_t max_bytes,
                      TextDecoder& decoder);

// The special-move button's accessible name: the move and how many uses are left, e.g.
// "必殺技ルクサリム（残り7回）".
std::string SpecialButtonName(int uses_left);

// The special-move button's caption, "★" and the full-width digit of the uses left.
std::string SpecialButtonCaption(const SpecialMove& special, TextDecoder& decoder);

// Whether `utf8` holds nothing but white space (an empty text included).
bool IsBlankText(const std::string& utf8);

}  // namespace game
