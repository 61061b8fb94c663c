#pragma once

#include <QString>

#include <string_view>

namespace kr6 {

// The import's stage and how far it is, for the window's status line: the member being
// read by its name, the building and sorting of the model in German words.
QString ImportStatusText(std::string_view Stage, double Fraction);

} // namespace kr6
