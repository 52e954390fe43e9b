#pragma once

#include <QString>

namespace vellbatchrule {

// The host database of the stand-alone program: its schema, a hand-made
// demo a user recognises, and synthetic data of any size for benchmarks.
namespace DemoDatabase {

// The administrator, granted every material group, whom the program runs as
// when no session is given; and the hand-made demo's storekeeper, who may
// see only some groups.
inline constexpr int AdministratorUserID = 16394;
inline constexpr int RestrictedUserID = 16395;

// Each replaces whatever the file held.
void WriteHandMade(const QString& file);
void WriteSynthetic(const QString& file, int groups, int materials);

}

// The session the program hands over when none is given: the administrator's,
// in Simplified Chinese unless another language code is named.
QString DefaultPropsString(const QString& language = QStringLiteral("chs"));

}
