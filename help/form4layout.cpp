#include "help/form4layout.h"

namespace Form4Layout {

namespace {

// The label is opaque in the window's own colour; its text is set on each activation.
constexpr Layout::Control table[] = {
    {.name = "Label1",
     .left = 240,
     .top = 120,
     .width = 13575,
     .height = 9295,
     .font = {"Arial", 12},
     .backColor = backColor,
     .align = Layout::Align::Left},
};

} // namespace

std::span<const Layout::Control> controls()
{
    return table;
}

} // namespace Form4Layout
