#include "WidgetGlossaLoader.h"

#include "FontCharsets.h"
#include "TranslatorLoader.h"

#include <QAbstractButton>
#include <QAction>
#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QWidget>
#include <functional>

namespace vellbatchrule {

namespace {

struct LanguageFont {
    const char* name;        // the name the host's windows ask for
    qint16 charset;
    const char* available;   // what stands in for it on this platform
};

LanguageFont FontOf(const QString& languageCode)
{
    const QString suffix = TranslatorLoader::FileSuffix(languageCode);
    if (suffix == QStringLiteral("cht"))
        return {"新細明體", FontCharsets::Big5, "Noto Sans CJK TC"};
    if (suffix == QStringLiteral("en"))
        // Latin as narrow as Arial's, and Chinese data still readable.
        return {"Arial", FontCharsets::Western, "Noto Sans CJK SC"};
    return {"宋体", FontCharsets::Gb2312, "Noto Sans CJK SC"};
}

// Each text is translated from the source it had when first met, so loading
// a window twice, or in another language, never translates a translation.
void Translate(QObject* object, const char* slot, const QString& current, ResourceLoader& loader,
               const std::function<void(const QString&)>& apply)
{
    const QByteArray key = QByteArray("vellSource_") + slot;
    QVariant source = object->property(key.constData());
    if (!source.isValid()) {
        source = current;
        object->setProperty(key.constData(), source);
    }
    const QString text = source.toString();
    if (!text.trimmed().isEmpty())
        apply(loader.LoadString(text));
}

void TranslateHeaders(QObject* view, ResourceLoader& loader)
{
    if (auto* table = qobject_cast<QTableView*>(view); table && table->model()) {
        QAbstractItemModel* model = table->model();
        for (int c = 0; c < model->columnCount(); ++c)
            Translate(view, QByteArray("header").append(QByteArray::number(c)).constData(),
                      model->headerData(c, Qt::Horizontal).toString(), loader,
                      [model, c](const QString& t) { model->setHeaderData(c, Qt::Horizontal, t); });
    } else if (auto* tree = qobject_cast<QTreeWidget*>(view)) {
        QTreeWidgetItem* header = tree->headerItem();
        for (int c = 0; header && c < header->columnCount(); ++c)
            Translate(view, QByteArray("header").append(QByteArray::number(c)).constData(), header->text(c), loader,
                      [header, c](const QString& t) { header->setText(c, t); });
    }
}

void TranslateObject(QObject* object, ResourceLoader& loader, bool headers)
{
    if (auto* widget = qobject_cast<QWidget*>(object)) {
        if (widget->isWindow())
            Translate(object, "title", widget->windowTitle(), loader, [widget](const QString& t) { widget->setWindowTitle(t); });
        Translate(object, "toolTip", widget->toolTip(), loader, [widget](const QString& t) { widget->setToolTip(t); });
    }
    if (auto* label = qobject_cast<QLabel*>(object))
        Translate(object, "text", label->text(), loader, [label](const QString& t) { label->setText(t); });
    else if (auto* button = qobject_cast<QAbstractButton*>(object))
        Translate(object, "text", button->text(), loader, [button](const QString& t) { button->setText(t); });
    else if (auto* group = qobject_cast<QGroupBox*>(object))
        Translate(object, "title", group->title(), loader, [group](const QString& t) { group->setTitle(t); });
    else if (auto* action = qobject_cast<QAction*>(object)) {
        Translate(object, "text", action->text(), loader, [action](const QString& t) { action->setText(t); });
        Translate(object, "toolTip", action->toolTip(), loader, [action](const QString& t) { action->setToolTip(t); });
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(object))
        for (int i = 0; i < tabs->count(); ++i)
            Translate(object, QByteArray("tab").append(QByteArray::number(i)).constData(), tabs->tabText(i), loader,
                      [tabs, i](const QString& t) { tabs->setTabText(i, t); });
    if (headers)
        TranslateHeaders(object, loader);
}

}

void WidgetGlossaLoader::InstallFontSubstitutes()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    for (const char* code : {"chs", "cht", "en"}) {
        const LanguageFont font = FontOf(QString::fromLatin1(code));
        QFont::insertSubstitution(QString::fromUtf8(font.name), QString::fromUtf8(font.available));
    }
}

WidgetGlossaLoader::WidgetGlossaLoader(QString translationsDir) : dir_(std::move(translationsDir)) {}

ValueList WidgetGlossaLoader::LoadGlossaStrings(QObject* window, const QString& languageCode, const QString&,
                                                const QString& resourceKey, ValueBag& options)
{
    ValueList translated;
    if (!window)
        return translated;
    TranslatorLoader loader(dir_);
    loader.SetResFileBaseName(resourceKey);
    loader.SetLanguageID(languageCode);
    const bool headers = options.Get(QStringLiteral("NeedMLColumnHeaders"), true).toBool();
    TranslateObject(window, loader, headers);
    for (QObject* child : window->findChildren<QObject*>()) {
        TranslateObject(child, loader, headers);
        translated.Append(child->objectName());
    }
    return translated;
}

void WidgetGlossaLoader::SetFrmFont(QObject* window, const QString& languageCode)
{
    auto* widget = qobject_cast<QWidget*>(window);
    if (!widget)
        return;
    const LanguageFont font = FontOf(languageCode);
    QFont f = widget->font();
    f.setFamilies({QString::fromUtf8(font.name), QString::fromUtf8(font.available)});
    widget->setFont(f);
}

ValueBag WidgetGlossaLoader::GetVellFontProps(const QString& languageCode)
{
    const LanguageFont font = FontOf(languageCode);
    ValueBag props;
    props.Set(QStringLiteral("Font.Name"), QString::fromUtf8(font.name));
    props.Set(QStringLiteral("Font.Charset"), font.charset);
    return props;
}

}
