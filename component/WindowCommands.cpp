#include "WindowCommands.h"

#include "BatRuleFace.h"
#include "BatRuleLedger.h"
#include "BatRulePrint.h"
#include "CommandGuard.h"
#include "CommandSession.h"
#include "GLB.h"
#include "HostError.h"
#include "LedgerGrid.h"
#include "MParse.h"

#include <QFileInfo>

namespace vellbatchrule {

namespace WindowCommands {

namespace {

// The ledger as the main window sets it up; its columns keep the window's proportions.
void SetUpLikeTheWindow(Ledger& ledger)
{
    constexpr int kWidth = 12000;
    ledger.SetRows(1);
    ledger.SetCols(4);
    ledger.SetBodyColor(255, 255, 255);
    ledger.SetColumnFlag(1, Ledger::HiddenColumn, true);
    ledger.SetColumnWidth(2, kWidth / 4);
    ledger.SetColumnWidth(3, kWidth * 3 / 8);
    ledger.SetColumnWidth(4, kWidth * 6 / 8);
}

}

QString WindowSystemProblem()
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith(QStringLiteral("xcb")) && !platform.startsWith(QStringLiteral("wayland")))
        return QString();   // offscreen, vnc and the like bring their own
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QString();
    return QStringLiteral("there is no display to open the window on (DISPLAY is not set)");
}

int MainWindow(QTextStream& err)
{
    try {
        BatRuleFace face;
        face.Show();
        return 0;
    } catch (const HostError& error) {
        err << error.Description() << '\n';
        return 1;
    }
}

int PrintToPdf(qint32 groupId, const QString& pdfFile, QTextStream& out)
{
    using namespace CommandGuard;
    return Guard([&] {
        CommandSession session;
        BatRuleLedger rows;
        if (groupId != 0) {
            const auto group = rows.Database().FetchGroup(groupId);
            if (!group)
                throw AlreadyShown{};
            if (group->Eof())
                Refuse("找不到物料组%1", {groupId});
        }
        const std::optional<int> count = rows.ShowGroup(groupId);
        if (!count)
            throw AlreadyShown{};
        LedgerGrid ledger;
        SetUpLikeTheWindow(ledger);
        // The first row that cannot be read ends the printout: the rest would
        // only wait on the same failure, and no half-printed file is kept.
        const int shownBefore = GLB::MessagesShown();
        ledger.rowTextRequest = [&rows, shownBefore](int row) {
            if (row == 1)
                return BatRuleLedger::LedgerHeaderText();
            const QString text = rows.LedgerRowText(row);
            ExpectNothingShownSince(shownBefore);
            return text;
        };
        ledger.SetRows(*count + 1);
        MParse::SetLedgerPrintFonts(ledger);
        BatRulePrint print;
        print.SetBRPrintMasterTitle(MParse::TranslateText(QStringLiteral("批号管理")));
        print.SetBRPrintLedger(&ledger);
        print.SetLdgLayout();
        const int pages = static_cast<LedgerGridPrinter&>(ledger.Printer()).PrintToPdf(pdfFile);
        out << "Wrote " << QFileInfo(pdfFile).absoluteFilePath() << " (" << *count << " rows, " << pages << " pages)\n";
        return 0;
    });
}

}

}
