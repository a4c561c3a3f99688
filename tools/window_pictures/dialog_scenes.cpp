#include "dialog_scenes.h"

#include <filesystem>
#include <stdexcept>

#include "framework/application.h"
#include "framework/messages.h"
#include "headless_desktop.h"
#include "platform/headless/headless_window_system.h"
#include "screen_picture.h"
#include "skin/controls/tfrm_msg.h"
#include "skin/controls/tsui_message_dialog.h"

namespace somnara::pictures {

namespace {

namespace fs = std::filesystem;

skin::TfrmMsg* OpenBox() {
  for (fw::Component* c : fw::App().Components())
    if (auto* box = dynamic_cast<skin::TfrmMsg*>(c)) return box;
  return nullptr;
}

}  // namespace

std::vector<std::string> RenderMessageDialogs(const std::string& out_dir) {
  HeadlessDesktop desktop;
  platform::HeadlessWindowSystem& windows = desktop.Windows();

  const struct {
    skin::TsuiIconType icon;
    const char* name;
    int buttons;
  } scenes[] = {{skin::TsuiIconType::suiNone, "none", 1},
                {skin::TsuiIconType::suiInformation, "information", 1},
                {skin::TsuiIconType::suiWarning, "warning", 2},
                {skin::TsuiIconType::suiStop, "stop", 2},
                {skin::TsuiIconType::suiHelp, "help", 3}};
  std::vector<std::string> written;
  for (const auto& scene : scenes) {
    auto* dialog = new skin::TsuiMessageDialog(&fw::App());
    dialog->SetIconType(scene.icon);
    dialog->SetButtonCount(scene.buttons);
    dialog->SetText("Unable to write to /home/user/.config/somnara/option.ini");
    const std::string path =
        (fs::path(out_dir) / (std::string("message_") + scene.name + ".png")).string();
    std::string error = "the message box did not open";
    // Taken once the box is up, then closed as a user would, by Enter on its default button.
    windows.After(10, [&] {
      if (skin::TfrmMsg* box = OpenBox()) {
        const auto* native = static_cast<const platform::HeadlessWindow*>(box->NativeWindow());
        error = WritePng(path, WindowPicture(*native));
      }
      windows.PressKey(fw::VK_RETURN);
    });
    dialog->ShowModal();
    delete dialog;
    if (!error.empty()) throw std::runtime_error(path + ": " + error);
    written.push_back(path);
  }

  return written;
}

}  // namespace somnara::pictures
