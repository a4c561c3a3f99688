// Property writes of the title bar's collections: the two refusals, copying, and the
// published names a window description uses.
#include "framework/class_info.h"
#include "title_bar_fixture.h"

namespace somnara::skin::testing {
namespace {

using Type = TsuiTitleBarBtnType;

TEST_F(TitleBarTest, ASecondClientSectionOrControlBoxIsRefusedWithABox) {
  Make(TsuiUIStyle::DeepBlue);
  TsuiTitleBarSection& left = bar->Sections().Item(0);
  left.SetAlign(TsuiTitleBarAlign::suiClient);
  EXPECT_EQ(left.Align(), TsuiTitleBarAlign::suiLeft);
  TsuiTitleBarButton& close = ButtonOf(Type::suiClose);
  close.SetButtonType(Type::suiControlBox);
  EXPECT_EQ(close.ButtonType(), Type::suiClose);
  EXPECT_EQ(errors, (std::vector<std::string>{
                        "Sorry, only one section's Align property can be \"suiClient\"",
                        "Sorry, only one button's ButtonType property can be \"suiControlBox\""}));
}

TEST_F(TitleBarTest, NewTitleBarStartsWithFourButtonsAndTheStyleOfItsOwnerForm) {
  Make(TsuiUIStyle::DeepBlue);
  std::vector<std::string> types;
  for (int i = 0; i < bar->Buttons().Count(); ++i)
    types.push_back(TitleBarBtnTypeNames()[size_t(bar->Buttons().Item(i).ButtonType())]);
  EXPECT_EQ(types, (std::vector<std::string>{"suiControlBox", "suiClose", "suiMax", "suiMin"}));
  EXPECT_TRUE(bar->AutoSize());
  EXPECT_EQ(bar->GetFont().Name(), "Tahoma");
  EXPECT_TRUE(bar->GetFont().Bold());
  bar->SetUIStyle(TsuiUIStyle::MacOS);
  EXPECT_EQ(bar->GetFont().Color(), fw::Color(0x000000));
}

TEST_F(TitleBarTest, CopiesKeepCopiedPicturesAndLeaveTheCaptionFlag) {
  Make(TsuiUIStyle::DeepBlue);
  TsuiTitleBar other(nullptr);
  other.SetUIStyle(TsuiUIStyle::WinXP);
  other.Sections().Item(0).SetCapSec(true);
  TsuiTitleBarButton& custom = other.Buttons().Add();
  fw::Bitmap dot(3, 3);
  dot.Fill(fw::MakeColor(1, 2, 3));
  custom.SetPicNormal(dot);

  bar->Sections().Assign(other.Sections());
  bar->Buttons().Assign(other.Buttons());
  EXPECT_FALSE(bar->Sections().Item(0).CapSec());
  EXPECT_TRUE(bar->Sections().Item(0).Picture().SamePixels(other.Sections().Item(0).Picture()));
  EXPECT_EQ(bar->Buttons().Count(), 5);
  EXPECT_TRUE(bar->Buttons().Item(4).PicNormal().SamePixels(dot));
  EXPECT_TRUE(bar->Buttons().Item(1).PicNormal().SamePixels(other.Buttons().Item(1).PicNormal()));
  EXPECT_TRUE(errors.empty());
}

TEST_F(TitleBarTest, DescriptionsWriteTheCollectionsByName) {
  Make(TsuiUIStyle::DeepBlue);
  fw::Value buttons;
  buttons.kind = fw::Value::Kind::kCollection;
  buttons.collection = {
      {{"ButtonType", fw::Value::Identifier("suiClose")}, {"Visible", fw::Value::Bool(true)}},
      {{"ButtonType", fw::Value::Identifier("suiMax")}, {"Visible", fw::Value::Bool(false)}}};
  fw::SetProperty(*bar, "Buttons", buttons);
  ASSERT_EQ(bar->Buttons().Count(), 2);
  EXPECT_FALSE(bar->Buttons().Item(1).Visible());
  EXPECT_FALSE(bar->Buttons().Item(0).PicNormal().Empty());

  const fw::Value read = fw::GetProperty(*bar, "Sections");
  ASSERT_EQ(read.collection.size(), 3u);
  EXPECT_EQ(read.collection[1][2].first, "Align");
  EXPECT_EQ(read.collection[1][2].second.text, "suiRight");

  std::vector<std::string> own;
  for (const fw::PropertyInfo* p : bar->GetClassInfo().Properties())
    if (p->name == "Custom" || p->name == "Sections" || p->name == "OnHelpBtnClick")
      own.push_back(p->name);
  EXPECT_EQ(own, (std::vector<std::string>{"Custom", "Sections", "OnHelpBtnClick"}));
  EXPECT_EQ(fw::ClassInfo::Find("TsuiTitleBar"), &TsuiTitleBar::StaticClassInfo());
}

}  // namespace
}  // namespace somnara::skin::testing
