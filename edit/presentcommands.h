// The presentation window's commands and its "MenuPresentation" popup: play,
// loop, stop, record and delete the folio's sequence, the folio list and the
// video inversion, with their enabling rules.
#pragma once

#include "shell/commandtable.h"

#include <array>

namespace plexo {

class Presentation;

// What the commands ask of the presentation window.
class PresentationCommandContext {
public:
    virtual ~PresentationCommandContext() = default;
    virtual Presentation& presentation() = 0;
    virtual const Presentation& presentation() const = 0;
    // The view's folio list (731); the presentation follows the chosen folio.
    virtual void folioList() = 0;
    // The application's video inversion (807); the window repaints.
    virtual bool inverseVideo() const = 0;
    virtual void setInverseVideo(bool on) = 0;
};

const CommandTable<PresentationCommandContext>& presentationCommands();

// "MenuPresentation", in order.
const std::array<int, 7>& presentationMenu();

} // namespace plexo
