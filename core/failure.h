// What went wrong, in the user's words, and how it travels: every routine
// that can fail answers a Result, from the engine loader to the print job
// and the command-line tool. Windows show the failure in a message box
// under its title; dovrin-cli writes its text on one line.
#pragma once

#include <QString>
#include <type_traits>
#include <utility>
#include <variant>

namespace core {

struct Failure {
    QString text;       // may run over several lines
    QString title = {}; // the message box's title, where a window shows it

    // The text on one line (a blank line and a line break each become one blank).
    QString oneLine() const
    {
        return QString(text).replace(QStringLiteral("\n\n"), QStringLiteral(" ")).replace(u'\n', u' ');
    }
};

// A value, or the failure that stands in its place. Result<> carries no
// value: it succeeded or it failed.
template <class T = std::monostate> class [[nodiscard]] Result {
public:
    Result() requires std::is_same_v<T, std::monostate>
    = default;
    Result(T value) : state_(std::move(value)) {}
    Result(Failure failure) : state_(std::move(failure)) {}

    explicit operator bool() const { return state_.index() == 0; }
    T &operator*() { return std::get<0>(state_); }
    const T &operator*() const { return std::get<0>(state_); }
    T *operator->() { return &std::get<0>(state_); }
    const T *operator->() const { return &std::get<0>(state_); }
    const Failure &failure() const { return std::get<1>(state_); }

private:
    std::variant<T, Failure> state_;
};

} // namespace core
