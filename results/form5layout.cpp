#include "results/form5layout.h"

#include "main/design.h"

namespace Form5Layout {

using Layout::Align;
using Layout::Control;
using Layout::Kind;
using Shape = ShapeWidget::Kind;

namespace {

using namespace Design;

// Rows in stacking order: the shadows lie beneath the lists, offset 120 twips right and down.
// clang-format off
constexpr Control table[] = {
    {.name = "Shape1", .index = 0, .kind = Kind::Shape, .left = 360, .top = 600, .width = 2775,
     .height = 4095, .backColor = grey, .shape = Shape::FilledRectangle},
    {.name = "Shape1", .index = 1, .kind = Kind::Shape, .left = 3720, .top = 600, .width = 4455,
     .height = 4095, .backColor = grey, .shape = Shape::FilledRectangle},
    {.name = "Shape1", .index = 2, .kind = Kind::Shape, .left = 8640, .top = 600, .width = 3615,
     .height = 4140, .backColor = grey, .shape = Shape::FilledRectangle},
    {.name = "Label3", .index = 0, .caption = "Sanasto", .left = 240, .top = 120, .width = 2775,
     .height = 375, .font = arial975, .align = Align::Centre},
    {.name = "Label3", .index = 1, .caption = "Testi", .left = 3600, .top = 120, .width = 4455,
     .height = 375, .font = arial975, .align = Align::Centre},
    {.name = "Label3", .index = 2, .caption = "Koe", .left = 8640, .top = 120, .width = 3615,
     .height = 375, .font = arial975, .align = Align::Centre},
    {.name = "List1", .kind = Kind::ListBox, .left = 3600, .top = 480, .width = 4455,
     .height = 4110, .font = arial975},
    {.name = "List2", .kind = Kind::ListBox, .left = 240, .top = 480, .width = 2775, .height = 4110,
     .font = arial975, .backColor = lightYellow},
    {.name = "List3", .kind = Kind::ListBox, .left = 8520, .top = 480, .width = 3615,
     .height = 4140, .font = arial975},
};
// clang-format on

} // namespace

std::span<const Layout::Control> controls() { return table; }

} // namespace Form5Layout
