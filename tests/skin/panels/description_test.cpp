#include <gtest/gtest.h>

#include "framework/description/description_loader.h"
#include "panels_fixture.h"
#include "skin/controls/tsui_edit.h"
#include "skin/controls/tsui_group_box.h"
#include "skin/controls/tsui_image_panel.h"

namespace somnara::skin {
namespace {

using testing::PanelsTest;

TEST_F(PanelsTest, WindowDescriptionsCreateThePanelsAndApplyTheirPropertiesInOrder) {
  TsuiGroupBox::StaticClassInfo();
  TsuiImagePanel::StaticClassInfo();
  TsuiEdit::StaticClassInfo();
  fw::LoadDescriptionText(*form, R"(TForm Form1 {
    TsuiGroupBox gb2 {
      Width = 491
      Height = 255
      UIStyle = WinXP
      BorderColor = 0x00FF00
      Caption = "Step 2"
      TsuiEdit Edit1 {
        BorderColor = clRed
        UIStyle = MacOS
      }
      TsuiImagePanel slider {
        DrawStyle = suiTile
        Transparent = True
        AutoSize = True
      }
    }
  })");
  auto* box = dynamic_cast<TsuiGroupBox*>(form->FindComponent("gb2"));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Caption(), "Step 2");
  EXPECT_EQ(box->BorderColor(), fw::clLime);  // written after the style that derived it
  auto* edit = dynamic_cast<TsuiEdit*>(form->FindComponent("Edit1"));
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->BorderColor(), fw::MakeColor(127, 127, 127));  // the style came later
  auto* slider = dynamic_cast<TsuiImagePanel*>(form->FindComponent("slider"));
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(slider->DrawStyle(), TsuiDrawStyle::suiTile);
  EXPECT_TRUE(slider->Transparent());
  EXPECT_TRUE(slider->AutoSize());
}

}  // namespace
}  // namespace somnara::skin
