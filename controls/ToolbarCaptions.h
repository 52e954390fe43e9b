#pragma once

#include <QToolBar>

namespace vellbatchrule {

// The host utility library's switch for a toolbar's button captions.
namespace TextUtil {

// Shows the buttons' captions under their pictures, or the pictures alone.
inline void ShowToolbarCaptions(QToolBar* toolbar, bool show)
{
    toolbar->setToolButtonStyle(show ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
}

}

}
