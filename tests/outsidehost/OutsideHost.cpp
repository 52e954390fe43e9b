// A C++ host: the library's own components on a database, a rule read as data, the entry class, its window,
// and refusals read as data.
// Usage: outside-host DATABASE [PROPS]
#include <vellbatchrule/BatRuleFace.h>
#include <vellbatchrule/BatchNumberIssuer.h>
#include <vellbatchrule/HostError.h>
#include <vellbatchrule/RuleAdmin.h>
#include <vellbatchrule/StockComponents.h>
#include <vellbatchrule/Version.h>

#include <QApplication>
#include <cstdio>

static_assert(VELLBATCHRULE_VERSION >= 0x010000, "built against the component 1.0 or later");

using vellbatchrule::RuleAdmin;

// A failed call opens no box: its reason, in the session's language, is the host's to show.
template <typename Answer>
void PrintRefusal(const char* call, const vellbatchrule::Result<Answer>& answer)
{
    if (!answer)
        std::printf("%s refused (%d): %s\n", call, answer.failure().number, qPrintable(answer.failure().text));
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vellbatchrule::StockSettings settings;
    settings.connection = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    settings.propsString = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("UserID=16394;LANGUAGE=en");
    vellbatchrule::UseStockComponents(settings);
    try {
        vellbatchrule::BatRuleFace face;
        face.Show();
    } catch (const vellbatchrule::HostError& error) {
        std::printf("failed: %s\n", qPrintable(error.Description()));
        return 1;
    }
    // The administrator's work needs no window: a material's rule as data.
    if (const auto rule = RuleAdmin::ShowRule({101, std::nullopt}))
        std::printf("rule of %s: %s\n", qPrintable(rule->owner), qPrintable(rule->text));
    PrintRefusal("ShowRule", RuleAdmin::ShowRule({999999, std::nullopt}));
    PrintRefusal("SetRule", RuleAdmin::SetRule({101, std::nullopt}, {"26:1:2", "26:1:2"}, RuleAdmin::OwnRules::AsStored));
    PrintRefusal("ImportRules", RuleAdmin::ImportRules(QStringLiteral("/nonexistent/rules.csv"),
                                                       RuleAdmin::OwnRules::AsStored, false));
    PrintRefusal("Open", vellbatchrule::BatchNumberIssuer::Open(999999));
    if (const auto issuer = vellbatchrule::BatchNumberIssuer::Open(311))
        PrintRefusal("Issue", (*issuer)->Issue({}, 0));
    std::printf("shown and released, component %s\n", VELLBATCHRULE_VERSION_STRING);
    return 0;
}
