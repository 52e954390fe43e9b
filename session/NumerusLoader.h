#pragma once

#include <QString>

namespace vellbatchrule {

// A string loader that also knows the forms a text with a count takes in a
// language ("%n page", "%n pages"), as Qt's translator keeps them. The stock
// loader is one; a host's own string loader, which is not, gives such a text
// its one form.
class NumerusLoader {
public:
    virtual ~NumerusLoader() = default;
    virtual QString LoadCountedString(const QString& sourceText, int count) = 0;
};

}
