#pragma once

#include <QObject>

#include <functional>

class QInputMethodEvent;
class QKeyEvent;
class QWidget;

namespace vellbatchrule {

// A window's key preview: every key pressed or released in the window, and
// every text an input method commits there, is seen here first, once, at the
// control it lands on. A key handler that answers true swallows the key.
class KeyPreview : public QObject {
public:
    using KeyHandler = std::function<bool(QObject* receiver, const QKeyEvent& key)>;
    using TextHandler = std::function<void(QInputMethodEvent& text)>;

    KeyPreview(QWidget* window, KeyHandler onKey, TextHandler onText = {});
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    KeyHandler onKey_;
    TextHandler onText_;
};

}
