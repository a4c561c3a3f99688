// The main window's cartoon figure: a gentleman in a top hat and a purple coat holding up a
// pocket watch, 106 x 153 in 256 colours, on the window's face colour. Also the Menu
// button's small black triangle pointing down.
#include <algorithm>
#include <cmath>
#include <map>

#include "generator.h"
#include "style_paint.h"

namespace {

using namespace resgen::style;

constexpr int kWidth = 106;
constexpr int kHeight = 153;
constexpr uint32_t kFace = 0xEDE5CA;  // the main window's face (237, 229, 202)

// The 256 most used colours, the rest mapped to the nearest of them.
bool WriteQuantised(const std::string& path, const resgen::PixelBuffer& picture) {
  std::map<uint32_t, int> counts;
  for (uint32_t c : picture.pixels) ++counts[c];
  std::vector<std::pair<int, uint32_t>> ranked;
  for (auto [colour, count] : counts) ranked.emplace_back(-count, colour);
  std::sort(ranked.begin(), ranked.end());
  std::vector<uint32_t> palette;
  for (size_t i = 0; i < ranked.size() && i < 256; ++i) palette.push_back(ranked[i].second);
  std::map<uint32_t, uint32_t> index_of;
  auto nearest = [&](uint32_t c) {
    auto found = index_of.find(c);
    if (found != index_of.end()) return found->second;
    uint32_t best = 0;
    long best_distance = -1;
    for (uint32_t i = 0; i < palette.size(); ++i) {
      long distance = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        long d = long((c >> shift) & 0xFF) - long((palette[i] >> shift) & 0xFF);
        distance += d * d;
      }
      if (best_distance < 0 || distance < best_distance) {
        best_distance = distance;
        best = i;
      }
    }
    index_of[c] = best;
    return best;
  };
  resgen::PixelBuffer indices(picture.width, picture.height);
  for (size_t i = 0; i < picture.pixels.size(); ++i) indices.pixels[i] = nearest(picture.pixels[i]);
  return resgen::WriteBmp8(path, indices, palette);
}

bool DrawFigure(const std::string& dir) {
  Layer layer(kWidth, kHeight);
  const Rgb coat = Hex(0x6B2C8E), coat_dark = Hex(0x42195C), coat_light = Hex(0x9150B5);
  const Rgb skin = Hex(0xF2C9A0), black = Hex(0x1C1A1F), gold = Hex(0xD9A520);
  const Rgb trousers = Hex(0x3A3A48);
  // Shadow on the ground.
  layer.Fill(Ellipse(50, 148, 30, 4), Solid(Hex(0x9C9480)), 0.6);
  // Legs and shoes.
  layer.Fill(Box(36, 118, 47, 144), Solid(trousers));
  layer.Fill(Box(53, 118, 64, 144), Solid(Darker(trousers, 0.15)));
  layer.Fill(Ellipse(38, 146, 11, 4.5), Solid(black));
  layer.Fill(Ellipse(64, 146, 11, 4.5), Solid(black));
  // The arm hanging at his side, behind the coat.
  layer.Fill(Segment(29, 76, 22, 112, 5.5), Solid(coat_dark));
  layer.Fill(Circle(22, 115, 5), Solid(skin));
  // Coat: wide at the hem, with lapels, buttons and tails.
  layer.Fill(Polygon({{34, 66}, {68, 66}, {76, 126}, {24, 126}}),
             HGradient(24, coat_light, 76, coat_dark));
  layer.Fill(Polygon({{44, 66}, {58, 66}, {51, 96}}), Solid(Hex(0xF4F0E6)));  // shirt
  layer.Fill(Polygon({{47, 67}, {55, 67}, {51, 73}}), Solid(Hex(0xB0202A)));  // bow tie
  layer.Fill(Polygon({{42, 66}, {51, 96}, {38, 80}}), Solid(coat_dark));
  layer.Fill(Polygon({{60, 66}, {51, 96}, {64, 80}}), Solid(coat_dark));
  for (int i = 0; i < 3; ++i) layer.Fill(Circle(51, 101 + i * 8, 1.8), Solid(gold));
  layer.Stroke(Polygon({{34, 66}, {68, 66}, {76, 126}, {24, 126}}), 1.0, Solid(coat_dark));
  // The raised arm holding up the watch.
  layer.Fill(Segment(66, 74, 82, 58, 5.5), Solid(coat));
  layer.Fill(Segment(82, 58, 86, 36, 5), Solid(coat));
  layer.Fill(Circle(86, 32, 5), Solid(skin));
  // Pocket watch with its chain swinging down.
  layer.Stroke(Arc(78, 30, 9, 0, 200, 340), 1.2, Solid(gold));
  layer.Fill(Circle(86, 18, 11), Solid(gold));
  layer.Fill(Circle(86, 18, 8.5), Solid(Hex(0xFBF6E6)));
  layer.Fill(Segment(86, 18, 86, 12, 0.8), Solid(black));
  layer.Fill(Segment(86, 18, 90, 20, 0.8), Solid(black));
  layer.Fill(Box(84.5, 4, 87.5, 8, 1), Solid(gold));
  for (int i = 0; i < 12; ++i) {
    double a = i * 3.14159265358979 / 6;
    layer.Fill(Circle(86 + 7 * std::cos(a), 18 + 7 * std::sin(a), 0.6), Solid(black));
  }
  // Head with a friendly, sleepy face and a moustache.
  layer.Fill(Box(47, 58, 55, 68), Solid(Darker(skin, 0.1)));
  layer.Fill(Ellipse(51, 47, 14, 15), Solid(skin));
  layer.Fill(Ellipse(37, 48, 3, 4), Solid(skin));
  layer.Fill(Ellipse(65, 48, 3, 4), Solid(skin));
  layer.Fill(Arc(45, 44, 3, 0.7, 200, 340), Solid(black));
  layer.Fill(Arc(57, 44, 3, 0.7, 200, 340), Solid(black));
  layer.Fill(Ellipse(51, 50, 2.2, 2.6), Solid(Darker(skin, 0.18)));
  layer.Fill(Union(Ellipse(46.5, 54, 5, 2.2), Ellipse(55.5, 54, 5, 2.2)), Solid(Hex(0x5A3A22)));
  layer.Fill(Arc(51, 55, 4, 0.7, 220, 320), Solid(Hex(0x8A3A30)));
  // Top hat with a purple band.
  layer.Fill(Box(38, 5, 64, 35, 2), VGradient(5, Hex(0x3A3840), 35, black));
  layer.Fill(Box(38, 26, 64, 31), Solid(coat_light));
  layer.Fill(Ellipse(51, 35, 20, 3.5), Solid(black));
  resgen::PixelBuffer picture = layer.Flatten(Solid(Hex(kFace)));
  return WriteQuantised(dir + "/main_figure.bmp", picture);
}

// 5 x 3: a black triangle pointing down on white, which a button keys out.
bool DrawMenuArrow(const std::string& dir) {
  resgen::PixelBuffer arrow(5, 3, 0xFFFFFF);
  for (int y = 0; y < 3; ++y)
    for (int x = y; x < 5 - y; ++x) arrow.At(x, y) = 0x000000;
  return resgen::WriteBmp24(dir + "/main_menu_arrow.bmp", arrow);
}

resgen::Registration figure("main_figure", DrawFigure);
resgen::Registration menu_arrow("main_menu_arrow", DrawMenuArrow);

}  // namespace
