#pragma once

#include <QStringList>

namespace vellbatchrule {

// The registered names of the host components the system creates.
namespace ComponentNames {
inline const QString AppConnection = QStringLiteral("VellConnection.AppConnection");
inline const QString ShareProps = QStringLiteral("PropKeep.ShareProps");
inline const QString DataAccess = QStringLiteral("Tessbase.DataAccess");
inline const QString ResourceLoader = QStringLiteral("VELLRESLOADER.Loader");
inline const QString GlossaLoader = QStringLiteral("Glossa.GlossaLoader");
inline const QString HelpViewer = QStringLiteral("VellCHMResTool.ClsCHMHelp");
inline const QString TextFormatter = QStringLiteral("VellUtil.TextFormatter");
inline const QString MessageBox = QStringLiteral("VellUtil.MessageBox");

inline const QStringList All = {AppConnection, ShareProps, DataAccess, ResourceLoader,
                                GlossaLoader, HelpViewer, TextFormatter, MessageBox};
}

}
