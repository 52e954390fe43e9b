#pragma once

#include <QString>

// The synthetic databases the benchmarks run on, written on first use into
// the build folder: 8-element rules on every other material.
namespace BenchDatabases {

inline constexpr int kStandardGroups = 1000;
inline constexpr int kStandardMaterials = 100000;
inline constexpr int kMillion = 1000000;

// 1,000 groups of 100 materials each.
QString Standard();
// One group holding 100,000 materials.
QString OneLargeGroup();
// 1,000 groups of 1,000 materials each.
QString Million();

// A fresh copy of a database, for a benchmark that rewrites it.
QString ScratchCopy(const QString& database);

// The first material of the synthetic data and of its single large group.
inline constexpr int kFirstMaterial = kStandardGroups + 1;
inline constexpr int kLargeGroupID = 1;

}
