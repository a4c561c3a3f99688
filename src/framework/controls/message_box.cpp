#include "framework/controls/message_box.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "framework/application.h"
#include "framework/controls/button.h"
#include "framework/controls/draw_helpers.h"
#include "framework/controls/label.h"
#include "framework/form.h"

namespace somnara::fw {
namespace {

constexpr int kMargin = 16;
constexpr int kMaxTextWidth = 420;

class MessageForm : public Form {
 public:
  explicit MessageForm(Component* owner) : Form(owner) { SetNeverBlocked(true); }
  ~MessageForm() override { BeginDestruction(); }
  static const ClassInfo& StaticClassInfo() {
    static const ClassInfo info("TMessageForm", &Form::StaticClassInfo());
    return info;
  }
  const ClassInfo& GetClassInfo() const override { return StaticClassInfo(); }
};

std::vector<std::string>& ShowingMessages() {
  static std::vector<std::string> showing;
  return showing;
}

}  // namespace

int ShowMessageBox(const std::string& caption, const std::string& text) {
  auto form = std::make_unique<MessageForm>(nullptr);
  form->SetBorderStyle(BorderStyle::kDialog);
  form->SetBorderIcons(biSystemMenu);
  form->SetPosition(Position::kScreenCenter);
  // Above everything, the program's stay-on-top backdrop included: an error must be seen.
  form->SetFormStyle(FormStyle::kStayOnTop);
  form->SetCaption(caption);
  Font font;
  font.SetName("Tahoma");
  font.SetHeight(-11);
  form->SetFont(font);

  auto* label = new Label(form.get());
  label->SetName("Message");
  label->SetParent(form.get());
  label->SetShowAccelChar(false);
  label->SetLeft(kMargin);
  label->SetTop(kMargin);
  label->SetCaption(text);
  if (label->Width() > kMaxTextWidth) {
    label->SetWidth(kMaxTextWidth);
    label->SetWordWrap(true);  // keeps the width, measures the height
  }

  auto* ok = new Button(form.get());
  ok->SetName("OK");
  ok->SetParent(form.get());
  ok->SetCaption("OK");
  ok->SetDefault(true);
  ok->SetCancel(true);
  ok->SetModalResult(mrOk);

  int caption_width = MeasureText(font, caption, DT_SINGLELINE | DT_NOPREFIX).width + 60;
  int client_width =
      std::max({label->Width() + 2 * kMargin, ok->Width() + 2 * kMargin, caption_width, 160});
  form->SetClientWidth(client_width);
  ok->SetBounds((client_width - ok->Width()) / 2, label->Top() + label->Height() + kMargin,
                ok->Width(), ok->Height());
  form->SetClientHeight(ok->Top() + ok->Height() + 12);
  form->FocusControl(ok);
  return form->ShowModal();
}

void InstallStandardDialogs() {
  App().error_box = [](const std::string& caption, const std::string& message) {
    auto& showing = ShowingMessages();
    if (std::find(showing.begin(), showing.end(), message) != showing.end()) {
      std::fprintf(stderr, "%s: %s\n", caption.c_str(), message.c_str());
      return;
    }
    showing.push_back(message);
    struct Done {
      std::vector<std::string>& list;
      ~Done() { list.pop_back(); }
    } done{showing};
    ShowMessageBox(caption, message);
  };
}

}  // namespace somnara::fw
