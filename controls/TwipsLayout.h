#pragma once

#include <QList>
#include <QRect>

class QWidget;

namespace vellbatchrule {

// Places a window's controls where its design puts them, in twips of their
// container, at the window's logical DPI. A control on a tab page is given
// from the tab control's corner, as designed; it is placed on its page once
// the tab control has laid its pages out (PlaceTabPages, at the first show).
class TwipsLayout {
public:
    explicit TwipsLayout(const QWidget* window) : window_(window) {}

    int Px(int twips) const;
    int Twips(int px) const;
    QRect Px(const QRect& twips) const;

    void Put(QWidget* control, QWidget* container, const char* name, const QRect& twips);
    template <typename Control>
    Control* Place(QWidget* container, const char* name, const QRect& twips)
    {
        auto* control = new Control(container);
        Put(control, container, name, twips);
        return control;
    }

    void PlaceTabPages();

private:
    const QWidget* window_;
    QList<std::pair<QWidget*, QRect>> onTabPages_;
    bool tabPagesPlaced_ = false;
};

}
