#include "platform/check/graph_file.h"

#include <zlib.h>

#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <sstream>

namespace game::check {
namespace {

// The format a name asks for: "dot", "svg", "png", or "" for none the checker writes.
std::string FormatOf(const std::string& path) {
  const std::string suffix =
      QFileInfo(QString::fromStdString(path)).suffix().toLower().toStdString();
  if (suffix == "dot" || suffix == "gv") return "dot";
  if (suffix == "svg" || suffix == "png") return suffix;
  return "";
}

void Put32(std::string& bytes, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>(value >> shift);
}

// A PNG with a tEXt chunk "Software: kMapMark" after its header chunk.
std::string MarkPng(std::string png) {
  constexpr std::size_t kAfterHeader = 8 + 4 + 4 + 13 + 4;
  if (png.size() < kAfterHeader) return png;
  const std::string body = std::string("tEXtSoftware") + '\0' + kMapMark;
  std::string chunk;
  Put32(chunk, static_cast<std::uint32_t>(body.size() - 4));
  chunk += body;
  Put32(chunk, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                                static_cast<uInt>(body.size()))));
  return png.insert(kAfterHeader, chunk);
}

std::string Marked(const std::string& format, const std::string& drawn) {
  if (format == "png") return MarkPng(drawn);
  const std::size_t line = drawn.find('\n');  // after <?xml ...?>
  const std::string mark = std::string("<!-- ") + kMapMark + " -->\n";
  return line == std::string::npos ? mark + drawn
                                   : drawn.substr(0, line + 1) + mark + drawn.substr(line + 1);
}

// dot's drawing of `dot` in `format`, or its complaint.
std::optional<Bilingual> Draw(const std::string& format, const std::string& dot,
                              std::string& drawn) {
  QProcess process;
  process.start(QStringLiteral("dot"), {QString::fromStdString("-T" + format)});
  if (!process.waitForStarted()) {
    const std::string why = process.errorString().toStdString();
    return Bilingual{"dot: " + why + " (apt-get install graphviz)",
                     "dot: " + why + "（apt-get install graphviz で入ります）"};
  }
  process.write(dot.data(), static_cast<qint64>(dot.size()));
  process.closeWriteChannel();
  if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    const std::string why = process.readAllStandardError().trimmed().toStdString();
    return Bilingual{"dot: " + why, "dot: " + why};
  }
  drawn = process.readAllStandardOutput().toStdString();
  return std::nullopt;
}

}  // namespace

int MapBoxes(const std::string& dot) {
  std::istringstream lines(dot);
  int boxes = 0;
  for (std::string line; std::getline(lines, line);) {
    // A box's statement: "name [label=...]"; an edge's has "->" before its attributes (a
    // label's text may hold "->" too).
    const std::size_t attributes = line.find("[label=");
    if (attributes != std::string::npos && line.rfind("->", attributes) == std::string::npos) {
      ++boxes;
    }
  }
  return boxes;
}

std::optional<Bilingual> WriteGraphFile(const OutputRequest& request, const std::string& dot,
                                        std::ostream& note, Language language) {
  const std::string& path = request.path;
  if (auto problem = OutputProblem(request, false, HoldsMark(path, kMapMark))) return problem;
  const std::string format = FormatOf(path);
  if (format.empty()) {
    return Bilingual{path +
                         ": --graph writes a .dot or .gv file (the map as text) or an .svg or "
                         ".png picture",
                     path +
                         ": --graph が書くのは .dot か .gv のファイル（分岐図のテキスト）か、.svg "
                         "か .png の絵です。"};
  }
  if (format == "dot") return SaveBeside(path, "// " + std::string(kMapMark) + "\n" + dot);
  const int boxes = MapBoxes(dot);
  const std::string count = std::to_string(boxes);
  const std::string limit = std::to_string(kMapBoxLimit);
  if (boxes > kMapBoxLimit && !request.large) {
    return Bilingual{
        "the map has " + count + " boxes, and dot takes minutes to draw more than " + limit +
            ": write it as .dot, or give --large-graph to draw it anyway",
        "分岐図の箱が " + count + " 個あり、" + limit +
            " 個を超えると dot の描画に何分もかかります。.dot で書くか、それでも描くには "
            "--large-graph を指定してください。"};
  }
  if (boxes > kMapBoxLimit) {
    note << "story_check: "
         << Bilingual{"drawing a map of " + count + " boxes with dot: this may take minutes",
                      count + " 個の箱の分岐図を dot で描いています。何分もかかることがあります。"}
                .In(language)
         << std::endl;
  }
  std::string drawn;
  if (auto failed = Draw(format, dot, drawn)) return failed;
  return SaveBeside(path, Marked(format, drawn));
}

}  // namespace game::check
