#pragma once

#include <QString>
#include <QStringList>

// The instructions window's fixed help text, in Finnish. It is shown as it stands, also where
// it tells the drills otherwise than they now work.
namespace HelpText {

// The 31 lines, without line ends; empty lines separate the sections.
QStringList lines();

// Every line followed by CR LF, so the text ends with CR LF too.
QString text();

} // namespace HelpText
