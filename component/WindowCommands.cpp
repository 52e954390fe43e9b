#include "WindowCommands.h"

#include "BatRuleFace.h"
#include "BatRuleLedger.h"
#include "BatRulePrint.h"
#include "CommandSession.h"
#include "GLB.h"
#include "HostError.h"
#include "LedgerGrid.h"
#include "MParse.h"

#include <QFileInfo>

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

int PrintToPdf(qint32 groupId, const QString& pdfFile, QTextStream& out, QTextStream& err)
{
    const int shownBefore = GLB::MessagesShown();
    try {
        CommandSession session;
        BatRuleLedger rows;
        if (groupId != 0) {
            const auto group = rows.Database().FetchGroup(groupId);
            if (!group)
                return 1;   // the query has shown why
            if (group->Eof()) {
                err << MParse::TranslateFormat(QStringLiteral("找不到物料组%1"), {groupId}) << '\n';
                return 1;
            }
        }
        const std::optional<int> count = rows.ShowGroup(groupId);
        if (!count)
            return 1;   // the query has shown why
        LedgerGrid ledger;
        SetUpLikeTheWindow(ledger);
        ledger.rowTextRequest = [&rows](int row) { return row == 1 ? BatRuleLedger::LedgerHeaderText() : rows.LedgerRowText(row); };
        ledger.SetRows(*count + 1);
        MParse::SetLedgerPrintFonts(ledger);
        BatRulePrint print;
        print.SetBRPrintMasterTitle(MParse::TranslateText(QStringLiteral("批号管理")));
        print.SetBRPrintLedger(&ledger);
        print.SetLdgLayout();
        const int pages = static_cast<LedgerGridPrinter&>(ledger.Printer()).PrintToPdf(pdfFile);
        if (GLB::MessagesShown() != shownBefore)
            return 1;
        out << "Wrote " << QFileInfo(pdfFile).absoluteFilePath() << " (" << *count << " rows, " << pages << " pages)\n";
        return 0;
    } catch (const HostError& error) {
        err << error.Description() << '\n';
        return 1;
    }
}

}
