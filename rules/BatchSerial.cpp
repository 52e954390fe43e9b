#include "BatchSerial.h"

#include "PropertyCatalogue.h"
#include "RuleText.h"

#include <algorithm>

namespace vellbatchrule {

namespace {

bool IsSerial(const BatRuleStruct& element)
{
    return KindOf(element.FPropertyID) == PropertyKind::Serial;
}

}

BatchSerial::BatchSerial(QList<BatRuleStruct> elements, BatchDocument document)
    : elements_(std::move(elements)), document_(std::move(document))
{
    std::stable_sort(elements_.begin(), elements_.end(), [](const auto& a, const auto& b) { return a.FID < b.FID; });
    for (const BatRuleStruct& element : elements_) {
        if (IsSerial(element)) {
            texts_.append(QString());
            rest_ += QChar(kPlace);
            ++serials_;
        } else {
            texts_.append(BatchNumberComposer::ElementText(element, document_));
            rest_ += texts_.last();
        }
    }
}

qint64 BatchSerial::Start() const
{
    for (const BatRuleStruct& element : elements_)
        if (IsSerial(element))
            return BatchNumberComposer::SerialStart(element.FSelDefine);
    return 0;
}

qint64 BatchSerial::Limit() const
{
    qint64 limit = -1;
    for (const BatRuleStruct& element : elements_) {
        if (!IsSerial(element) || element.FWidth <= 0)
            continue;
        qint64 largest = 9;
        for (int digit = 1; digit < std::min(element.FWidth, 18); ++digit)
            largest = largest * 10 + 9;
        limit = limit < 0 ? largest : std::min(limit, largest);
    }
    return limit;
}

QString BatchSerial::ShownRest() const
{
    return QString(rest_).replace(QChar(kPlace), RuleText::Of({PropertyIds::Serial}));
}

QString BatchSerial::Number(qint64 value) const
{
    QString number;
    number.reserve(rest_.size() + 20);
    for (qsizetype i = 0; i < elements_.size(); ++i) {
        if (!IsSerial(elements_[i])) {
            number += texts_[i];
            continue;
        }
        BatRuleStruct serial = elements_[i];
        serial.FSelDefine = QString::number(value);
        number += BatchNumberComposer::ElementText(serial, document_);
    }
    return number;
}

}
