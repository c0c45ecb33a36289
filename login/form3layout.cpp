#include "login/form3layout.h"

#include "main/design.h"

namespace Form3Layout {

using Layout::Align;
using Layout::Control;
using Layout::Kind;

namespace {

using namespace Design;

// clang-format off
constexpr Control table[] = {
    {.name = "Combo1", .kind = Kind::ComboBox, .left = 360, .top = 360, .width = 4575,
     .height = 390, .font = arial12},
    {.name = "Label1", .kind = Kind::Label, .caption = "Uusi", .left = 360, .top = 960,
     .width = 4575, .height = 375, .font = arial12, .align = Align::Centre},
    {.name = "Text1", .kind = Kind::TextBox, .left = 360, .top = 1440, .width = 4575, .height = 405,
     .font = arial12},
    {.name = "Command1", .kind = Kind::CommandButton, .caption = "Alkaa", .left = 1800, .top = 2040,
     .width = 1575, .height = 375, .font = arial12},
};
// clang-format on

} // namespace

std::span<const Layout::Control> controls() { return table; }

} // namespace Form3Layout
