// Which commands and style groups an object kind accepts: a command enabled "by
// object kind" is on when the first selected object of the folio whose kind
// accepts it exists. Used by the view's commands and by the style palette.
#pragma once

namespace plexo {

class Folio;

// Whether objects of the kind accept the command or style group (710, 732, and
// the style groups 1210, 1218, 1222, 1240, 1258, 1300, 1401, 1615, 1620, 1630,
// 1664, 1692, 1709).
bool kindAccepts(int kind, int command);

// Whether an alive, selected object of the folio accepts the command.
bool selectionAccepts(const Folio& folio, int command);

// For 784 and 785: the first selected object of kind 0..9, 11, 13, 16, 17 or 18
// decides; true when it carries a text.
bool selectionNamesSomething(const Folio& folio);

} // namespace plexo
