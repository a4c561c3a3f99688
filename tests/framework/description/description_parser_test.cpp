#include "framework/description/description_parser.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "framework/description/description_error.h"

namespace somnara::fw {
namespace {

const char kSample[] = R"(# comment to end of line
TForm1 Form1 {
  Left = 192
  Top = -10
  Caption = "Somnara \"night\"\\\n\t\u4E2D"   # escapes
  Color = clBlack
  Font.Name = "MS Sans Serif"
  Font.Height = -21
  BorderColor = 0x7F7F7F
  BorderIcons = [biSystemMenu, biMinimize]
  NoIcons = []
  Items = ("Natural sound", "Rain", 3, (nested))
  Picture = resource("generated/star_tile.bmp")
  FileTheme = Form1.suiBuiltInFileTheme1
  Ratio = 1.5
  Tiny = -2.5e-3
  TitleBarButtons = <
    { ButtonType = suiClose  Transparent = False }
    { ButtonType = suiMax }
    {}
  >
  OnCreate = FormCreate
  Label Label1 {
    Left = 80
    Panel Inner { }
  }
  Timer Timer2 { Interval = 100 }
}
)";

const Value& Prop(const DescriptionObject& o, const std::string& name) {
  for (const auto& p : o.properties)
    if (p.name == name) return p.value;
  ADD_FAILURE() << "no property " << name;
  static Value none;
  return none;
}

TEST(DescriptionParser, ReadsEveryValueKindInOrder) {
  DescriptionObject root = ParseDescription(kSample, "sample");
  EXPECT_EQ(root.class_name, "TForm1");
  EXPECT_EQ(root.name, "Form1");
  EXPECT_EQ(root.position.line, 2);

  std::vector<std::string> names;
  for (const auto& p : root.properties) names.push_back(p.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Left", "Top", "Caption", "Color", "Font.Name",
                                             "Font.Height", "BorderColor", "BorderIcons", "NoIcons",
                                             "Items", "Picture", "FileTheme", "Ratio", "Tiny",
                                             "TitleBarButtons", "OnCreate"}));

  EXPECT_EQ(Prop(root, "Left").kind, Value::Kind::kInteger);
  EXPECT_EQ(Prop(root, "Left").integer, 192);
  EXPECT_EQ(Prop(root, "Top").integer, -10);
  EXPECT_EQ(Prop(root, "Font.Height").integer, -21);
  EXPECT_EQ(Prop(root, "BorderColor").integer, 0x7F7F7F);

  const Value& caption = Prop(root, "Caption");
  EXPECT_EQ(caption.kind, Value::Kind::kString);
  EXPECT_EQ(caption.text, "Somnara \"night\"\\\n\t\xE4\xB8\xAD");

  EXPECT_EQ(Prop(root, "Color").kind, Value::Kind::kIdentifier);
  EXPECT_EQ(Prop(root, "Color").text, "clBlack");
  EXPECT_EQ(Prop(root, "FileTheme").text, "Form1.suiBuiltInFileTheme1");
  EXPECT_EQ(Prop(root, "OnCreate").text, "FormCreate");

  const Value& icons = Prop(root, "BorderIcons");
  ASSERT_EQ(icons.kind, Value::Kind::kSet);
  ASSERT_EQ(icons.items.size(), 2u);
  EXPECT_EQ(icons.items[1].text, "biMinimize");
  EXPECT_EQ(Prop(root, "NoIcons").kind, Value::Kind::kSet);
  EXPECT_TRUE(Prop(root, "NoIcons").items.empty());

  const Value& items = Prop(root, "Items");
  ASSERT_EQ(items.kind, Value::Kind::kList);
  ASSERT_EQ(items.items.size(), 4u);
  EXPECT_EQ(items.items[0].text, "Natural sound");
  EXPECT_EQ(items.items[2].integer, 3);
  ASSERT_EQ(items.items[3].kind, Value::Kind::kList);
  EXPECT_EQ(items.items[3].items.at(0).text, "nested");

  const Value& picture = Prop(root, "Picture");
  EXPECT_EQ(picture.kind, Value::Kind::kBinary);
  EXPECT_EQ(picture.text, "generated/star_tile.bmp");
  EXPECT_TRUE(picture.bytes.empty());  // the loader fills them in

  EXPECT_EQ(Prop(root, "Ratio").kind, Value::Kind::kFloat);
  EXPECT_DOUBLE_EQ(Prop(root, "Ratio").real, 1.5);
  EXPECT_DOUBLE_EQ(Prop(root, "Tiny").real, -0.0025);

  const Value& buttons = Prop(root, "TitleBarButtons");
  ASSERT_EQ(buttons.kind, Value::Kind::kCollection);
  ASSERT_EQ(buttons.collection.size(), 3u);
  ASSERT_EQ(buttons.collection[0].size(), 2u);
  EXPECT_EQ(buttons.collection[0][0].first, "ButtonType");
  EXPECT_EQ(buttons.collection[0][0].second.text, "suiClose");
  EXPECT_EQ(buttons.collection[0][1].second.text, "False");
  EXPECT_EQ(buttons.collection[1][0].second.text, "suiMax");
  EXPECT_TRUE(buttons.collection[2].empty());

  ASSERT_EQ(root.children.size(), 2u);
  EXPECT_EQ(root.children[0].class_name, "Label");
  EXPECT_EQ(root.children[0].name, "Label1");
  EXPECT_EQ(root.children[0].properties.at(0).position.line, 24);
  EXPECT_EQ(root.children[0].properties.at(0).position.column, 5);
  ASSERT_EQ(root.children[0].children.size(), 1u);
  EXPECT_EQ(root.children[0].children[0].name, "Inner");
  EXPECT_EQ(root.children[1].properties.at(0).value.integer, 100);
}

TEST(DescriptionParser, NumbersAtTheirLimits) {
  DescriptionObject o = ParseDescription(
      "T X { A = 9223372036854775807 B = -9223372036854775808 C = 0xFFFFFFFF D = -0x10 "
      "E = 007 F = 1e3 G = 0.5 }");
  EXPECT_EQ(o.properties[0].value.integer, INT64_MAX);
  EXPECT_EQ(o.properties[1].value.integer, INT64_MIN);
  EXPECT_EQ(o.properties[2].value.integer, 0xFFFFFFFFll);
  EXPECT_EQ(o.properties[3].value.integer, -16);
  EXPECT_EQ(o.properties[4].value.integer, 7);
  EXPECT_EQ(o.properties[5].value.kind, Value::Kind::kFloat);
  EXPECT_DOUBLE_EQ(o.properties[5].value.real, 1000);
  EXPECT_DOUBLE_EQ(o.properties[6].value.real, 0.5);
}

TEST(DescriptionParser, StringsKeepUtf8AndDecodeSurrogatePairs) {
  DescriptionObject o = ParseDescription(
      "\xEF\xBB\xBFT X { A = \"Schlaf gut, \xC3\xA4\xE4\xB8\xAD\" B = \"\\uD83D\\uDE34\" "
      "C = \"#not a comment\" D = \"tab\there\" }");
  EXPECT_EQ(o.properties[0].value.text, "Schlaf gut, \xC3\xA4\xE4\xB8\xAD");
  EXPECT_EQ(o.properties[1].value.text, "\xF0\x9F\x98\xB4");
  EXPECT_EQ(o.properties[2].value.text, "#not a comment");
  EXPECT_EQ(o.properties[3].value.text, "tab\there");
}

struct BadCase {
  const char* text;
  int line;
  int column;
  const char* reason;
};

TEST(DescriptionParser, SyntaxErrorsNameSourceLineAndColumn) {
  const BadCase cases[] = {
      {"", 1, 1, "a class name expected but the end of the text found"},
      {"T X {\n  Left 5\n}", 2, 8, "'=' expected but a number found"},
      {"T X {\n  Left = \n}", 3, 1, "a value expected but '}' found"},
      {"T X {\n  Caption = \"open\n}", 2, 13, "unterminated string"},
      {"T X { A = \"a\\qb\" }", 1, 13, "unknown escape"},
      {"T X { A = \"\\u12\" }", 1, 14, "four hexadecimal digits"},
      {"T X { A = \"\\uD800x\" }", 1, 12, "lone high surrogate"},
      {"T X { A = \"\\uDC00\" }", 1, 12, "lone low surrogate"},
      {"T X { A = \"\\u0000\" }", 1, 12, "\\u0000 is not allowed"},
      {"T X { A = \"\xE4\xB8\xAD\xFF\" }", 1, 13, "invalid UTF-8"},
      {"T X { A = \"\xC0\x80\" }", 1, 12, "invalid UTF-8"},
      {"T X { A = \"bell\x07\" }", 1, 16, "control character 0x07"},
      {"T X { A = 1\n A = 2 }", 2, 2, "the property A appears twice in X"},
      {"T X { L A { } L a { } }", 1, 17, "the component name a is used twice"},
      {"T X { L A { L B { } } L B { } }", 1, 25, "the component name B is used twice"},
      {"T X { } T Y { }", 1, 9, "unexpected 'T' after the end of X"},
      {"T X { A = 9223372036854775808 }", 1, 11, "integer too large"},
      {"T X { A = -0x8000000000000001 }", 1, 11, "integer too large"},
      {"T X { A = 0x }", 1, 11, "hexadecimal digits are expected"},
      {"T X { A = 12ab }", 1, 11, "invalid number"},
      {"T X { A = 1.5.2 }", 1, 11, "invalid number"},
      {"T X { A = 1e999 }", 1, 11, "number out of range"},
      {"T X { A = Form1. }", 1, 16, "a name is expected after '.'"},
      {"T.U X { }", 1, 1, "a class name cannot contain '.'"},
      {"T X { L A.B { } }", 1, 9, "a component name cannot contain '.'"},
      {"T X { A = [a, 1] }", 1, 15, "a set member expected"},
      {"T X { A = [a b] }", 1, 14, "',' or ']' expected"},
      {"T X { A = (1 2) }", 1, 14, "',' or ')' expected"},
      {"T X { A = < B = 1 > }", 1, 13, "'{' or '>' expected"},
      {"T X { A = < { B = 1 B = 2 } > }", 1, 21, "appears twice in an item"},
      {"T X { A = resource(x) }", 1, 20, "a resource name in quotes"},
      {"T X { A = 1 ; }", 1, 13, "unexpected character ';'"},
      {"T X { A = \xE4\xB8\xAD }", 1, 11, "unexpected character U+4E2D"},
      {"T X { \x01 }", 1, 7, "unexpected control character 0x01"},
      {"T X {\n  A = \"\xE4\xB8\xAD\" $ }", 2, 11, "unexpected character '$'"},
      {"T X { A = 1", 1, 12, "a property or an object expected but the end of the text found"},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ParseDescription(c.text, "forms/TTest.wnd");
      ADD_FAILURE() << "parsed";
    } catch (const DescriptionError& e) {
      const std::string prefix = "Syntax error in forms/TTest.wnd at line " +
                                 std::to_string(c.line) + ", column " + std::to_string(c.column) +
                                 ": ";
      EXPECT_EQ(std::string(e.what()).substr(0, prefix.size()), prefix) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
      EXPECT_EQ(e.Source(), "forms/TTest.wnd");
      EXPECT_EQ(e.Line(), c.line);
      EXPECT_EQ(e.Column(), c.column);
    }
  }
}

TEST(DescriptionParser, DeepNestingIsRefusedNotOverflowed) {
  std::string deep = "T X { A = " + std::string(100000, '(') + " }";
  EXPECT_THROW(ParseDescription(deep), DescriptionError);
  std::string objects = "T X {";
  for (int i = 0; i < 5000; ++i) objects += " L N" + std::to_string(i) + " {";
  EXPECT_THROW(ParseDescription(objects), DescriptionError);
  std::string items = "T X { A = <";
  for (int i = 0; i < 5000; ++i) items += " { B = <";
  EXPECT_THROW(ParseDescription(items), DescriptionError);
  // A depth windows really use is fine.
  EXPECT_NO_THROW(ParseDescription("T X { A = ((((1)))) L A { L B { L C { } } } }"));
}

// Every prefix, and many random byte edits, of a valid text either parse or raise the
// description error; nothing else may come out (the sanitizer build catches the rest).
TEST(DescriptionParser, MalformedInputOnlyEverRaisesDescriptionError) {
  const std::string sample = kSample;
  auto survives = [](const std::string& text) {
    try {
      ParseDescription(text);
    } catch (const DescriptionError&) {
    }
  };
  for (size_t n = 0; n <= sample.size(); ++n) survives(sample.substr(0, n));
  std::mt19937 random(20240611);
  const std::string alphabet = "{}[]()<>=,.\"\\#-0x9aZ_ \n\t\xE4\xB8\xAD\xFF";
  for (int round = 0; round < 3000; ++round) {
    std::string text = sample;
    const int edits = 1 + int(random() % 4);
    for (int e = 0; e < edits; ++e) {
      const size_t at = random() % text.size();
      const char c = alphabet[random() % alphabet.size()];
      switch (random() % 3) {
        case 0:
          text[at] = c;
          break;
        case 1:
          text.insert(text.begin() + long(at), c);
          break;
        default:
          text.erase(at, 1 + random() % 8);
          break;
      }
      if (text.empty()) text = "x";
    }
    survives(text);
  }
}

}  // namespace
}  // namespace somnara::fw
