#pragma once

#include <QString>
#include <stdexcept>

namespace palvexa {

// The one error type of the program: carries the text shown to the user in the error box.
// The store and the platform layer throw it; guarded handler entry points catch it.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

} // namespace palvexa
