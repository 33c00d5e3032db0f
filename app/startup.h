#pragma once

#include <QObject>
#include <memory>
#include <vector>

namespace app {

// The program's windows and data module, created once in their fixed order (the start window
// first, so it is the main window) and destroyed in reverse order at the end. While it lives the
// single instances of ui/forms.h point at them.
class Forms {
public:
    Forms();
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

private:
    std::vector<std::unique_ptr<QObject>> owned_;
};

std::unique_ptr<Forms> createForms();

} // namespace app
