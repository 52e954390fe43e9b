#include "RuleAdmin.h"

#include "BatRuleLedger.h"
#include "BatRulePrint.h"
#include "CommandGuard.h"
#include "CommandSession.h"
#include "EditorTarget.h"
#include "GLB.h"
#include "HostError.h"
#include "HostErrors.h"
#include "LedgerGrid.h"
#include "MParse.h"
#include "frmBatRuleSet.h"

namespace vellbatchrule {

namespace {

using namespace CommandGuard;

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

Result<void> RuleAdmin::EditRule(const Target& target)
{
    // Nothing is shown in a box here: a window that cannot open must not wait for a click.
    try {
        CommandSession session;
        frmBatRuleSet window;
        EditorTarget::Resolve(target.itemId, target.groupId).Aim(window);
        window.ShowModal();
        return {};
    } catch (const Refusal& refusal) {
        return FailureOf({refusal.message}, HostErrors::Refused);
    } catch (const HostError& error) {
        return FailureOf({error.Description()}, error.Number());
    }
}

Result<RuleAdmin::Printout> RuleAdmin::PrintLedger(qint32 groupId, const QString& pdfFile)
{
    return InSession([&] {
        BatRuleLedger rows;
        const QString groupText = EditorTarget::GroupText(groupId);
        const std::optional<int> count = rows.ShowGroup(groupId);
        if (!count)
            throw AlreadyShown{};
        LedgerGrid ledger;
        SetUpLikeTheWindow(ledger);
        // The first row that cannot be read ends the printout: the rest would
        // only wait on the same failure, and no half-printed file is kept.
        const int shownBefore = GLB::MessagesReported();
        ledger.rowTextRequest = [&rows, shownBefore](int row) {
            if (row == 1)
                return BatRuleLedger::LedgerHeaderText();
            const QString text = rows.LedgerRowText(row);
            ExpectNothingReportedSince(shownBefore);
            return text;
        };
        ledger.SetRows(*count + 1);
        MParse::SetLedgerPrintFonts(ledger);
        BatRulePrint print;
        print.SetBRPrintMasterTitle(MParse::TranslateText("批号管理"));
        print.SetBRPrintSlaveTitle(BatRulePrint::GroupTitle(groupText));
        print.SetBRPrintLedger(&ledger);
        print.SetLdgLayout();
        const int pages = static_cast<LedgerGridPrinter&>(ledger.Printer()).PrintToPdf(pdfFile);
        return Printout{*count, pages};
    });
}

}
