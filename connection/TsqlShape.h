#pragma once

#include <QString>
#include <QVarLengthArray>

namespace vellbatchrule {

// A batch seen as its shape: the text with its value literals taken out,
// and those literals in order. Batches of one shape translate to the same
// statements, so they share one translation and one set of prepared
// statements, their literals bound as parameters (as SQL Server's simple
// parameterization does).
//
// A literal stays in the shape where its value could change more than the
// value of a row: in a SELECT's column list (it names the column), after
// LIKE or ESCAPE (the pattern decides the statement's form), after AS, in
// ORDER BY and GROUP BY (a number there is a column position), in CREATE,
// and any number but a whole one within 64 bits.
class TsqlShape {
public:
    struct Literal {
        QStringView text;   // as written: a quoted text or a whole number
        bool isText;
    };

    explicit TsqlShape(const QString& batch);
    TsqlShape(const TsqlShape&) = delete;
    TsqlShape& operator=(const TsqlShape&) = delete;

    const QString& Batch() const { return batch_; }
    // Equal for two batches exactly when they differ only in lifted literals.
    const QString& Key() const { return key_; }
    qsizetype LiteralCount() const { return literals_.size(); }
    // 1-based, in the order of the batch.
    const Literal& LiteralAt(qsizetype number) const { return literals_[number - 1]; }
    // A text literal's value: quotes removed, doubled apostrophes single.
    static QString TextOf(const Literal& literal);

private:
    QString batch_;
    QString key_;
    QVarLengthArray<Literal, 16> literals_;
};

}
