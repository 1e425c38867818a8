// Makes the six portrait frames dat/a0.bmp … dat/a5.bmp, 500 by 300: Rim, the astronomy club's
// captain, on the left; a calm text panel on the right where the page's lines are written.
// Frames 0 to 5 are one slow movement (breathing in, a slight sway of the head, the eyelids
// lowering), so that stepping between neighbouring frames looks like a living pose. Her cheeks
// fill the two patches where the game draws its heat strokes (x 60–84 and 122–151, y 92–104).
//
// Every shape is drawn without antialiasing from a small fixed set of colours and gradients are
// drawn in flat bands, so each frame has few colours and compresses well as RLE8; the frames are
// the same on every run. They are stored in a mix of encodings that the game reads.
//
//   make_portraits [output-folder]     (default: dat)
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <initializer_list>
#include <numbers>
#include <string>

#include "rules/bmp/bmp_writer.h"

namespace game {
namespace {

constexpr int kWidth = 500;
constexpr int kHeight = 300;
constexpr int kFrameCount = 6;

// The colours of the picture.
const QColor kOutline(72, 44, 58);
const QColor kSkin(255, 230, 214);
const QColor kSkinShade(243, 203, 188);
const QColor kBlush(252, 196, 190);
const QColor kMouth(214, 92, 104);
const QColor kHairTop(82, 88, 158);
const QColor kHairBottom(40, 42, 96);
const QColor kHairShade(30, 30, 74);
const QColor kHairShine(132, 146, 214);
const QColor kEyeWhite(255, 255, 255);
const QColor kEyeShade(222, 222, 240);
const QColor kIrisTop(120, 62, 24);
const QColor kIrisBottom(246, 186, 70);
const QColor kPupil(58, 28, 18);
const QColor kLash(46, 26, 36);
const QColor kBlouse(250, 250, 253);
const QColor kBlouseShade(214, 218, 236);
const QColor kCollar(44, 52, 112);
const QColor kRibbon(214, 62, 78);
const QColor kRibbonShade(168, 40, 58);
const QColor kStar(255, 214, 92);
const QColor kWallTop(226, 221, 243);
const QColor kWallBottom(251, 236, 224);
const QColor kSparkle(255, 246, 196);
const QColor kPanel(255, 253, 248);
const QColor kPanelEdge(206, 190, 222);

// How the frame differs from the first: the body rises with the breath, the head sways and the
// eyelids come down.
struct Pose {
  double body_dy = 0;  // pixels, negative is up
  double head_dx = 0;
  double head_dy = 0;
  double lid = 0;  // 0 open … 1 shut
};

Pose PoseOf(int frame) {
  const double k = static_cast<double>(frame) / (kFrameCount - 1);
  return Pose{-3.0 * k, 2.0 * k, -1.0 * k, 0.45 * k};
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  auto channel = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
  return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                channel(a.blue(), b.blue()));
}

QPolygonF Polygon(std::initializer_list<QPointF> points) { return QPolygonF(points); }

QPainterPath ClosedPath(const QPolygonF& polygon) {
  QPainterPath path;
  path.addPolygon(polygon);
  path.closeSubpath();
  return path;
}

void Fill(QPainter& p, const QPainterPath& path, const QColor& colour) { p.fillPath(path, colour); }

void Stroke(QPainter& p, const QPainterPath& path, const QColor& colour, double width) {
  p.strokePath(path, QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void FillAndOutline(QPainter& p, const QPainterPath& path, const QColor& colour) {
  Fill(p, path, colour);
  Stroke(p, path, kOutline, 2);
}

// A vertical gradient in `bands` flat steps from `top` to `bottom`, limited to `area`.
void FillBanded(QPainter& p, const QPainterPath& area, const QColor& top, const QColor& bottom,
                int bands) {
  const QRectF box = area.boundingRect();
  p.save();
  p.setClipPath(area, Qt::IntersectClip);
  const double step = box.height() / bands;
  for (int i = 0; i < bands; ++i) {
    const QRectF band(box.left(), box.top() + i * step, box.width(), step + 1);
    p.fillRect(band, Mix(top, bottom, bands > 1 ? static_cast<double>(i) / (bands - 1) : 0.0));
  }
  p.restore();
}

// A quadratic curve from `a` to `b` bending towards `control`.
QPainterPath Curve(QPointF a, QPointF control, QPointF b) {
  QPainterPath path(a);
  path.quadTo(control, b);
  return path;
}

QPainterPath Ellipse(QPointF centre, double rx, double ry) {
  QPainterPath path;
  path.addEllipse(centre, rx, ry);
  return path;
}

// A star of `points` points around `centre`.
QPainterPath StarShape(QPointF centre, double outer, double inner, int points) {
  QPolygonF polygon;
  for (int i = 0; i < 2 * points; ++i) {
    const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / points;
    const double r = i % 2 == 0 ? outer : inner;
    polygon << QPointF(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
  }
  return ClosedPath(polygon);
}

// ---- background -------------------------------------------------------------------------------

void DrawWall(QPainter& p) {
  QPainterPath wall;
  wall.addRect(0, 0, kWidth, kHeight);
  FillBanded(p, wall, kWallTop, kWallBottom, 15);
  const std::array<QPointF, 9> sparkles = {{{250, 24},
                                            {318, 14},
                                            {392, 30},
                                            {470, 16},
                                            {246, 196},
                                            {300, 250},
                                            {362, 186},
                                            {254, 284},
                                            {212, 20}}};
  for (const QPointF& at : sparkles) Fill(p, StarShape(at, 6, 1.5, 4), kSparkle);
}

void DrawTextPanel(QPainter& p) {
  QPainterPath panel;
  panel.addRoundedRect(QRectF(222, 42, 272, 118), 10, 10);
  Fill(p, panel, kPanel);
  Stroke(p, panel, kPanelEdge, 2);
}

// ---- the character, back to front -----------------------------------------------------------

QPainterPath BackHair(const Pose& pose) {
  const double x = pose.head_dx;
  const double y = pose.head_dy;
  QPainterPath path(QPointF(105 + x, 6 + y));
  path.cubicTo(QPointF(30 + x, 4 + y), QPointF(10 + x, 70 + y), QPointF(14 + x, 150));
  path.cubicTo(QPointF(14, 190), QPointF(6, 230), QPointF(12, 258));
  path.quadTo(QPointF(30, 250), QPointF(40, 262));
  path.lineTo(QPointF(170, 262));
  path.quadTo(QPointF(180, 250), QPointF(198, 258));
  path.cubicTo(QPointF(204, 230), QPointF(196, 190), QPointF(196 + x, 150));
  path.cubicTo(QPointF(200 + x, 70 + y), QPointF(180 + x, 4 + y), QPointF(105 + x, 6 + y));
  return path;
}

void DrawBackHair(QPainter& p, const Pose& pose) {
  const QPainterPath hair = BackHair(pose);
  FillBanded(p, hair, kHairBottom, kHairShade, 6);
  Stroke(p, hair, kOutline, 2);
}

// The picture of `path` mirrored about the middle of the face (x 105).
QPainterPath Mirrored(const QPainterPath& path) {
  return QTransform(-1, 0, 0, 1, 210, 0).map(path);
}

// Strokes `path` and its mirror picture.
void StrokeBothSides(QPainter& p, const QPainterPath& path, const QColor& colour, double width) {
  Stroke(p, path, colour, width);
  Stroke(p, Mirrored(path), colour, width);
}

// Fills and outlines `path` and its mirror picture.
void FillBothSides(QPainter& p, const QPainterPath& path, const QColor& colour) {
  FillAndOutline(p, path, colour);
  FillAndOutline(p, Mirrored(path), colour);
}

void DrawNeck(QPainter& p) {
  Fill(p, ClosedPath(Polygon({{93, 128}, {117, 128}, {119, 178}, {91, 178}})), kSkin);
  Fill(p, ClosedPath(Polygon({{93, 134}, {117, 134}, {117, 150}, {105, 156}, {93, 150}})),
       kSkinShade);
  StrokeBothSides(p, Curve({93, 130}, {92, 160}, {90, 176}), kOutline, 2);
}

void DrawTorso(QPainter& p) {
  QPainterPath torso(QPointF(14, 304));
  torso.cubicTo(QPointF(14, 250), QPointF(16, 220), QPointF(30, 204));
  torso.cubicTo(QPointF(44, 190), QPointF(72, 180), QPointF(90, 174));
  torso.lineTo(QPointF(120, 174));
  torso.cubicTo(QPointF(138, 180), QPointF(166, 190), QPointF(180, 204));
  torso.cubicTo(QPointF(194, 220), QPointF(196, 250), QPointF(196, 304));
  torso.closeSubpath();
  FillBanded(p, torso, kBlouse, kBlouseShade, 4);
  Stroke(p, torso, kOutline, 2);
  StrokeBothSides(p, Curve({40, 236}, {46, 270}, {44, 304}), kBlouseShade, 2);  // the arms
}

// The sailor collar with its stripe, and the ribbon tied at its point.
void DrawCollarAndRibbon(QPainter& p) {
  FillBothSides(
      p, ClosedPath(Polygon({{90, 174}, {105, 226}, {97, 232}, {44, 202}, {56, 190}, {76, 180}})),
      kCollar);
  StrokeBothSides(p, Curve({52, 200}, {76, 198}, {99, 224}), kBlouse, 2);
  FillBothSides(p, ClosedPath(Polygon({{101, 222}, {86, 262}, {96, 258}})), kRibbonShade);
  FillBothSides(p, ClosedPath(Polygon({{105, 220}, {80, 208}, {78, 232}})), kRibbon);
  FillAndOutline(p, Ellipse({105, 220}, 6, 6), kRibbon);
}

void DrawBody(QPainter& p, const Pose& pose) {
  p.save();
  p.translate(0, pose.body_dy);
  DrawNeck(p);
  DrawTorso(p);
  DrawCollarAndRibbon(p);
  p.restore();
}

QPainterPath FaceShape() {
  QPainterPath face(QPointF(40, 40));
  face.cubicTo(QPointF(36, 80), QPointF(40, 104), QPointF(54, 120));
  face.cubicTo(QPointF(72, 140), QPointF(92, 148), QPointF(105, 149));
  face.cubicTo(QPointF(118, 148), QPointF(138, 140), QPointF(156, 120));
  face.cubicTo(QPointF(170, 104), QPointF(174, 80), QPointF(170, 40));
  face.closeSubpath();
  return face;
}

void DrawFace(QPainter& p) {
  const QPainterPath face = FaceShape();
  Fill(p, face, kSkin);
  // The shadow the hair casts along the top of the face.
  p.save();
  p.setClipPath(face);
  Fill(p, Ellipse({105, 30}, 74, 34), kSkinShade);
  p.restore();
  Stroke(p, face, kOutline, 2);
  Fill(p, Ellipse({72, 99}, 10, 4), kBlush);
  Fill(p, Ellipse({137, 99}, 11, 4), kBlush);
  Stroke(p, Curve({106, 100}, {108, 104}, {104, 106}), kSkinShade, 2);
  QPainterPath mouth(QPointF(96, 120));
  mouth.quadTo(QPointF(105, 128), QPointF(114, 120));
  mouth.quadTo(QPointF(105, 124), QPointF(96, 120));
  Fill(p, mouth, kMouth);
  Stroke(p, Curve({95, 119}, {105, 127}, {115, 119}), kOutline, 2);
}

// One eye: `outer` is -1 for the eye on the picture's left (its outer corner on the left) and +1
// for the other; `lid` (0 open … 1 shut) lowers the upper eyelid.
struct Eye {
  Eye(QPointF at, int outer_side, double lid)
      : centre(at),
        outer(outer_side),
        lid_y(at.y() - kHalf + 2 * kHalf * lid),
        corner_x(at.x() + outer_side * kHalf) {}
  static constexpr double kHalf = 15;  // half width and half height
  QPointF centre;
  int outer;
  double lid_y;     // where the upper eyelid crosses the middle of the eye
  double corner_x;  // the outer corner
  double Across(double dx) const { return centre.x() + outer * dx; }
};

// The part of the eye that the upper eyelid leaves open.
QPainterPath EyeOpening(const Eye& eye) {
  QPainterPath below_lid(QPointF(eye.Across(-Eye::kHalf - 2), eye.lid_y + 5));
  below_lid.quadTo(QPointF(eye.centre.x(), eye.lid_y - 7),
                   QPointF(eye.Across(Eye::kHalf + 2), eye.lid_y + 3));
  below_lid.lineTo(eye.Across(Eye::kHalf + 2), eye.centre.y() + Eye::kHalf + 2);
  below_lid.lineTo(eye.Across(-Eye::kHalf - 2), eye.centre.y() + Eye::kHalf + 2);
  below_lid.closeSubpath();
  return Ellipse(eye.centre, Eye::kHalf, Eye::kHalf).intersected(below_lid);
}

// The white, the iris in bands from dark to light, the pupil and two glints.
void DrawEyeball(QPainter& p, const Eye& eye) {
  const QPointF iris_centre(eye.Across(-1), eye.centre.y() + 1);
  p.save();
  p.setClipPath(EyeOpening(eye));
  Fill(p, Ellipse(eye.centre, Eye::kHalf, Eye::kHalf), kEyeWhite);
  Fill(p, Ellipse({eye.centre.x(), eye.centre.y() - Eye::kHalf}, Eye::kHalf + 2, 6), kEyeShade);
  const QPainterPath iris = Ellipse(iris_centre, 11, 14);
  FillBanded(p, iris, kIrisTop, kIrisBottom, 5);
  Stroke(p, iris, kPupil, 1);
  Fill(p, Ellipse(iris_centre, 5, 7), kPupil);
  Fill(p, Ellipse(iris_centre + QPointF(-4, -5), 3.5, 4), kEyeWhite);
  Fill(p, Ellipse(iris_centre + QPointF(4, 5), 1.5, 1.5), kEyeWhite);
  p.restore();
}

// Thick upper lashes along the lid with a flick at the outer corner, and a thin lower line.
void DrawLashes(QPainter& p, const Eye& eye) {
  const double bottom = eye.centre.y() + Eye::kHalf;
  Stroke(p,
         Curve({eye.Across(-Eye::kHalf - 1), eye.lid_y + 6}, {eye.centre.x(), eye.lid_y - 6},
               {eye.Across(Eye::kHalf + 2), eye.lid_y + 3}),
         kLash, 3);
  Stroke(p,
         Curve({eye.corner_x, eye.lid_y + 3}, {eye.Across(Eye::kHalf + 4), eye.lid_y},
               {eye.Across(Eye::kHalf + 6), eye.lid_y - 3}),
         kLash, 2);
  Stroke(p,
         Curve({eye.Across(-6), bottom + 1}, {eye.centre.x(), bottom + 2},
               {eye.Across(Eye::kHalf - 2), bottom - 2}),
         kOutline, 1);
}

void DrawEye(QPainter& p, const Eye& eye) {
  DrawEyeball(p, eye);
  DrawLashes(p, eye);
}

void DrawBrows(QPainter& p) {
  Stroke(p, Curve({60, 54}, {72, 48}, {86, 52}), kHairBottom, 2);
  Stroke(p, Curve({124, 52}, {138, 48}, {150, 54}), kHairBottom, 2);
}

// The fringe: the top of the head, then its lower edge from the right temple to the left, strand
// by strand, each strand a curve from a notch down to a tip, swept slightly to one side.
QPainterPath Bangs() {
  QPainterPath bangs(QPointF(30, 86));
  bangs.cubicTo(QPointF(20, 30), QPointF(60, 7), QPointF(105, 7));
  bangs.cubicTo(QPointF(150, 7), QPointF(190, 30), QPointF(180, 86));
  const std::array<QPointF, 17> edge = {{{166, 40},
                                         {158, 70},
                                         {152, 36},
                                         {142, 54},
                                         {134, 30},
                                         {122, 52},
                                         {116, 32},
                                         {106, 62},
                                         {98, 30},
                                         {88, 52},
                                         {80, 30},
                                         {68, 54},
                                         {62, 34},
                                         {50, 70},
                                         {46, 40},
                                         {38, 66},
                                         {30, 86}}};
  for (const QPointF& point : edge) {
    const QPointF from = bangs.currentPosition();
    const QPointF middle = (from + point) / 2;
    bangs.quadTo(QPointF(middle.x() - 4, middle.y() + 2), point);
  }
  bangs.closeSubpath();
  return bangs;
}

// A lock of hair that hangs in front of the ear on `side` (-1 left, +1 right) down past the
// shoulder; `sway` moves its tip.
QPainterPath SideLock(int side, double sway) {
  auto at = [side](double dx, double y) { return QPointF(105 + side * dx, y); };
  QPainterPath lock(at(54, 34));
  lock.cubicTo(at(80, 70), at(82, 140), at(76 - sway * side, 214));
  lock.quadTo(at(68, 200), at(60 - sway * side, 206));
  lock.cubicTo(at(56, 160), at(52, 110), at(48, 60));
  lock.closeSubpath();
  return lock;
}

void DrawFrontHair(QPainter& p, const Pose& pose) {
  const QPainterPath bangs = Bangs();
  FillBanded(p, bangs, kHairTop, kHairBottom, 4);
  Stroke(p, Curve({46, 28}, {105, 4}, {164, 28}), kHairShine, 4);
  Stroke(p, bangs, kOutline, 2);
  for (int side : {-1, 1}) {
    const QPainterPath lock = SideLock(side, pose.head_dx);
    FillBanded(p, lock, kHairTop, kHairBottom, 5);
    Stroke(p, lock, kOutline, 2);
  }
  FillAndOutline(p, StarShape({154, 30}, 10, 4.5, 5), kStar);
}

void DrawHead(QPainter& p, const Pose& pose) {
  p.save();
  p.translate(pose.head_dx, pose.head_dy);
  DrawFace(p);
  DrawEye(p, Eye({73, 74}, -1, pose.lid));
  DrawEye(p, Eye({137, 74}, 1, pose.lid));
  DrawBrows(p);
  DrawFrontHair(p, pose);
  p.restore();
}

QImage DrawFrame(int frame) {
  const Pose pose = PoseOf(frame);
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  DrawWall(p);
  DrawTextPanel(p);
  DrawBackHair(p, pose);
  DrawBody(p, pose);
  DrawHead(p, pose);
  return image;
}

DecodedBitmap ToBitmap(const QImage& image) {
  DecodedBitmap bitmap{image.width(), image.height(), {}};
  bitmap.rgb.reserve(static_cast<std::size_t>(image.width()) * image.height() * 3);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      bitmap.rgb.insert(bitmap.rgb.end(), {static_cast<std::uint8_t>(qRed(pixel)),
                                           static_cast<std::uint8_t>(qGreen(pixel)),
                                           static_cast<std::uint8_t>(qBlue(pixel))});
    }
  }
  return bitmap;
}

// Most frames are run-length encoded; one is plain 8-bit and one plain 24-bit, so that the game
// reads every kind of bitmap it meets in its own data.
constexpr std::array<BmpEncoding, kFrameCount> kEncodings = {
    BmpEncoding::kRle8,  BmpEncoding::kRle8, BmpEncoding::kPalette8,
    BmpEncoding::kRgb24, BmpEncoding::kRle8, BmpEncoding::kRle8};

}  // namespace
}  // namespace game

int main(int argc, char** argv) {
  const std::filesystem::path folder = argc > 1 ? argv[1] : "dat";
  try {
    std::filesystem::create_directories(folder);
    for (int frame = 0; frame < game::kFrameCount; ++frame) {
      const std::string name = "a" + std::to_string(frame) + ".bmp";
      game::WriteBmpFile((folder / name).string(), game::ToBitmap(game::DrawFrame(frame)),
                         game::kEncodings[frame]);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_portraits: %s\n", error.what());
    return 1;
  }
  return 0;
}
