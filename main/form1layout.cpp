#include "main/form1layout.h"

#include "main/design.h"

namespace Form1Layout {

using Layout::Align;
using Layout::Control;
using Layout::Kind;
using Shape = ShapeWidget::Kind;

namespace {

using namespace Design;

// Rows in stacking order: the banner at the back, the frames behind the buttons.
// clang-format off
constexpr Control table[] = {
    {.name = "Image2", .kind = Kind::Picture, .left = 0, .top = 0, .width = 12000, .height = 1800,
     .picture = ":/images/banner.bmp"},
    {.name = "Shape1", .index = 0, .kind = Kind::Shape, .left = 240, .top = 240, .width = 1695,
     .height = 1215, .backColor = paleGrey, .shape = Shape::Circle},
    {.name = "Shape1", .index = 1, .kind = Kind::Shape, .left = 9840, .top = 240, .width = 1695,
     .height = 1215, .backColor = paleGrey, .shape = Shape::Circle},
    {.name = "Line1", .kind = Kind::Shape, .left = 240, .top = 5040, .width = 11160, .height = 15,
     .shape = Shape::HorizontalLine},
    {.name = "Shape3", .index = 0, .kind = Kind::Shape, .left = 360, .top = 5360, .width = 1335,
     .height = 375, .backColor = lightGrey, .shape = Shape::RoundedRectangle},
    {.name = "Shape3", .index = 1, .kind = Kind::Shape, .left = 1800, .top = 5360, .width = 1335,
     .height = 375, .backColor = lightGrey, .shape = Shape::RoundedRectangle},
    {.name = "Shape3", .index = 2, .kind = Kind::Shape, .left = 3240, .top = 5360, .width = 1335,
     .height = 375, .backColor = lightGrey, .shape = Shape::RoundedRectangle},
    {.name = "Shape3", .index = 3, .kind = Kind::Shape, .left = 4680, .top = 5360, .width = 1335,
     .height = 375, .backColor = lightGrey, .shape = Shape::RoundedRectangle},
    {.name = "Shape3", .index = 4, .kind = Kind::Shape, .left = 6600, .top = 5360, .width = 1335,
     .height = 375, .backColor = paleYellow, .shape = Shape::RoundedRectangle},
    {.name = "Shape3", .index = 5, .kind = Kind::Shape, .left = 8040, .top = 5360, .width = 1335,
     .height = 375, .backColor = paleYellow, .shape = Shape::RoundedRectangle},
    {.name = "Shape2", .kind = Kind::Shape, .left = 120, .top = 1755, .width = 11295, .height = 360,
     .shape = Shape::Rectangle},
    {.name = "Label3", .index = 0, .caption = "Kielotar", .left = 3720, .top = 120, .width = 4455,
     .height = 615, .font = logoFont, .foreColor = white, .align = Align::Centre},
    {.name = "Label3", .index = 1, .left = 3600, .top = 720, .width = 4455, .height = 495,
     .font = arial12Bold, .foreColor = yellow, .align = Align::Centre},
    {.name = "Label4", .index = 0, .caption = "Pisteet", .left = 720, .top = 480, .width = 735,
     .height = 375, .font = arial975, .align = Align::Centre},
    {.name = "Label5", .index = 0, .caption = "0", .left = 720, .top = 720, .width = 735,
     .height = 495, .font = arial18Bold, .align = Align::Centre},
    {.name = "Label4", .index = 1, .caption = "Numero", .left = 10320, .top = 480, .width = 735,
     .height = 375, .font = arial975, .align = Align::Centre},
    {.name = "Label5", .index = 1, .caption = "0", .left = 10320, .top = 720, .width = 735,
     .height = 495, .font = arial18Bold, .align = Align::Centre},
    {.name = "Label9", .caption = "Valitse sanastosi", .left = 3960, .top = 1200, .width = 3975,
     .height = 495, .font = {"Arial", 12, true, true}, .foreColor = yellow, .align = Align::Centre},
    {.name = "Label7", .left = 3600, .top = 1320, .width = 4695, .height = 495, .font = arial12Bold,
     .foreColor = yellow, .align = Align::Centre, .visible = false},
    {.name = "Label1", .index = 0, .left = 240, .top = 1800, .width = 4455, .height = 2895,
     .font = arial12, .foreColor = black},
    {.name = "Label1", .index = 1, .left = 4680, .top = 1800, .width = 6735, .height = 2895,
     .font = arial12, .foreColor = darkBlue},
    {.name = "Text1", .kind = Kind::TextBox, .left = 3600, .top = 2640, .width = 4095,
     .height = 495, .font = arial12, .visible = false},
    {.name = "Label6", .left = 2520, .top = 3360, .width = 6255, .height = 495, .font = arial12,
     .foreColor = darkBlue, .align = Align::Centre, .visible = false},
    {.name = "Label2", .index = 0, .kind = Kind::LabelButton, .caption = "Keskeytä", .left = 360,
     .top = 5400, .width = 1335, .height = 375, .font = arial975Bold, .foreColor = darkGrey,
     .align = Align::Centre},
    {.name = "Label2", .index = 1, .kind = Kind::LabelButton, .caption = "Harjoitus", .left = 1680,
     .top = 5400, .width = 1575, .height = 375, .font = arial975Bold, .foreColor = darkGrey,
     .align = Align::Centre},
    {.name = "Label2", .index = 2, .kind = Kind::LabelButton, .caption = "Testi", .left = 3360,
     .top = 5400, .width = 1095, .height = 375, .font = arial975Bold, .foreColor = darkGrey,
     .align = Align::Centre},
    {.name = "Label2", .index = 3, .kind = Kind::LabelButton, .caption = "Koe", .left = 4800,
     .top = 5400, .width = 1095, .height = 375, .font = arial975Bold, .foreColor = darkGrey,
     .align = Align::Centre},
    {.name = "Label2", .index = 4, .kind = Kind::LabelButton, .caption = "Tulokset", .left = 6600,
     .top = 5400, .width = 1335, .height = 375, .font = arial975Bold, .foreColor = darkGrey,
     .align = Align::Centre},
    {.name = "Label2", .index = 8, .kind = Kind::LabelButton, .caption = "Ohjeet", .left = 8160,
     .top = 5400, .width = 1095, .height = 375, .font = arial975Bold, .foreColor = darkGrey,
     .align = Align::Centre},
    {.name = "Label2", .index = 5, .kind = Kind::LabelButton, .caption = "<<", .left = 9720,
     .top = 5400, .width = 255, .height = 375, .font = arial975Bold, .foreColor = darkGrey,
     .align = Align::Centre},
    {.name = "Label2", .index = 7, .kind = Kind::LabelButton, .caption = "1/0", .left = 9960,
     .top = 5400, .width = 1095, .height = 375, .font = arial12Bold, .foreColor = darkGrey,
     .align = Align::Centre},
    {.name = "Label2", .index = 6, .kind = Kind::LabelButton, .caption = ">>", .left = 11040,
     .top = 5400, .width = 255, .height = 375, .font = arial975Bold, .foreColor = darkGrey,
     .align = Align::Centre},
};
// clang-format on

constexpr const char *names[] = {
    "Tietokone",    "Tekninen",    "Sähkö",    "Rakennus",   "CAD",
    "LVI",          "Kaupallinen", "Rahoitus", "Puutyö",     "Politiikka",
    "Turvallisuus", "Ravintola",   "Puutarha", "Metallityö", "Asentaja",
};

} // namespace

std::span<const Layout::Control> controls() { return table; }

std::span<const char *const> vocabularyNames() { return names; }

} // namespace Form1Layout
