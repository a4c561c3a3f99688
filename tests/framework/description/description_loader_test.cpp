#include "framework/description/description_loader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/description/description_error.h"
#include "framework/global_components.h"
#include "framework/resources.h"
#include "test_components.h"

namespace somnara::fw {
namespace {

using ::testing::ElementsAre;
using testing::TestForm;
using testing::TestLog;
using testing::Widget;

const uint8_t kStar[] = {0x42, 0x4D, 0x00, 0xFF, 0x07};
const char kStoredForm[] = "TTestForm Form1 { Caption = \"stored\" TWidget W { Left = 3 } }";
const ResourceEntry kTestResources[] = {
    {"test/star.bin", kStar, sizeof kStar},
    {"test/TTestForm.wnd", reinterpret_cast<const uint8_t*>(kStoredForm), sizeof kStoredForm - 1},
    {nullptr, nullptr, 0},
};

class DescriptionLoader : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::RegisterTestClasses();
    RegisterResources(kTestResources);
    TestLog().clear();
  }

  std::string LoadError(TestForm& form, const std::string& text) {
    try {
      LoadDescriptionText(form, text, "forms/TTestForm.wnd");
    } catch (const DescriptionError& e) {
      return e.what();
    }
    return "(loaded)";
  }
};

TEST_F(DescriptionLoader, LaterPropertiesOverrideWhatEarlierOnesDerived) {
  TestForm form;
  LoadDescriptionText(form, R"(TTestForm Form1 {
    TWidget A { Style = wsNight  Color = clRed }
    TWidget B { Color = clRed  Style = wsNight }
    TWidget C { Color = 0x123456 }
  })");
  EXPECT_EQ(form.Find<Widget>("A")->Color(), 0x0000FFu);
  EXPECT_EQ(form.Find<Widget>("B")->Color(), 0x000000u);
  EXPECT_EQ(form.Find<Widget>("C")->Color(), 0x123456u);
  EXPECT_EQ(form.Find<Widget>("A")->GetStyle(), Widget::Style::kNight);
}

TEST_F(DescriptionLoader, NestedObjectsAreOwnedByTheRootAndParentedFirst) {
  TestForm form;
  LoadDescriptionText(form, R"(TTestForm Form1 {
    Caption = "Somnara"
    TWidget Panel1 {
      Left = 5
      TWidget Label1 { Caption = "inner"  Left = 6 }
    }
    TWidget Label2 { Left = 7 }
  })");
  auto* panel = form.Find<Widget>("Panel1");
  auto* label1 = form.Find<Widget>("Label1");
  auto* label2 = form.Find<Widget>("Label2");
  ASSERT_TRUE(panel && label1 && label2);
  EXPECT_EQ(label1->Owner(), &form);
  EXPECT_EQ(label1->SetParentArg(), panel);
  EXPECT_EQ(panel->SetParentArg(), &form);
  EXPECT_EQ(label2->SetParentArg(), &form);
  EXPECT_EQ(form.Name(), "Form1");
  EXPECT_EQ(form.ComponentCount(), 3);
  EXPECT_THAT(TestLog(), ElementsAre("Form.Caption", "Panel1 parent Form1", "Panel1.Left",
                                     "Label1 parent Panel1", "Label1.Caption", "Label1.Left",
                                     "Label2 parent Form1", "Label2.Left", "loaded Panel1",
                                     "loaded Label1", "loaded Label2", "loaded form"));
  for (Widget* w : {panel, label1, label2}) {
    EXPECT_FALSE(w->set_while_not_loading) << w->Name();
    EXPECT_FALSE(w->IsLoading()) << w->Name();
  }
  EXPECT_FALSE(form.IsLoading());
}

TEST_F(DescriptionLoader, ComponentsTheConstructorMadeAreReused) {
  TestForm form(nullptr, /*with_existing=*/true);
  LoadDescriptionText(form, "TTestForm Form1 { TWidget existing { Left = 42 } }");
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.existing->Left(), 42);
  EXPECT_EQ(form.existing->SetParentArg(), &form);
  EXPECT_FALSE(form.existing->IsLoading());
  EXPECT_THAT(TestLog(), ElementsAre("Existing parent Form1", "Existing.Left", "loaded Existing",
                                     "loaded form"));

  TestForm other(nullptr, true);
  EXPECT_EQ(LoadError(other, "TTestForm Form1 { TTestForm Existing { } }"),
            "Error reading Form1.Existing: Existing is a TWidget, not a TTestForm");
}

TEST_F(DescriptionLoader, ReferencesTakeTheirPlaceUnlessTheyPointAtLaterObjects) {
  TestForm theme_owner;
  theme_owner.SetName("Backdrop");
  auto* theme = new Widget(&theme_owner);
  theme->SetName("Theme1");
  RegisterGlobalComponent(&theme_owner);

  TestForm form;
  LoadDescriptionText(form, R"(TTestForm Form2 {
    Theme = Backdrop.Theme1
    TWidget A { Buddy = B  Left = 1 }
    TWidget B { Buddy = Form2.A }
    TWidget C { Buddy = nil }
    TWidget D { Buddy = b }
  })");
  UnregisterGlobalComponent(&theme_owner);

  EXPECT_EQ(form.Theme(), theme);
  EXPECT_EQ(form.Find<Widget>("A")->Buddy(), form.Find<Widget>("B"));
  EXPECT_EQ(form.Find<Widget>("B")->Buddy(), form.Find<Widget>("A"));
  EXPECT_EQ(form.Find<Widget>("C")->Buddy(), nullptr);
  EXPECT_EQ(form.Find<Widget>("D")->Buddy(), form.Find<Widget>("B"));
  // A reference to something that exists is set in its place, so later properties can
  // override what it derived; one to a later object waits for the end, before any Loaded().
  EXPECT_THAT(TestLog(), ElementsAre("Form.Theme=Theme1", "A parent Form2", "A.Left",
                                     "B parent Form2", "B.Buddy=A", "C parent Form2",
                                     "C.Buddy=nil", "D parent Form2", "D.Buddy=B", "A.Buddy=B",
                                     "loaded A", "loaded B", "loaded C", "loaded D",
                                     "loaded form"));
  EXPECT_FALSE(form.Find<Widget>("A")->set_while_not_loading);
}

TEST_F(DescriptionLoader, ReferencesPreferOwnComponentsAndReachTheRoot) {
  TestForm global;
  global.SetName("Shared");
  RegisterGlobalComponent(&global);
  TestForm form;
  form.SetName("Given");  // the creator's name stays; the described one still names the root
  LoadDescriptionText(form, R"(TTestForm Form3 {
    Theme = Shared
    TWidget Shared { Buddy = Form3.Shared }
    TWidget Other { }
  })");
  UnregisterGlobalComponent(&global);
  EXPECT_EQ(form.Name(), "Given");
  EXPECT_EQ(form.Theme(), form.FindComponent("Shared"));

  TestForm self_ref;
  LoadDescriptionText(self_ref, "TTestForm Form4 { Theme = Form4 }");
  EXPECT_EQ(self_ref.Theme(), &self_ref);
}

TEST_F(DescriptionLoader, EventsBindTheNamedHandlerOfThisWindow) {
  const char* text = R"(TTestForm Form1 {
    OnCreate = FormCreate
    TWidget Button1 { OnClick = WidgetClick }
    TWidget Button2 { OnClick = widgetclick }
  })";
  TestForm first, second;
  LoadDescriptionText(first, text);
  LoadDescriptionText(second, text);
  ASSERT_TRUE(first.on_create);
  first.on_create(&first);
  first.Find<Widget>("Button2")->on_click(first.Find<Widget>("Button2"));
  second.Find<Widget>("Button1")->on_click(second.Find<Widget>("Button1"));
  EXPECT_THAT(first.created_by, ElementsAre(&first));
  EXPECT_THAT(first.clicked_by, ElementsAre(first.FindComponent("Button2")));
  EXPECT_THAT(second.clicked_by, ElementsAre(second.FindComponent("Button1")));
  EXPECT_TRUE(second.created_by.empty());
}

TEST_F(DescriptionLoader, EveryValueKindReachesItsSetter) {
  TestForm form;
  LoadDescriptionText(form, R"(TTestForm Form1 {
    TWidget W {
      Left = -0x10
      Enabled = False
      Caption = "Gute Nacht \u4E2D \"x\""
      Anchors = [akLeft, akBottom]
      Lines = ("Natural sound", "Rain")
      Data = resource("test/star.bin")
      Ratio = 1.5
      Buttons = < { ButtonType = suiClose  Data = resource("test/star.bin") } { } >
    }
  })");
  auto* w = form.Find<Widget>("W");
  EXPECT_EQ(w->Left(), -16);
  EXPECT_FALSE(w->Enabled());
  EXPECT_EQ(w->Caption(), "Gute Nacht \xE4\xB8\xAD \"x\"");
  EXPECT_EQ(w->Anchors(), 0b1001u);
  EXPECT_THAT(w->lines, ElementsAre("Natural sound", "Rain"));
  EXPECT_THAT(w->data, ElementsAre(0x42, 0x4D, 0x00, 0xFF, 0x07));
  EXPECT_DOUBLE_EQ(w->ratio, 1.5);
  ASSERT_EQ(w->buttons.collection.size(), 2u);
  EXPECT_EQ(w->buttons.collection[0][0].second.text, "suiClose");
  // Resources inside collection items are filled in as well.
  EXPECT_EQ(w->buttons.collection[0][1].second.bytes.size(), sizeof kStar);
}

TEST_F(DescriptionLoader, LoadsStoredDescriptionsByResourceName) {
  TestForm form;
  LoadDescription(form, "test/TTestForm.wnd");
  EXPECT_EQ(form.Caption(), "stored");
  EXPECT_EQ(form.Find<Widget>("W")->Left(), 3);

  TestForm missing;
  try {
    LoadDescription(missing, "forms/TNothing.wnd");
    ADD_FAILURE() << "loaded";
  } catch (const DescriptionError& e) {
    EXPECT_STREQ(e.what(), "Window description forms/TNothing.wnd not found");
  }
}

struct LoadErrorCase {
  const char* text;
  const char* message;
  int line;
};

TEST_F(DescriptionLoader, ErrorsNameTheObjectPathAndProperty) {
  const LoadErrorCase cases[] = {
      {"TTestForm Form1 {\n TWidget Label1 {\n  Left = 20000 } }",
       "Error reading Form1.Label1.Left: Value 20000 is out of range", 3},
      {"TTestForm Form1 { TWidget P { TWidget Q {\n Left = \"x\" } } }",
       "Error reading Form1.P.Q.Left: Invalid property value: an integer was expected", 2},
      {"TTestForm Form1 { TWidget L {\n Colour = clRed } }",
       "Error reading Form1.L.Colour: Property Colour does not exist", 2},
      {"TTestForm Form1 {\n TLabel L { } }", "Error reading Form1.L: Class TLabel not found", 2},
      {"TTestForm Form1 { TAbstract A { } }",
       "Error reading Form1.A: Class TAbstract cannot be created by name", 1},
      {"TOtherForm Form1 { }",
       "Error reading Form1: forms/TTestForm.wnd describes a TOtherForm, not a TTestForm", 1},
      {"TTestForm Form1 { TWidget L { Style = wsDay } }",
       "Error reading Form1.L.Style: Invalid property value: wsDay", 1},
      {"TTestForm Form1 { TWidget L { Anchors = [akLeft, akMiddle] } }",
       "Error reading Form1.L.Anchors: Invalid property value: akMiddle", 1},
      {"TTestForm Form1 { TWidget L { Version = \"7\" } }",
       "Error reading Form1.L.Version: Property Version is read-only", 1},
      {"TTestForm Form1 {\n TWidget L {\n Buddy = Nobody } }",
       "Error reading Form1.L.Buddy: Component Nobody not found", 3},
      {"TTestForm Form1 { TWidget L { Buddy = 5 } }",
       "Error reading Form1.L.Buddy: a component name was expected", 1},
      {"TTestForm Form1 { Theme = Form1.L.Nothing TWidget L { } }",
       "Error reading Form1.Theme: Component Form1.L.Nothing not found", 1},
      {"TTestForm Form1 { TWidget L { Buddy = Form1 } }",
       "Error reading Form1.L.Buddy: Invalid property value: Form1", 1},
      {"TTestForm Form1 { TWidget L { OnClick = Missing } }",
       "Error reading Form1.L.OnClick: Handler Missing not found in TTestForm", 1},
      {"TTestForm Form1 { TWidget L { OnCount = WidgetClick } }",
       "Error reading Form1.L.OnCount: Handler WidgetClick does not fit event OnCount", 1},
      {"TTestForm Form1 { TWidget L { OnClick = \"WidgetClick\" } }",
       "Error reading Form1.L.OnClick: an event handler name was expected", 1},
      {"TTestForm Form1 { TWidget L { Data = resource(\"test/none.bin\") } }",
       "Error reading Form1.L.Data: Resource test/none.bin not found", 1},
      {"TTestForm Form1 { TWidget L { Ratio = 2 } }", "Error reading Form1.L.Ratio: float expected",
       1},
      {"TTestForm Form1 { TWidget L { Left = 1 Left = 2 } }",
       "Syntax error in forms/TTestForm.wnd at line 1, column 40: the property Left appears "
       "twice in L",
       1},
  };
  for (const LoadErrorCase& c : cases) {
    SCOPED_TRACE(c.text);
    TestForm form;
    try {
      LoadDescriptionText(form, c.text, "forms/TTestForm.wnd");
      ADD_FAILURE() << "loaded";
    } catch (const DescriptionError& e) {
      EXPECT_STREQ(e.what(), c.message);
      EXPECT_EQ(e.Line(), c.line);
      EXPECT_EQ(e.Source(), "forms/TTestForm.wnd");
    }
    EXPECT_FALSE(form.IsLoading());
    for (Component* child : form.Components()) EXPECT_FALSE(child->IsLoading()) << child->Name();
  }
}

TEST_F(DescriptionLoader, AnErrorStopsTheLoadAndLoadedIsNotCalled) {
  TestForm form;
  EXPECT_THROW(LoadDescriptionText(form, R"(TTestForm Form1 {
    TWidget A { Left = 1  Buddy = B }
    TWidget B { Left = 99999  Caption = "never" }
    TWidget C { }
  })"),
               DescriptionError);
  EXPECT_THAT(TestLog(), ElementsAre("A parent Form1", "A.Left", "B parent Form1"));
  EXPECT_EQ(form.FindComponent("C"), nullptr);
  EXPECT_EQ(form.Find<Widget>("A")->Buddy(), nullptr);

  // A missing resource is found before anything is touched.
  TestLog().clear();
  TestForm untouched;
  EXPECT_THROW(LoadDescriptionText(untouched, R"(TTestForm Form1 {
    Caption = "x"  TWidget A { Data = resource("nope") } })"),
               DescriptionError);
  EXPECT_TRUE(TestLog().empty());
  EXPECT_EQ(untouched.ComponentCount(), 0);
  EXPECT_EQ(untouched.Name(), "");
}

TEST_F(DescriptionLoader, ComponentsFreedDuringTheLoadAreLeftAlone) {
  TestForm form;
  LoadDescriptionText(form, R"(TTestForm Form1 {
    TWidget Victim { Buddy = Survivor }
    TWidget Survivor { Left = 1 }
    TWidget Killer { Drop = "Victim" }
    TWidget Suicide { Drop = "Suicide"  Left = 5  TWidget Orphan { } }
  })");
  EXPECT_EQ(form.FindComponent("Victim"), nullptr);
  EXPECT_EQ(form.FindComponent("Suicide"), nullptr);
  EXPECT_EQ(form.FindComponent("Orphan"), nullptr);
  EXPECT_THAT(TestLog(), ElementsAre("Victim parent Form1", "Survivor parent Form1",
                                     "Survivor.Left", "Killer parent Form1", "Suicide parent Form1",
                                     "loaded Survivor", "loaded Killer", "loaded form"));
}

}  // namespace
}  // namespace somnara::fw
