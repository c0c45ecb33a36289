#include "help/form4layout.h"

#include "main/design.h"

namespace Form4Layout {

namespace {

using namespace Design;

// The label is opaque in the window's own colour; its text is set on each activation.
// clang-format off
constexpr Layout::Control table[] = {
    {.name = "Label1", .left = 240, .top = 120, .width = 13575, .height = 9295,
     .font = arial12, .backColor = backColor, .align = Layout::Align::Left},
};
// clang-format on

} // namespace

std::span<const Layout::Control> controls() { return table; }

} // namespace Form4Layout
