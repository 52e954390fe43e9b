#pragma once

#include <QString>

class QObject;

namespace vellbatchrule {

// The host utility library's text helpers for "name + ID" display texts, and
// its switch for a toolbar's button captions.
namespace TextUtil {

// The name, then the ID in parentheses: 客户代码(1).
QString ComposeIdText(const QString& name, const QString& id);

// The ID read back from a ComposeIdText display text, as decimal text.
// A text that holds no ID gives "0".
QString IdOfText(const QString& text);

// Shows the buttons' captions under their pictures, or the pictures alone.
void ShowToolbarCaptions(QObject* toolbar, bool show);

}

}
