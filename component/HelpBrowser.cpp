#include "HelpBrowser.h"

#include "FocusReturn.h"
#include "HostError.h"
#include "HostErrors.h"
#include "TranslatorLoader.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>

namespace vellbatchrule {

HelpBrowser::HelpBrowser(QString helpDir, QString translationsDir, std::function<QString()> sessionLanguage)
    : dir_(std::move(helpDir)), translationsDir_(std::move(translationsDir)), sessionLanguage_(std::move(sessionLanguage))
{
}

HelpBrowser::~HelpBrowser()
{
    // A thread's viewer may outlive the application at exit, when no window can be destroyed any more.
    if (QCoreApplication::instance())
        delete window_;
}

QString HelpBrowser::HelpLanguage(const QString& languageCode)
{
    const QString suffix = TranslatorLoader::FileSuffix(languageCode);
    return suffix.isEmpty() ? QStringLiteral("chs") : suffix;
}

void HelpBrowser::ShowHELP(qint32&, qint16, QString& topic, qint32&, QString&, qint32&)
{
    const QString code = sessionLanguage_ ? sessionLanguage_() : QString();
    const QString language = HelpLanguage(code);
    const QString page = QDir(dir_).filePath(language + QLatin1Char('/') + topic + QStringLiteral(".html"));
    if (!QFileInfo::exists(page)) {
        // The message is the host's own, in the session's language.
        TranslatorLoader texts(translationsDir_);
        texts.SetResFileBaseName(QStringLiteral("VEZAROZIVADA"));
        texts.SetLanguageID(code);
        throw HostError(HostErrors::FileNotFound,
                        texts.LoadString(QString::fromUtf8(QT_TRANSLATE_NOOP("VEZAROZIVADA", "找不到帮助主题%1：%2"))).arg(topic, page),
                        QStringLiteral("VellCHMResTool.ClsCHMHelp"));
    }
    // Over a modal window the help must belong to it, or the modal window would block it.
    QWidget* owner = QApplication::activeModalWidget();
    if (!window_) {
        window_ = new QTextBrowser(owner);
        window_->setWindowFlag(Qt::Window);
        window_->setObjectName(QStringLiteral("helpBrowser"));
        window_->setOpenExternalLinks(false);
        window_->resize(760, 640);
        // A window of its own, closed from the keyboard as a viewer is.
        QList<QKeySequence> closing = QKeySequence::keyBindings(QKeySequence::Close);
        for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
            if (!closing.contains(keys))
                closing << keys;
        auto* close = new QShortcut(window_);
        close->setKeys(closing);
        QObject::connect(close, &QShortcut::activated, window_, &QWidget::close);
    } else if (window_->parentWidget() != owner) {
        window_->setParent(owner, Qt::Window);
    }
    FocusReturn::When(window_);
    window_->setSource(QUrl::fromLocalFile(page));
    window_->setWindowTitle(window_->documentTitle());
    window_->show();
    window_->raise();
    window_->activateWindow();
}

}
