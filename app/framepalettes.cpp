#include "app/saoframe.h"

#include "app/icons.h"
#include "app/messagesview.h"
#include "app/palettewindow.h"
#include "app/saoapp.h"
#include "app/saomanager.h"
#include "app/strings.h"
#include "base/userinterface.h"
#include "views/schema/attribview.h"
#include "views/schema/saoview.h"

#include <QMdiArea>
#include <QMenu>

namespace plexo {

namespace {

AttribView* attribViewOf(PaletteWindow* palette) {
    return palette ? qobject_cast<AttribView*>(palette->content()) : nullptr;
}

} // namespace

void saoFrame::placePalette(QWidget* palette, int x, int y, int width, int height) {
    palette->resize(std::max(width, 1), std::max(height, 1));
    palette->move(x, y);
    palette->installEventFilter(this);
}

void saoFrame::storePalettePlacement(QWidget* palette) {
    Settings& settings = app_.settings();
    const QPoint position = palette->pos();
    if (palette == messagesView_) {
        settings.messagesX = position.x();
        settings.messagesY = position.y();
        settings.messagesWidth = palette->width();
        settings.messagesHeight = palette->height();
    } else if (palette == symbolsPalette_) {
        settings.symbolsX = position.x();
        settings.symbolsY = position.y();
        settings.symbolsWidth = palette->width();
        settings.symbolsHeight = palette->height();
    } else if (palette == attributesPalette_) {
        settings.attributesX = position.x();
        settings.attributesY = position.y();
        if (AttribView* attrib = attribViewOf(attributesPalette_))
            settings.attributesActive = attrib->tab();
    }
}

MessagesView* saoFrame::messagesView() const {
    return messagesView_;
}

PaletteWindow* saoFrame::symbolsPalette() const {
    return symbolsPalette_;
}

PaletteWindow* saoFrame::attributesPalette() const {
    return attributesPalette_;
}

void saoFrame::toggleMessages() {
    if (messagesView_) {
        storePalettePlacement(messagesView_);
        delete messagesView_.data();
        return;
    }
    const Settings& settings = app_.settings();
    messagesView_ = new MessagesView(app_.messageLog(), this);
    messagesView_->setAttribute(Qt::WA_DeleteOnClose);
    messagesView_->setWindowIcon(documentIcon());
    placePalette(messagesView_, settings.messagesX, settings.messagesY, settings.messagesWidth,
                 settings.messagesHeight);
    messagesView_->show();
    messagesView_->messageAdded();
}

void saoFrame::toggleSymbols() {
    if (symbolsPalette_) {
        storePalettePlacement(symbolsPalette_);
        delete symbolsPalette_.data();
        return;
    }
    const Settings& settings = app_.settings();
    symbolsPalette_ =
        new PaletteWindow(PaletteKind::Symbols, QString::fromUtf8(strings::kSymbolsCaption), this);
    placePalette(symbolsPalette_, settings.symbolsX, settings.symbolsY, settings.symbolsWidth,
                 settings.symbolsHeight);
    symbolsPalette_->show();
}

void saoFrame::toggleAttributes() {
    if (attributesPalette_) {
        storePalettePlacement(attributesPalette_);
        delete attributesPalette_.data();
        return;
    }
    const Settings& settings = app_.settings();
    attributesPalette_ =
        new PaletteWindow(PaletteKind::Attributes, QString::fromUtf8(strings::kAttributesCaption), this);
    int height = 53; // the style palette's own size: 464 x 53 pixels, 103 on "Guitare"
    if (AttribView* attrib = attribViewOf(attributesPalette_)) {
        attrib->setTab(settings.attributesActive);
        height = attrib->height();
        connect(attrib, &AttribView::popupRequested, this, [this](const QString& name, const QPoint& at) {
            if (QMenu* menu = popupMenu(name))
                menu->exec(at);
        });
        // The palette follows the active document window while it is open.
        connect(mdiArea_, &QMdiArea::subWindowActivated, attrib, [this] {
            DocumentWindow* window = manager_->activeWindow();
            setStyleView(window ? qobject_cast<saoView*>(window->view()) : nullptr);
        });
        DocumentWindow* window = manager_->activeWindow();
        styleView_ = window ? qobject_cast<saoView*>(window->view()) : nullptr;
    }
    placePalette(attributesPalette_, settings.attributesX, settings.attributesY, attrib::kWidth, height);
    setStyleView(styleView_);
    attributesPalette_->show();
}

void saoFrame::setStyleView(QWidget* view) {
    styleView_ = view;
    if (AttribView* attrib = attribViewOf(attributesPalette_))
        attrib->setView(qobject_cast<saoView*>(view));
    if (attributesPalette_ && attributesPalette_->content())
        attributesPalette_->content()->update();
}

void saoFrame::clearStyleView(QWidget* view) {
    if (styleView_ != view)
        return;
    styleView_ = nullptr;
    if (AttribView* attrib = attribViewOf(attributesPalette_))
        attrib->setView(nullptr);
    if (attributesPalette_ && attributesPalette_->content())
        attributesPalette_->content()->update();
}

void saoFrame::closePalettes() {
    for (QWidget* palette :
         {static_cast<QWidget*>(messagesView_.data()), static_cast<QWidget*>(symbolsPalette_.data()),
          static_cast<QWidget*>(attributesPalette_.data())})
        if (palette) {
            storePalettePlacement(palette);
            palette->removeEventFilter(this);
            delete palette;
        }
}

void saoFrame::messageLogged(const Message&, bool popUp) {
    if (popUp && !messagesView_) {
        toggleMessages();
        userInterface().beep();
        return; // the new window shows the whole list, scrolled to the end
    }
    if (messagesView_)
        messagesView_->messageAdded();
}

} // namespace plexo
