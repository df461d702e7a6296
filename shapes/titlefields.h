// The texts symbol labels show, title-block fields included.
#pragma once

#include <string>

namespace plexo {

class Shape;
struct Etiquette;

// The text a label shows (title-block fields are filled from the folio holding
// the instance). printedPage is the page being printed for "#Page" and
// "#TPages"; 0 when not printing: the page is then found where the label lies
// once placed (the label shape is in drawing coordinates).
std::string labelText(const Etiquette& label, const Shape& instance, int printedPage = 0);
// Sets the label shape's text to labelText before it is drawn or measured.
void refreshLabel(Etiquette& label, const Shape& instance, int printedPage = 0);

} // namespace plexo
