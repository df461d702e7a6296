// The style attribute palette's content: nine tabs that show the style of the
// active schéma view's selection and set one style field of the selected
// objects per click. What a click does and where the zones lie is
// edit/attribpalette.h; this widget paints them and passes the mouse on.
#pragma once

#include "edit/attribpalette.h"

#include <QPointer>
#include <QWidget>

namespace plexo {

class saoView;

class AttribView : public QWidget {
    Q_OBJECT

public:
    explicit AttribView(QWidget* parent = nullptr);

    // The active schéma view, or none when the active document window is not
    // one (the palette then draws its tabs and does nothing).
    void setView(saoView* view);
    saoView* view() const { return view_; }

    int tab() const { return palette_.tab(); }
    // Makes a tab current (clamped), the palette taking its height.
    void setTab(int tab);

    QSize sizeHint() const override;

signals:
    // A popup menu of the frame ("MenuFleche1", "MenuFleche2", "MenuFont",
    // "MenuSize") is asked for at a screen position; its commands go to the view.
    void popupRequested(const QString& name, const QPoint& globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void takeHeight();

    attrib::AttribPalette palette_;
    QPointer<saoView> view_;
    QMetaObject::Connection followed_;
};

} // namespace plexo
