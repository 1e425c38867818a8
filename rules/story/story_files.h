// The story folder's format, for every reader of it (the game, the web page through its module,
// the checker, the site writer): the files the game reads, all in the folder "dat" under the
// folder it starts in, and which folder holds the story when an author names one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace game::story_files {

inline constexpr char kGameFolder[] = "dat";
inline constexpr char kStoryPath[] = "dat/story.txt";
inline constexpr char kRisingSoundPath[] = "dat/up.wav";  // an answered trap
inline constexpr char kMissSoundPath[] = "dat/suka.wav";  // a use without a trap
inline constexpr int kFrameCount = 6;

// The portrait frame `index` (0 to 5): "dat/a0.bmp" to "dat/a5.bmp".
std::string FramePath(int index);

// The name of a game path inside the game's folder ("dat/story.txt" -> "story.txt"); a path
// outside it unchanged.
std::string_view NameInFolder(std::string_view game_path);

// The game's paths of the portrait frames, dat/a0.bmp to dat/a5.bmp.
const std::vector<std::string>& FramePaths();

// The game's paths of the folder's files, in the order the game reads them: dat/story.txt,
// dat/a0.bmp to dat/a5.bmp, dat/up.wav, dat/suka.wav.
const std::vector<std::string>& FilePaths();

// Where the story of a folder an author names lies: the folder itself when it holds story.txt
// (whatever its dat/ holds: that is the story the author points at), else its dat/ when that
// holds story.txt (the folder the game starts in), else the folder itself (which then has no
// story, and says so).
enum class StoryPlace { kFolderItself, kDatFolder };
StoryPlace PlaceOfStory(bool folder_has_story, bool dat_has_story);

}  // namespace game::story_files
