#include "TwipsLayout.h"

#include "Twips.h"

#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>

namespace vellbatchrule {

namespace {

QTabWidget* TabControlOf(const QWidget* page)
{
    const QWidget* stack = page->parentWidget();
    return stack && qobject_cast<const QStackedWidget*>(stack) ? qobject_cast<QTabWidget*>(stack->parentWidget())
                                                                 : nullptr;
}

}

int TwipsLayout::Px(int twips) const
{
    return TwipsToPixels(twips, window_->logicalDpiX());
}

int TwipsLayout::Twips(int px) const
{
    return PixelsToTwips(px, window_->logicalDpiX());
}

QRect TwipsLayout::Px(const QRect& twips) const
{
    auto y = [this](int t) { return TwipsToPixels(t, window_->logicalDpiY()); };
    return {Px(twips.x()), y(twips.y()), Px(twips.width()), y(twips.height())};
}

void TwipsLayout::Put(QWidget* control, QWidget* container, const char* name, const QRect& twips)
{
    control->setParent(container);
    control->setObjectName(QLatin1String(name));
    if (!tabPagesPlaced_ && TabControlOf(container))
        onTabPages_.append({control, twips});
    control->setGeometry(Px(twips));
}

void TwipsLayout::PlaceTabPages()
{
    if (tabPagesPlaced_)
        return;
    for (const auto& [control, twips] : onTabPages_) {
        QWidget* page = control->parentWidget();
        control->setGeometry(Px(twips).translated(-page->mapTo(TabControlOf(page), QPoint(0, 0))));
    }
    onTabPages_.clear();
    tabPagesPlaced_ = true;
}

}
