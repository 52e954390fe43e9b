#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace vellbatchrule {

// Why a call of the component failed, as data: the error's number
// (HostErrors.h, or the database's own), and the texts the window would
// have shown in its message boxes, in the session's language.
struct Failure {
    int number = 0;
    QString text;         // the reason: the last box's text
    QString title;        // the boxes' title, "砚川提示" translated
    QStringList shown;    // every box's text in order, the reason last
};

// A call's answer, or its failure. Tested as a bool; the answer is read
// with * and -> only after success.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure failure) : failure_(std::move(failure)) {}

    bool has_value() const { return value_.has_value(); }
    explicit operator bool() const { return has_value(); }
    T& operator*() & { return *value_; }
    const T& operator*() const& { return *value_; }
    T&& operator*() && { return *std::move(value_); }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    const Failure& failure() const { return failure_; }

    // As std::optional compares: a failure equals no answer, and another failure.
    friend bool operator==(const Result& result, const T& value) { return result && *result == value; }
    friend bool operator==(const Result& a, const Result& b)
    {
        return a.has_value() == b.has_value() && (!a || *a == *b);
    }

private:
    std::optional<T> value_;
    Failure failure_;
};

// A call that answers nothing but whether it worked.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : failed_(true), failure_(std::move(failure)) {}

    bool has_value() const { return !failed_; }
    explicit operator bool() const { return has_value(); }
    const Failure& failure() const { return failure_; }

private:
    bool failed_ = false;
    Failure failure_;
};

}
