#include "platform/web/studio_map.h"

#include <set>

#include "platform/web/json_text.h"
#include "rules/check/walk_report.h"

namespace game::web {
namespace {

using check::PageKind;
using check::StoryWalk;
using check::WalkPage;

std::string EndId(int entry) { return "\"end" + std::to_string(entry) + "\""; }
std::string PageId(int page) { return "\"page" + std::to_string(page) + "\""; }

class MapJson {
 public:
  MapJson(StoryWalk& walk, TextDecoder& decoder) : walk_(walk), decoder_(decoder) {
    const std::vector<int> order = check::ReadingOrder(walk);
    names_.assign(walk.Pages().size(), "");
    for (std::size_t i = 0; i < order.size(); ++i) {
      names_[static_cast<std::size_t>(order[i])] = "p" + std::to_string(i + 1);
    }
    names_[0] = "start";
  }

  std::string Write() {
    for (std::size_t p = 0; p < walk_.Pages().size(); ++p) AddPage(static_cast<int>(p));
    for (const int entry : endings_) {
      Node(EndId(entry), "end", "end", entry + 1, "", false, false);
    }
    return "{\"nodes\":[" + nodes_ + "],\"edges\":[" + edges_ + "]}";
  }

 private:
  void AddPage(int id) {
    const WalkPage& page = walk_.Pages()[static_cast<std::size_t>(id)];
    const char* kind = page.kind == PageKind::kStart    ? "start"
                       : page.kind == PageKind::kAnswer ? "answer"
                                                        : "page";
    const int entry = check::PageEntry(walk_, id);
    const std::string text = page.lines.empty() ? "" : decoder_.SjisToUtf8(page.lines.front());
    Node(PageId(id), kind, names_[static_cast<std::size_t>(id)], id == 0 ? 0 : entry + 1, text,
         page.after.flags.heat_on, page.after.flags.trap_armed);
    if (page.Ends()) {
      Ending(PageId(id), page.EndingEntry(), "read");
    } else if (page.next_step >= 0) {
      const auto& step = walk_.Steps()[static_cast<std::size_t>(page.next_step)];
      const char* way = id > 0 && check::JumpsToNext(walk_, id) ? "jump" : "read";
      if (step.page >= 0) {
        Edge(PageId(id), PageId(step.page), way);
      } else if (step.ending_entry >= 0) {
        Ending(PageId(id), step.ending_entry, way);
      }
    }
    if (page.answer >= 0) Edge(PageId(id), PageId(page.answer), "answer");
  }

  void Ending(const std::string& from, int entry, const char* way) {
    endings_.insert(entry);
    Edge(from, EndId(entry), way);
  }

  void Node(const std::string& id, const char* kind, const std::string& name, int line,
            const std::string& text, bool heat, bool trap) {
    if (!nodes_.empty()) nodes_ += ',';
    nodes_ += "{\"id\":" + id + ",\"kind\":\"" + kind + "\",\"name\":" + JsonQuoted(name) +
              ",\"line\":" + std::to_string(line) + ",\"text\":" + JsonQuoted(text) +
              ",\"heat\":" + (heat ? "true" : "false") + ",\"trap\":" + (trap ? "true" : "false") +
              "}";
  }

  void Edge(const std::string& from, const std::string& to, const char* kind) {
    if (!edges_.empty()) edges_ += ',';
    edges_ += "{\"from\":" + from + ",\"to\":" + to + ",\"kind\":\"" + kind + "\"}";
  }

  StoryWalk& walk_;
  TextDecoder& decoder_;
  std::vector<std::string> names_;
  std::set<int> endings_;
  std::string nodes_;
  std::string edges_;
};

}  // namespace

std::string StoryMapJson(StoryWalk& walk, TextDecoder& decoder) {
  return MapJson(walk, decoder).Write();
}

}  // namespace game::web
