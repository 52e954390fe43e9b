#pragma once

#include <QString>
#include <string>

// An 8-element group rule spread to every batch-managed material (the root
// group, the option off), as the rule component sends it and as one would
// write it by hand in SQLite's own words.
namespace SpreadBatches {
QString AsSent();
std::string Native();
}
