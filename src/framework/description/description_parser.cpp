#include "framework/description/description_parser.h"

#include <cctype>
#include <set>
#include <string>

#include "framework/class_info.h"
#include "framework/description/description_lexer.h"

namespace somnara::fw {
namespace {

// Deeper than any window needs, shallow enough that recursion cannot exhaust the stack.
constexpr int kMaxDepth = 64;

struct NoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
      const int x = std::tolower(static_cast<unsigned char>(a[i]));
      const int y = std::tolower(static_cast<unsigned char>(b[i]));
      if (x != y) return x < y;
    }
    return a.size() < b.size();
  }
};

std::string Describe(const Token& t) {
  switch (t.kind) {
    case TokenKind::kEnd:
      return "the end of the text";
    case TokenKind::kIdentifier:
      return "'" + t.text + "'";
    case TokenKind::kInteger:
    case TokenKind::kFloat:
      return "a number";
    case TokenKind::kString:
      return "a string";
    case TokenKind::kLeftBrace:
      return "'{'";
    case TokenKind::kRightBrace:
      return "'}'";
    case TokenKind::kEquals:
      return "'='";
    case TokenKind::kLeftBracket:
      return "'['";
    case TokenKind::kRightBracket:
      return "']'";
    case TokenKind::kLeftParen:
      return "'('";
    case TokenKind::kRightParen:
      return "')'";
    case TokenKind::kComma:
      return "','";
    case TokenKind::kLess:
      return "'<'";
    case TokenKind::kGreater:
      return "'>'";
  }
  return "a token";
}

class Parser {
 public:
  Parser(std::string_view text, std::string_view source) : lexer_(text, std::string(source)) {
    Advance();
  }

  DescriptionObject ParseFile() {
    if (token_.kind != TokenKind::kIdentifier) Expected("a class name");
    Token class_name = Take();
    DescriptionObject root = ParseObject(std::move(class_name), 1);
    if (token_.kind != TokenKind::kEnd)
      lexer_.Fail(token_.position,
                  "unexpected " + Describe(token_) + " after the end of " + root.name);
    return root;
  }

 private:
  void Advance() { token_ = lexer_.Next(); }
  Token Take() {
    Token t = std::move(token_);
    Advance();
    return t;
  }
  [[noreturn]] void Expected(const std::string& what) {
    lexer_.Fail(token_.position, what + " expected but " + Describe(token_) + " found");
  }
  void Expect(TokenKind kind, const char* what) {
    if (token_.kind != kind) Expected(what);
    Advance();
  }
  void CheckDepth(int depth, SourcePosition where) {
    if (depth > kMaxDepth) lexer_.Fail(where, "nesting too deep");
  }
  void CheckPlainName(const Token& t, const char* what) {
    if (t.text.find('.') != std::string::npos)
      lexer_.Fail(t.position, std::string(what) + " cannot contain '.'");
  }

  // The class name has been read; the component name follows.
  DescriptionObject ParseObject(Token class_name, int depth) {
    CheckDepth(depth, class_name.position);
    CheckPlainName(class_name, "a class name");
    DescriptionObject object;
    object.class_name = std::move(class_name.text);
    object.position = class_name.position;
    if (token_.kind != TokenKind::kIdentifier) Expected("a component name");
    CheckPlainName(token_, "a component name");
    if (depth > 1 && !component_names_.insert(token_.text).second)
      lexer_.Fail(token_.position, "the component name " + token_.text + " is used twice");
    object.name = Take().text;
    Expect(TokenKind::kLeftBrace, "'{'");

    std::set<std::string, NoCaseLess> seen;
    while (token_.kind != TokenKind::kRightBrace) {
      if (token_.kind != TokenKind::kIdentifier) Expected("a property or an object");
      Token first = Take();
      if (token_.kind == TokenKind::kIdentifier) {
        object.children.push_back(ParseObject(std::move(first), depth + 1));
        continue;
      }
      if (token_.kind != TokenKind::kEquals) Expected("'='");
      Advance();
      if (!seen.insert(first.text).second)
        lexer_.Fail(first.position,
                    "the property " + first.text + " appears twice in " + object.name);
      DescriptionProperty property;
      property.name = std::move(first.text);
      property.position = first.position;
      property.value_position = token_.position;
      property.value = ParseValue(depth + 1);
      object.properties.push_back(std::move(property));
    }
    Advance();
    return object;
  }

  Value ParseValue(int depth) {
    CheckDepth(depth, token_.position);
    Value v;
    switch (token_.kind) {
      case TokenKind::kInteger:
        v = Value::Integer(token_.integer);
        Advance();
        return v;
      case TokenKind::kFloat:
        v.kind = Value::Kind::kFloat;
        v.real = token_.real;
        Advance();
        return v;
      case TokenKind::kString:
        v = Value::String(Take().text);
        return v;
      case TokenKind::kIdentifier: {
        Token name = Take();
        if (SameText(name.text, "resource") && token_.kind == TokenKind::kLeftParen) {
          Advance();
          if (token_.kind != TokenKind::kString) Expected("a resource name in quotes");
          v.kind = Value::Kind::kBinary;
          v.text = Take().text;
          Expect(TokenKind::kRightParen, "')'");
          return v;
        }
        return Value::Identifier(std::move(name.text));
      }
      case TokenKind::kLeftBracket:
        Advance();
        v.kind = Value::Kind::kSet;
        while (token_.kind != TokenKind::kRightBracket) {
          if (token_.kind != TokenKind::kIdentifier) Expected("a set member");
          v.items.push_back(Value::Identifier(Take().text));
          if (!ListContinues(TokenKind::kRightBracket, "',' or ']'")) break;
        }
        Advance();
        return v;
      case TokenKind::kLeftParen:
        Advance();
        v.kind = Value::Kind::kList;
        while (token_.kind != TokenKind::kRightParen) {
          v.items.push_back(ParseValue(depth + 1));
          if (!ListContinues(TokenKind::kRightParen, "',' or ')'")) break;
        }
        Advance();
        return v;
      case TokenKind::kLess:
        Advance();
        v.kind = Value::Kind::kCollection;
        while (token_.kind != TokenKind::kGreater) {
          if (token_.kind != TokenKind::kLeftBrace) Expected("'{' or '>'");
          Advance();
          v.collection.push_back(ParseItem(depth + 1));
        }
        Advance();
        return v;
      default:
        Expected("a value");
    }
  }

  // After an element of a set or list: a comma (a trailing one is allowed) or the closer.
  bool ListContinues(TokenKind closer, const char* what) {
    if (token_.kind == TokenKind::kComma) {
      Advance();
      return true;
    }
    if (token_.kind != closer) Expected(what);
    return false;
  }

  // One collection item; its '{' has been read.
  Value::Properties ParseItem(int depth) {
    CheckDepth(depth, token_.position);
    Value::Properties item;
    std::set<std::string, NoCaseLess> seen;
    while (token_.kind != TokenKind::kRightBrace) {
      if (token_.kind != TokenKind::kIdentifier) Expected("a property or '}'");
      Token name = Take();
      Expect(TokenKind::kEquals, "'='");
      if (!seen.insert(name.text).second)
        lexer_.Fail(name.position, "the property " + name.text + " appears twice in an item");
      Value value = ParseValue(depth + 1);
      item.emplace_back(std::move(name.text), std::move(value));
    }
    Advance();
    return item;
  }

  DescriptionLexer lexer_;
  Token token_;
  // Every nested object is owned by the root, so names must differ across the whole tree.
  std::set<std::string, NoCaseLess> component_names_;
};

}  // namespace

DescriptionObject ParseDescription(std::string_view text, std::string_view source_name) {
  return Parser(text, source_name).ParseFile();
}

}  // namespace somnara::fw
