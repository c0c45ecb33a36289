#include "exam/form2layout.h"

#include "main/design.h"

namespace Form2Layout {

using Layout::Align;
using Layout::Control;
using Layout::Kind;
using Shape = ShapeWidget::Kind;

namespace {

using namespace Design;

// Rows in stacking order: the banner behind the labels, each button in front of its frame, and
// the lists and text boxes in front of everything.
// clang-format off
constexpr Control table[] = {
    {.name = "Image1", .kind = Kind::Picture, .left = 120, .top = 0, .width = 10455,
     .height = 1575},
    {.name = "Image2", .kind = Kind::Picture, .left = 0, .top = 0, .width = 12000, .height = 1400,
     .picture = ":/images/banner.bmp"},
    {.name = "Shape3", .index = 0, .kind = Kind::Shape, .left = 360, .top = 720, .width = 1575,
     .height = 375, .backColor = lightGrey, .shape = Shape::RoundedRectangle},
    {.name = "Shape3", .index = 1, .kind = Kind::Shape, .left = 9840, .top = 720, .width = 1575,
     .height = 375, .backColor = lightGrey, .shape = Shape::RoundedRectangle},
    {.name = "Label3", .index = 0, .caption = "Kielotar", .left = 3840, .top = 0, .width = 3855,
     .height = 615, .font = logoFont, .foreColor = white, .align = Align::Centre},
    {.name = "Label4", .left = 4320, .top = 480, .width = 2895, .height = 255, .font = arial975,
     .foreColor = white, .align = Align::Centre},
    {.name = "Label2", .index = 0, .left = 2520, .top = 720, .width = 1215, .height = 375,
     .font = arial1425Bold, .foreColor = yellow, .align = Align::Centre, .visible = false},
    {.name = "Label2", .index = 1, .left = 7800, .top = 720, .width = 1215, .height = 375,
     .font = arial1425Bold, .foreColor = yellow, .align = Align::Centre, .visible = false},
    {.name = "Label5", .left = 4200, .top = 720, .width = 3015, .height = 375, .font = arial12Bold,
     .align = Align::Centre},
    {.name = "Label6", .index = 0, .kind = Kind::LabelButton, .caption = "TAKAISIN", .left = 360,
     .top = 780, .width = 1575, .height = 255, .font = arialNarrow975, .align = Align::Centre},
    {.name = "Label6", .index = 1, .kind = Kind::LabelButton, .caption = "TARKISTA", .left = 9960,
     .top = 780, .width = 1335, .height = 255, .font = arialNarrow975, .align = Align::Centre},
    {.name = "Label1", .left = 4920, .top = 5560, .width = 6015, .height = 420, .font = arial12Bold,
     .foreColor = black},
    {.name = "List1", .index = 0, .kind = Kind::ListBox, .left = 240, .top = 1320, .width = 5655,
     .height = 3840, .font = arial12},
    {.name = "List1", .index = 1, .kind = Kind::ListBox, .left = 5880, .top = 1320, .width = 5655,
     .height = 3840, .font = arial12},
    {.name = "Text1", .index = 0, .kind = Kind::TextBox, .left = 240, .top = 5400, .width = 5655,
     .height = 480, .font = arial12, .foreColor = blue},
    {.name = "Text1", .index = 1, .kind = Kind::TextBox, .left = 6000, .top = 5400, .width = 5535,
     .height = 465, .font = arial12},
};
// clang-format on

} // namespace

std::span<const Layout::Control> controls() { return table; }

} // namespace Form2Layout
