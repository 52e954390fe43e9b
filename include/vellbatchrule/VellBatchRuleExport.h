#pragma once

// What the component's shared library shows its hosts; everything else in
// it stays hidden.
#define VELLBATCHRULE_EXPORT __attribute__((visibility("default")))
