// The session's property string as a host hands it over: any text parsed,
// and pairs written as the README says read back as written.
#include "FuzzCheck.h"
#include "FuzzSession.h"
#include "HostError.h"
#include "HostText.h"

#include <QHash>

using namespace vellbatchrule;

namespace {

// A key and a value as a host writes them: the value braced when it holds
// a ";" or begins with "{"; blanks around either are not part of it.
bool Writable(const QString& key, const QString& value)
{
    const bool braced = value.contains(QLatin1Char(';')) || value.startsWith(QLatin1Char('{'));
    return !key.isEmpty() && key == HostText::TrimBlanks(key) && !key.contains(QLatin1Char('='))
           && value == HostText::TrimBlanks(value) && !(braced && value.contains(QLatin1Char('}')));
}

QString Pair(const QString& key, const QString& value)
{
    const bool braced = value.contains(QLatin1Char(';')) || value.startsWith(QLatin1Char('{'));
    return key + QLatin1Char('=') + (braced ? QLatin1Char('{') + value + QLatin1Char('}') : value);
}

}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    static const bool opened = (vellfuzz::OpenSession(), true);
    (void)opened;
    const QString text = vellfuzz::Text(data, size);
    try {
        MMTS::ParsePropsString(text);
    } catch (const HostError&) {
        // a repeated key ends the parse
    }
    vellfuzz::OneProps::props = text;
    for (const char* key : {"UserID", "LANGUAGE", "SUBID"})
        FUZZ_CHECK(!MMTS::FindPropValue(QLatin1String(key)).contains(QLatin1Char(';')), text);

    // The same bytes as key|value|key|value…, written out and read back.
    vellfuzz::Input input(data, size);
    QHash<QString, QString> written;   // by case-folded key, as the session keeps them
    QStringList pairs;
    QList<std::pair<QString, QString>> expected;
    while (!input.AtEnd()) {
        const QString key = input.NextText(100), value = input.NextText(100);
        if (!Writable(key, value) || written.contains(key.toCaseFolded()))
            continue;
        written.insert(key.toCaseFolded(), value);
        pairs << Pair(key, value);
        expected.append({key, value});
    }
    const QString props = pairs.join(QLatin1Char(';'));
    MMTS::ParsePropsString(props);
    for (const auto& [key, value] : expected)
        FUZZ_CHECK(MMTS::GetSessionValue(key) == value, props + QStringLiteral(" → ") + key);
    return 0;
}
