#pragma once

#include "HelpViewer.h"

#include <QPointer>
#include <QTextBrowser>
#include <QString>
#include <functional>

namespace vellbatchrule {

// The host's help viewer: one window per viewer showing
// `<dir>/<language>/<topic>.html` in the session's language, which the host
// knows from the session it handed over.
class HelpBrowser : public HelpViewer {
public:
    HelpBrowser(QString helpDir, QString translationsDir, std::function<QString()> sessionLanguage);
    ~HelpBrowser() override;

    void ShowHELP(qint32& number1, qint16 reserved, QString& topic, qint32& number2, QString& subsystemId,
                  qint32& number3) override;

    QTextBrowser* Window() const { return window_; }
    // "chs", "cht" or "en".
    static QString HelpLanguage(const QString& languageCode);

private:
    QString dir_;
    QString translationsDir_;
    std::function<QString()> sessionLanguage_;
    QPointer<QTextBrowser> window_;
};

}
