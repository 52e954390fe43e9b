#pragma once

#include <QString>

namespace vellbatchrule {

// The host utility library's text helpers for "name + ID" display texts.
namespace TextUtil {

// The name, then the ID in parentheses: 客户代码(1).
QString ComposeIdText(const QString& name, const QString& id);

// The ID read back from a ComposeIdText display text, as decimal text.
// A text that holds no ID gives "0".
QString IdOfText(const QString& text);

}

}
